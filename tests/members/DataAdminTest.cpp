#include "MembersWindowFixture.h"

#include "DataAdminTab.h"
#include "DataModel.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "GuiTestSupport.h"
#include "IssueCountsTab.h"
#include "MemberImport.h"
#include "MemberRecordsTab.h"
#include "ParadoxChapterWriter.h"
#include "ParadoxWriter.h"
#include "TDataModule1.h"
#include "TFClenove.h"
#include "Table.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class DataAdmin : public MembersWindowTest {
protected:
    void press(const QString& caption) { buttonCaptioned(caption)->click(); }
    QString shownInput(const char* field)
    {
        return child<QLineEdit>(u"DB_"_s + QLatin1String(field))->text();
    }
    int progress() { return child<QProgressBar>(u"ProgressBar1"_s)->value(); }
    void payment(const QString& number, int year, QVariantMap more = {})
    {
        more.insert(u"CLEN_CISLO"_s, number);
        more.insert(u"ROK"_s, year);
        addRow(u"Povol.DB"_s, more);
    }
    void showTab(QWidget* tab) { child<QTabWidget>(u"PageControl1"_s)->setCurrentWidget(tab); }
};

TEST_F(DataAdmin, ImportFolderStartsInTheHomeAndTakesTheFolderWithOrWithoutSeparator)
{
    start();
    const QString folder = child<QLineEdit>(u"Edit_Adresar"_s)->text();
    EXPECT_EQ(folder, QDir::toNativeSeparators(QDir::homePath() + u"/import/"_s));
    EXPECT_EQ(window().dataAdminTab().importFolder(), folder);
    const QString expected = u"/data/prevod/CLENOVE.DB"_s;
    EXPECT_EQ(MemberImport::sourcePath(QDir::toNativeSeparators(u"/data/prevod/"_s)), expected);
    EXPECT_EQ(MemberImport::sourcePath(QDir::toNativeSeparators(u"/data/prevod"_s)), expected);
    EXPECT_EQ(child<QLabel>(u"LabelAktualizovano"_s)->text(), u"Aktualizováno 0"_s);
    EXPECT_EQ(child<QLabel>(u"LabelVlozeno"_s)->text(), u"Vloženo 0"_s);
    // The home of the tests holds no import folder.
    press(u"Načti data "_s);
    EXPECT_EQ(shownTexts(), QStringList{u"Neni soubor "_s + QDir::toNativeSeparators(
                                                                MemberImport::sourcePath(folder))});
}

TEST_F(DataAdmin, ImportMergesTheDeliveredMembersAndShowsTheCounts)
{
    addMember(u"1"_s, u"Adámek"_s, {{u"JMENO"_s, u"Jan"_s}, {u"LAST_CLENSTVI"_s, 2011}});
    start();
    QTemporaryDir delivered;
    QList<ParadoxField> layout;
    for (const FieldDef& f : DataModel::memberFields())
        layout << ParadoxChapterWriter::paradoxField(f);
    const auto row = [](const QVariantMap& values) {
        QVariantList row;
        for (const FieldDef& f : DataModel::memberFields())
            row << values.value(f.name);
        return row;
    };
    ParadoxWriter::write(MemberImport::sourcePath(delivered.path()), layout,
                         {row({{u"CLEN_CISLO"_s, u"1"_s}, {u"JMENO"_s, u"Josef"_s}}),
                          row({{u"CLEN_CISLO"_s, u"2"_s}, {u"PRIJMENI"_s, u"Bílá"_s}})});
    child<QLineEdit>(u"Edit_Adresar"_s)->setText(delivered.path());
    answers << Messages::Answer::Yes;
    press(u"Načti data "_s);
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_TRUE(shownTexts()[0].startsWith(u"Opravdu nahradit u člena 1 -  Adámek"_s));
    EXPECT_EQ(child<QLabel>(u"LabelAktualizovano"_s)->text(), u"Aktualizováno 1"_s);
    EXPECT_EQ(child<QLabel>(u"LabelVlozeno"_s)->text(), u"Vloženo 1"_s);
    EXPECT_EQ(progress(), 0);
    select(u"1"_s);
    EXPECT_EQ(shownInput("JMENO"), u"Josef"_s) << "the window shows the merged member";
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"PRIJMENI"_s), (QStringList{u"Adámek"_s, u"Bílá"_s}));
}

