#include "MembersWindowFixture.h"

#include "Database.h"
#include "PermitIssueTab.h"
#include "Query.h"
#include "TDataModule1.h"
#include "TFClenove.h"
#include "Table.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

// Members 1 Adámek, 2 Bílá and 3 Cibulka; the summary year is 2012.
class ReturnMarks : public MembersWindowTest {
protected:
    void threeMembers()
    {
        addMember(u"1"_s, u"Adámek"_s);
        addMember(u"2"_s, u"Bílá"_s);
        addMember(u"3"_s, u"Cibulka"_s);
    }
    void payment(const QString& number, int year, const QString& mp, const QString& ps = {})
    {
        addRow(u"Povol.DB"_s, {{u"CLEN_CISLO"_s, number},
                               {u"ROK"_s, year},
                               {u"MP_VRACENO"_s, mp},
                               {u"PS_VRACENO"_s, ps}});
    }
    void catchRow(const QString& table, const QString& number, const QString& surname,
                  QVariant attendance = {})
    {
        addRow(table, {{u"CLEN_CISLO"_s, number},
                       {u"PRIJMENI"_s, surname},
                       {u"REVIR_CISLO"_s, u"411001"_s},
                       {u"DOCHAZKA"_s, attendance}});
    }
    // The field of the member's payment rows, in stored order.
    QStringList marks(const QString& number, const QString& field)
    {
        QStringList values;
        const QStringList numbers = stored(u"Povol.DB"_s, u"CLEN_CISLO"_s);
        const QStringList all = stored(u"Povol.DB"_s, field);
        for (int i = 0; i < numbers.size(); ++i)
            if (numbers[i] == number)
                values << all[i];
        return values;
    }
    QString lastReturn(const QString& number, const QString& field)
    {
        const QStringList numbers = stored(u"Clenove.DB"_s, u"CLEN_CISLO"_s);
        return stored(u"Clenove.DB"_s, field).value(numbers.indexOf(number));
    }
    // As at the program's start, where the settings window opens the summary year's tables.
    void startWithCatchTables()
    {
        start();
        data().EnsureYearTables();
    }
    void showTab(QWidget* tab) { child<QTabWidget>(u"PageControl1"_s)->setCurrentWidget(tab); }
    void press(const QString& name) { child<QPushButton>(name)->click(); }
    QString handedInCount() { return child<QLabel>(u"LabelOdevzdali"_s)->text(); }
    void injectFailureOn(const QString& number)
    {
        database().execute(u"CREATE TEMP TRIGGER injected BEFORE UPDATE ON main.Clenove "
                           "WHEN old.CLEN_CISLO = '"_s +
                           number + u"' BEGIN SELECT RAISE(ABORT, 'injected'); END"_s);
    }
};

TEST_F(ReturnMarks, ButtonsOnBothTabsMarkTheSummaryYearAndTheWindowShowsIt)
{
    threeMembers();
    payment(u"1"_s, 2011, u"NE"_s, u"NE"_s);
    payment(u"1"_s, 2012, u"NE"_s, u"NE"_s);
    start();
    select(u"1"_s);
    EXPECT_FALSE(child<QCheckBox>(u"CheckBoxMP"_s)->isChecked());

    press(u"ButtonVratilMP"_s);
    EXPECT_EQ(marks(u"1"_s, u"MP_VRACENO"_s), (QStringList{u"NE"_s, u"ANO"_s}))
        << "only the summary year's payment";
    EXPECT_EQ(marks(u"1"_s, u"PS_VRACENO"_s), (QStringList{u"NE"_s, u"NE"_s}));
    EXPECT_EQ(lastReturn(u"1"_s, u"LAST_SUMAR_MP"_s), u"2012"_s);
    EXPECT_EQ(lastReturn(u"1"_s, u"LAST_SUMAR_PS"_s), QString());
    EXPECT_TRUE(child<QCheckBox>(u"CheckBoxMP"_s)->isChecked());
    EXPECT_FALSE(child<QCheckBox>(u"CheckBoxPS"_s)->isChecked());
    EXPECT_EQ(child<QLineEdit>(u"DB_LAST_SUMAR_MP"_s)->text(), u"2012"_s);
    EXPECT_TRUE(child<QWidget>(u"DBLookupListBoxPrijmeni"_s)->hasFocus())
        << "back to the member search";

    showTab(&window().permitTab());
    press(u"ButtonVratilPSPovol"_s);
    EXPECT_EQ(marks(u"1"_s, u"PS_VRACENO"_s), (QStringList{u"NE"_s, u"ANO"_s}));
    EXPECT_EQ(lastReturn(u"1"_s, u"LAST_SUMAR_PS"_s), u"2012"_s);
    EXPECT_TRUE(child<QCheckBox>(u"CheckBoxPS"_s)->isChecked());
    EXPECT_EQ(child<QLineEdit>(u"DBEditLAST_SUMAR_PS"_s)->text(), u"2012"_s);
    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
}

