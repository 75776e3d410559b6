#include "MembersWindowFixture.h"

#include "DbGrid.h"
#include "MemberRecordsTab.h"
#include "TDataModule1.h"
#include "TFClenove.h"
#include "TFormBrigada.h"
#include "Table.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Member 1 is an adult (10 hours required) with 8 hours in 2012 and 3 in 2011; member 2
// has a record on each side of the turn of 2005 and 2006.
class Brigades : public MembersWindowTest {
protected:
    void SetUp() override
    {
        MembersWindowTest::SetUp();
        addMember(u"1"_s, u"Adámek"_s);
        addMember(u"2"_s, u"Bílá"_s);
        brigade(u"1"_s, QDate(2012, 3, 1), 8);
        brigade(u"1"_s, QDate(2011, 3, 1), 3);
        brigade(u"1"_s, QDate(2005, 12, 31), 1);
        brigade(u"2"_s, QDate(2004, 5, 15), 1);
        brigade(u"2"_s, QDate(2006, 1, 1), 1);
        start();
        select(u"1"_s);
    }
    void brigade(const QString& number, const QDate& date, double hours)
    {
        addRow(u"Brigady.DB"_s,
               {{u"CLEN_CISLO"_s, number}, {u"DATUM"_s, date}, {u"HODIN"_s, hours}});
    }

    QString hoursWorked() { return child<QLabel>(u"LabelOdprac"_s)->text(); }
    bool brigadeDone() { return child<QCheckBox>(u"CheckBoxBrig"_s)->isChecked(); }
    QLineEdit* dialogInput(const char* name)
    {
        return brigadeDialog().findChild<QLineEdit*>(QLatin1String(name));
    }
    // Fills the dialog shown by "Zápis " and presses "Zapiš"; returns whether it closed.
    bool enter(const QString& date, const QString& hours)
    {
        bool closed = false;
        QTimer::singleShot(0, &brigadeDialog(), [&] {
            dialogInput("MaskEditDatum")->setText(date);
            dialogInput("EditHodin")->setText(hours);
            dialogInput("EditAkce")->setText(u"úklid břehů"_s);
            dialogInput("EditZapsal")->setText(u"Novák"_s);
            QMetaObject::invokeMethod(&brigadeDialog(), &TFormBrigada::ButtonZapisClick);
            closed = !brigadeDialog().isVisible();
            brigadeDialog().reject();
        });
        buttonCaptioned(u"Zápis "_s)->click();
        activateWindow();
        return closed;
    }
    void deleteUpTo(const QString& year)
    {
        child<QLineEdit>(u"EditZrusit"_s)->setText(year);
        buttonCaptioned(u"Brigády"_s)->click();
    }
    QStringList storedDates() { return stored(u"Brigady.DB"_s, u"DATUM"_s); }
};

} // namespace

TEST_F(Brigades, FractionalHoursReachTheRequirement)
{
    EXPECT_EQ(hoursWorked(), u"8"_s);
    EXPECT_FALSE(brigadeDone());
    EXPECT_TRUE(enter(u"15.06.2012"_s, u"2,5"_s));
    EXPECT_EQ(hoursWorked(), u"10,5"_s) << "hours are shown with the Czech decimal comma";
    EXPECT_TRUE(brigadeDone());
    EXPECT_EQ(stored(u"Brigady.DB"_s, u"AKCE"_s).last(), u"úklid břehů"_s);
    EXPECT_EQ(stored(u"Brigady.DB"_s, u"CLEN_CISLO"_s).last(), u"1"_s);
    EXPECT_EQ(window().focusWidget(), child<QWidget>(u"DBLookupListBoxPrijmeni"_s));
    EXPECT_EQ(dialogInput("EditAkce")->text(), u"úklid břehů"_s) << "kept for the next record";
}

TEST_F(Brigades, BadHoursOrDateStoreNothingAndKeepTheDialogOpen)
{
    const int before = int(storedDates().size());
    EXPECT_FALSE(enter(u"15.06.2012"_s, u"dvě"_s));
    EXPECT_FALSE(enter(u"31.02.2012"_s, u"2"_s));
    EXPECT_FALSE(enter(u"  .  .    "_s, u"2"_s));
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0].kind, Messages::Kind::Error);
    EXPECT_TRUE(shown[0].text.contains(u"dvě"_s)) << shown[0].text.toStdString();
    EXPECT_TRUE(shown[1].text.contains(u"datum"_s)) << shown[1].text.toStdString();
    EXPECT_EQ(storedDates().size(), before);
    EXPECT_EQ(hoursWorked(), u"8"_s);
}

TEST_F(Brigades, OnlyTheEvaluatedYearCounts)
{
    EXPECT_TRUE(enter(u"1.6.2011"_s, u"4"_s));
    EXPECT_EQ(hoursWorked(), u"8"_s);
    auto* year = child<QLineEdit>(u"EditBrigRok"_s);
    year->setFocus();
    year->setText(u"2011"_s);
    child<QLineEdit>(u"DB_LAST_CLENSTVI"_s)->setFocus();
    EXPECT_EQ(hoursWorked(), u"7"_s);
    EXPECT_FALSE(brigadeDone());
}

TEST_F(Brigades, DeletingOldRecordsKeepsTheNextYear)
{
    answers << Messages::Answer::No << Messages::Answer::Cancel;
    deleteUpTo(u"2005"_s);
    deleteUpTo(u"2005"_s);
    deleteUpTo(QString());
    EXPECT_EQ(storedDates().size(), 5);
    EXPECT_EQ(shown.size(), 2) << "an empty year asks nothing";

    shown.clear();
    deleteUpTo(u"2005"_s);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].text, u"Opravdu zrušit staré brigády do roku 2005 včetně "_s);
    EXPECT_EQ(shown[1].kind, Messages::Kind::Confirmation);
    EXPECT_EQ(shown[1].text, u"Zrušeno 2 záznamů brigád"_s);
    EXPECT_EQ(stored(u"Brigady.DB"_s, u"CLEN_CISLO"_s), QStringList({u"1"_s, u"1"_s, u"2"_s}));
    EXPECT_TRUE(storedDates().contains(u"1.1.2006"_s));
    EXPECT_EQ(data().TableBrigady().recordCount(), 2) << "back on the current member";
    EXPECT_EQ(window().recordsTab().brigadeGrid()->model()->rowCount(), 2);
}