TEST_F(DataAdmin, CorrectionsShowAtOnceOnTheCurrentMember)
{
    addMember(u"1"_s, u"Adámek"_s, {{u"PSC"_s, u"43801"_s}, {u"RODNE_CISLO"_s, u"6157031234"_s}});
    start();
    select(u"1"_s);
    press(u"PSC  xxx xx"_s);
    EXPECT_EQ(shownInput("PSC"), u"438 01"_s);
    press(u"RC xx.xx.xx/"_s);
    EXPECT_EQ(shownInput("RODNE_CISLO"), u"61.57.03/1234"_s);
    EXPECT_TRUE(child<QCheckBox>(u"DB_ZENA"_s)->isChecked());
    press(u"Datum z RC"_s);
    EXPECT_EQ(shownInput("DATUM_NAROZENI"), u"3.7.1961"_s);
    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
    EXPECT_EQ(progress(), 0);
}

TEST_F(DataAdmin, BirthNumbersThatAreNoDateAreListedInOneMessageAndTheRestDone)
{
    addMember(u"1"_s, u"Adámek"_s, {{u"RODNE_CISLO"_s, u"61.13.03/1234"_s}});
    addMember(u"2"_s, u"Bílá"_s, {{u"RODNE_CISLO"_s, u"615703/1234"_s}});
    addMember(u"3"_s, u"Cibulka"_s, {{u"RODNE_CISLO"_s, u"neuvedeno"_s}});
    start();
    press(u"Datum z RC"_s);
    press(u"RC xx.xx.xx/"_s);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].kind, Messages::Kind::Information);
    EXPECT_EQ(shown[0].text, u"Z těchto rodných čísel nelze určit datum narození, zůstalo "
                             "nevyplněné:\n\rčlen 1  61.13.03/1234\n\rčlen 3  neuvedeno"_s);
    EXPECT_EQ(shown[1].text, u"Tato rodná čísla neudávají platné datum narození a zůstala beze "
                             "změny:\n\rčlen 1  61.13.03/1234\n\rčlen 3  neuvedeno"_s);
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"RODNE_CISLO"_s),
              QStringList({u"61.13.03/1234"_s, u"61.57.03/1234"_s, u"neuvedeno"_s}));
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"DATUM_NAROZENI"_s),
              QStringList({QString(), u"3.7.1961"_s, QString()}));
}

TEST_F(DataAdmin, OldPaymentsOfEveryMemberGoOnlyAfterYes)
{
    addMember(u"1"_s, u"Adámek"_s);
    addMember(u"2"_s, u"Bílá"_s);
    for (const QString& number : {u"1"_s, u"2"_s})
        for (const int year : {2010, 2011, 2012})
            payment(number, year);
    start();
    select(u"1"_s);
    answers << Messages::Answer::No << Messages::Answer::Cancel;
    const auto deleteUpTo = [this](const QString& year) {
        child<QLineEdit>(u"EditZrusit"_s)->setText(year);
        press(u"Povolenky"_s);
    };
    deleteUpTo(QString());
    deleteUpTo(u"2011"_s);
    deleteUpTo(u"2011"_s);
    EXPECT_EQ(stored(u"Povol.DB"_s, u"ROK"_s).size(), 6);
    EXPECT_EQ(shown.size(), 2) << "an empty year asks nothing";

    shown.clear();
    deleteUpTo(u"2011"_s);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].text, u"Opravdu zrušit povolenky na rok 2011 a starší "_s);
    EXPECT_EQ(shown[1].kind, Messages::Kind::Confirmation);
    EXPECT_EQ(shown[1].text, u"Zrušeno 4 záznamů povolenek"_s);
    EXPECT_EQ(stored(u"Povol.DB"_s, u"ROK"_s), QStringList({u"2012"_s, u"2012"_s}));
    EXPECT_EQ(window().recordsTab().paymentGrid()->model()->rowCount(), 1);
}