TEST_F(ReturnMarks, AMemberWithoutAPaymentOfTheYearStillGetsTheYear)
{
    threeMembers();
    payment(u"2"_s, 2011, u"NE"_s);
    start();
    select(u"2"_s);
    press(u"ButtonVratilMP"_s);
    EXPECT_EQ(marks(u"2"_s, u"MP_VRACENO"_s), QStringList{u"NE"_s});
    EXPECT_EQ(lastReturn(u"2"_s, u"LAST_SUMAR_MP"_s), u"2012"_s);
    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
}

TEST_F(ReturnMarks, AFailedButtonMarkIsToldAndMarksNothing)
{
    threeMembers();
    payment(u"1"_s, 2012, u"NE"_s);
    start();
    select(u"1"_s);
    injectFailureOn(u"1"_s);
    press(u"ButtonVratilMP"_s);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, Messages::Kind::Error);
    EXPECT_EQ(marks(u"1"_s, u"MP_VRACENO"_s), QStringList{u"NE"_s});
    EXPECT_EQ(lastReturn(u"1"_s, u"LAST_SUMAR_MP"_s), QString());
    EXPECT_FALSE(child<QCheckBox>(u"CheckBoxMP"_s)->isChecked());
}

TEST_F(ReturnMarks, MarkForMemberMakesTheMemberCurrentOrNamesTheUnknownNumber)
{
    threeMembers();
    payment(u"3"_s, 2012, u"NE"_s);
    catchRow(u"SuMP2012.DB"_s, u"77"_s, u"Neznámý"_s);
    startWithCatchTables();
    select(u"1"_s);
    EXPECT_TRUE(window().MarkReturnedForMember(u"3"_s));
    EXPECT_EQ(current(u"CLEN_CISLO"_s), u"3"_s);
    EXPECT_EQ(members().indexFieldNames(), u"PRIJMENI"_s) << "browsing by surname again";
    EXPECT_FALSE(window().MarkReturnedForMember(u"3"_s)) << "already handed in";
    EXPECT_TRUE(shown.isEmpty());

    data().TableSumar().first();
    EXPECT_FALSE(window().MarkReturnedForMember(u"77"_s));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, Messages::Kind::Confirmation);
    EXPECT_EQ(shown[0].text, u"Nenalezen člen číslo 77  Neznámý .\r\n"
                             "Neprovede se záznam odevzdaného sumáře!!!"_s);
    EXPECT_EQ(current(u"CLEN_CISLO"_s), u"3"_s);
}

TEST_F(ReturnMarks, OwedPsReturnsListExactlyTheMembersMarkedNeBySurname)
{
    addMember(u"5"_s, u"Zelený"_s);
    addMember(u"4"_s, u"Dvořák"_s);
    addMember(u"6"_s, u"Bednář"_s);
    threeMembers();
    payment(u"5"_s, 2012, {}, u"NE"_s);
    payment(u"1"_s, 2012, u"NE"_s, u"ANO"_s);
    payment(u"2"_s, 2012, u"NE"_s, {});
    payment(u"3"_s, 2011, {}, u"NE"_s);
    payment(u"4"_s, 2012, {}, u"NE"_s);
    payment(u"6"_s, 2012, {}, u"NE"_s);
    start();
    press(u"ButtonNevratiliPS"_s);
    Query& selection = window().QueryClenove();
    EXPECT_EQ(selection.sql(),
              (QStringList{u"select * from CLENOVE,POVOL"_s,
                           u"where (CLENOVE.CLEN_CISLO=POVOL.CLEN_CISLO) and (POVOL.ROK=2012) "
                           "and (PS_VRACENO='NE')"_s,
                           u" ORDER BY PRIJMENI "_s}));
    QStringList listed;
    for (selection.first(); !selection.eof(); selection.next())
        listed << selection.fieldByName(u"PRIJMENI"_s).asString();
    EXPECT_EQ(listed, (QStringList{u"Bednář"_s, u"Dvořák"_s, u"Zelený"_s}));
    EXPECT_EQ(child<QLabel>(u"StaticTextKdo"_s)->text(), u"Nevrátili PS sumář 2012"_s);

    press(u"ButtonNevratiliMP"_s);
    EXPECT_EQ(selection.recordCount(), 2) << "Adámek and Bílá";
    EXPECT_EQ(child<QLabel>(u"StaticTextKdo"_s)->text(), u"Nevrátili MP sumář 2012"_s);
    EXPECT_EQ(child<QLabel>(u"LabelRokSumTisk"_s)->text(), u"2012"_s);
}