TEST_F(DataAdmin, OwedReturnsMarkedWhereAPermitHasNoMark)
{
    addMember(u"1"_s, u"Adámek"_s);
    payment(u"1"_s, 2012, {{u"MP_ROCNI"_s, 900}, {u"PS_TYDEN"_s, 200}});
    payment(u"1"_s, 2012, {{u"MP_ROCNI"_s, 900}, {u"MP_VRACENO"_s, u"ANO"_s}});
    start();
    press(u"Povol"_s);
    EXPECT_EQ(stored(u"Povol.DB"_s, u"MP_VRACENO"_s), QStringList({u"NE"_s, u"ANO"_s}));
    EXPECT_EQ(stored(u"Povol.DB"_s, u"PS_VRACENO"_s), QStringList({u"NE"_s, QString()}));
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(DataAdmin, PaidMembershipsNeverLoweredAndUnknownNumbersToldInOneMessage)
{
    addMember(u"1"_s, u"Adámek"_s, {{u"LAST_CLENSTVI"_s, 2012}});
    addMember(u"2"_s, u"Bílá"_s, {{u"LAST_CLENSTVI"_s, 2010}});
    payment(u"1"_s, 2011, {{u"CLEN_PRISP"_s, 800}});
    payment(u"2"_s, 2012, {{u"CLEN_PRISP"_s, 800}});
    for (int i = 0; i < 3; ++i)
        payment(u"00000"_s, 2010 + i, {{u"CLEN_PRISP"_s, 800}});
    payment(u"99"_s, 2012);
    start();
    select(u"2"_s);
    press(u"Zaplatili členstvi"_s);
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"LAST_CLENSTVI"_s), QStringList({u"2012"_s, u"2012"_s}));
    EXPECT_EQ(shownInput("LAST_CLENSTVI"), u"2012"_s);
    EXPECT_EQ(child<QLabel>(u"LabelZaplatili"_s)->text(), u"1"_s);
    ASSERT_EQ(shown.size(), 1) << "one message, however many payments have no member";
    EXPECT_EQ(shown[0].kind, Messages::Kind::Confirmation);
    EXPECT_EQ(shown[0].text, u"Nenalezen člen číslo 00000   .\r\nNenalezen člen číslo 99   ."
                             "\r\nNeprovede se záznam zaplaceného členství !!!"_s);
}

TEST_F(DataAdmin, AFailedCorrectionIsToldAndChangesNothing)
{
    for (const char* number : {"1", "2", "3"})
        addMember(QLatin1String(number), u"Člen"_s, {{u"PSC"_s, u"43801"_s}});
    start();
    database().execute(u"CREATE TEMP TRIGGER injected BEFORE UPDATE ON main.Clenove "
                       "WHEN old.CLEN_CISLO = '2' BEGIN SELECT RAISE(ABORT, 'injected'); END"_s);
    press(u"PSC  xxx xx"_s);
    database().execute(u"DROP TRIGGER temp.injected"_s);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, Messages::Kind::Error);
    EXPECT_TRUE(shown[0].text.startsWith(u"Úprava dat se nepodařila, data zůstala beze změny."_s))
        << shown[0].text.toStdString();
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"PSC"_s), QStringList(3, u"43801"_s));
    EXPECT_EQ(shownInput("PSC"), u"43801"_s);
    EXPECT_EQ(progress(), 0);
}

TEST_F(DataAdmin, InfoCountsTheYearTyped)
{
    addMember(u"1"_s, u"Adámek"_s);
    payment(u"1"_s, 2011, {{u"MP_ROCNI"_s, 900}, {u"MP_VRACENO"_s, u"ANO"_s}});
    payment(u"1"_s, 2012, {{u"MP_VRACENO"_s, u"NE"_s}, {u"CLEN_PRISP"_s, 800}});
    payment(u"1"_s, 2012, {{u"MP_TYDEN"_s, 200}, {u"CLEN_PRISP"_s, 800}});
    start();
    showTab(&window().issueCountsTab());
    const auto figure = [this](const char* field) {
        return child<QLineEdit>(u"DBTextInfo"_s + QLatin1String(field))->text();
    };
    const auto countYear = [this](const QString& year) {
        auto* input = child<QLineEdit>(u"DBEditInfoRok"_s);
        input->setFocus();
        input->selectAll();
        typeText(input, year);
        press(u"Aktualizace informací"_s);
    };
    countYear(u"2012"_s);
    EXPECT_EQ(figure("CLEN_PRISP"), u"2"_s);
    EXPECT_EQ(figure("MP_TYDEN"), u"1"_s);
    EXPECT_EQ(figure("MP_CESTNA"), u"1"_s);
    EXPECT_EQ(figure("MP_CELKEM"), u"2"_s);
    EXPECT_EQ(figure("MP_VRACENO"), u"0"_s);
    countYear(u"2011"_s);
    EXPECT_EQ(figure("CLEN_PRISP"), u"0"_s);
    EXPECT_EQ(figure("MP_ROCNI"), u"1"_s);
    EXPECT_EQ(figure("MP_VRACENO"), u"1"_s);
    EXPECT_EQ(stored(u"NumPovol.DB"_s, u"ROK"_s), QStringList({u"2011"_s}));
    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
}

} // namespace