TEST_F(ReturnMarks, HandedInMarksTheFirstRowOfEachRunAndCountsChangedMarks)
{
    threeMembers();
    payment(u"1"_s, 2012, u"NE"_s);
    payment(u"2"_s, 2012, u"ANO"_s);
    payment(u"3"_s, 2012, u"NE"_s);
    const QString mp = u"SuMP2012.DB"_s;
    catchRow(mp, u"1"_s, u"Adámek"_s, 0);
    catchRow(mp, u"1"_s, u"Adámek"_s); // the same run: left as it is
    catchRow(mp, u"77"_s, u"Neznámý"_s);
    catchRow(mp, u"2"_s, u"Bílá"_s, 3);
    catchRow(mp, u"3"_s, u"Cibulka"_s);
    catchRow(mp, u"88"_s, u"Cizí"_s);
    catchRow(mp, u"1"_s, u"Adámek"_s, 2); // a run of its own, already handed in
    startWithCatchTables();
    select(u"3"_s);

    press(u"ButtonOdevzdali"_s);
    EXPECT_EQ(handedInCount(), u"2"_s) << "member 2 was handed in already";
    EXPECT_EQ(stored(mp, u"DOCHAZKA"_s),
              (QStringList{u"1"_s, QString(), u"1"_s, u"3"_s, u"1"_s, u"1"_s, u"2"_s}));
    for (const QString& number : {u"1"_s, u"2"_s, u"3"_s}) {
        EXPECT_EQ(marks(number, u"MP_VRACENO"_s), QStringList{u"ANO"_s});
        EXPECT_EQ(lastReturn(number, u"LAST_SUMAR_MP"_s), u"2012"_s);
    }
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].kind, Messages::Kind::Confirmation);
    EXPECT_TRUE(shown[0].text.startsWith(u"Nenalezen člen číslo 77  Neznámý ."_s));
    EXPECT_TRUE(shown[1].text.startsWith(u"Nenalezen člen číslo 88  Cizí ."_s));
    EXPECT_EQ(current(u"CLEN_CISLO"_s), u"3"_s);
    EXPECT_TRUE(child<QCheckBox>(u"CheckBoxMP"_s)->isChecked()) << "the window shows the mark";

    shown.clear();
    press(u"ButtonOdevzdali"_s);
    EXPECT_EQ(handedInCount(), u"0"_s);
    EXPECT_EQ(shown.size(), 2);
}

TEST_F(ReturnMarks, HandedInFollowsTheCatchKind)
{
    threeMembers();
    payment(u"1"_s, 2012, u"NE"_s, u"NE"_s);
    catchRow(u"SuPS2012.DB"_s, u"1"_s, u"Adámek"_s);
    startWithCatchTables();
    data().switchCatchKind(TDataModule1::Water::PS);
    press(u"ButtonOdevzdali"_s);
    EXPECT_EQ(handedInCount(), u"1"_s);
    EXPECT_EQ(marks(u"1"_s, u"PS_VRACENO"_s), QStringList{u"ANO"_s});
    EXPECT_EQ(marks(u"1"_s, u"MP_VRACENO"_s), QStringList{u"NE"_s});
    EXPECT_EQ(lastReturn(u"1"_s, u"LAST_SUMAR_PS"_s), u"2012"_s);
    EXPECT_EQ(lastReturn(u"1"_s, u"LAST_SUMAR_MP"_s), QString());
}

TEST_F(ReturnMarks, AFailureHalfWayMarksNothing)
{
    threeMembers();
    payment(u"1"_s, 2012, u"NE"_s);
    payment(u"3"_s, 2012, u"NE"_s);
    const QString mp = u"SuMP2012.DB"_s;
    catchRow(mp, u"1"_s, u"Adámek"_s, 0);
    catchRow(mp, u"77"_s, u"Neznámý"_s);
    catchRow(mp, u"3"_s, u"Cibulka"_s);
    startWithCatchTables();
    injectFailureOn(u"3"_s);
    press(u"ButtonOdevzdali"_s);
    ASSERT_EQ(shown.size(), 1) << "the error only, no notice of a walk that was undone";
    EXPECT_EQ(shown[0].kind, Messages::Kind::Error);
    EXPECT_EQ(handedInCount(), QString());
    EXPECT_EQ(marks(u"1"_s, u"MP_VRACENO"_s), QStringList{u"NE"_s});
    EXPECT_EQ(lastReturn(u"1"_s, u"LAST_SUMAR_MP"_s), QString());
    EXPECT_EQ(stored(mp, u"DOCHAZKA"_s), (QStringList{u"0"_s, QString(), QString()}));
}

} // namespace
