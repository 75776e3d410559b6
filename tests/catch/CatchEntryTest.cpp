#include "CatchWindowFixture.h"

#include "CatchEntryTab.h"
#include "CatchOverviewTab.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "DistrictsTab.h"
#include "TSumarForm.h"
#include "Table.h"
#include "WeightRangesTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class CatchEntryTest : public CatchWindowTest {
protected:
    void SetUp() override
    {
        CatchWindowTest::SetUp();
        addMember(u"1"_s, u"Novák"_s);
        addMember(u"A7"_s, u"Dvořák"_s);
        addPayment(u"1"_s, 2012, u"NE"_s);
        setUsualWeight(u"KAPR_KG"_s, u"Kapr"_s, 0.5, 2);
    }

    void typeCarp(const QString& count, const QString& weight)
    {
        typeAndTab(u"KAPR_KS"_s, count);
        typeInto(u"KAPR_KG"_s, weight);
    }
};

TEST_F(CatchEntryTest, AUsualCatchSavesOnEnterAndMarksTheReturn)
{
    start();
    select(u"1"_s);
    startReturn();
    typeInto(u"DOCHAZKA"_s, u"5"_s);
    typeCarp(u"3"_s, u"4,5"_s);
    press(input(u"KAPR_KG"_s), Qt::Key_Return);

    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
    EXPECT_FALSE(yearTable().isEditing());
    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"CLEN_CISLO"_s), QStringList{u"1"_s});
    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"KAPR_KS"_s), QStringList{u"3"_s});
    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"KAPR_KG"_s), QStringList{u"4,5"_s});
    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"DOCHAZKA"_s), QStringList{u"5"_s});
    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"REVIR_CISLO"_s).value(0),
              data().TableReviry().recordAt(0).value(0).toString());
    EXPECT_EQ(stored(u"Povol.DB"_s, u"MP_VRACENO"_s), QStringList{u"ANO"_s});
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"LAST_SUMAR_MP"_s).join(u','), u"2012,"_s);
    // Saved: the inputs wait for the next insert, the secretary for the next member.
    EXPECT_FALSE(input(u"KAPR_KS"_s)->isEnabled());
    EXPECT_TRUE(window().findChild<QComboBox*>(u"ComboPrijmeni"_s)->hasFocus());
}

TEST_F(CatchEntryTest, AnUnusualAverageIsAskedAndNoKeepsTheRowFromBeingSaved)
{
    start();
    select(u"1"_s);
    startReturn();
    typeCarp(u"2"_s, u"5"_s);
    answers = {Messages::Answer::No};
    press(input(u"KAPR_KG"_s), Qt::Key_Return);

    ASSERT_EQ(
        shownTexts(),
        QStringList{u"Průměrná váha Kapr  2,50 kg\n\robvykle 0,5  až  2  kg\n\rJe to dobře ?"_s});
    EXPECT_TRUE(yearTable().isEditing());
    EXPECT_TRUE(input(u"KAPR_KG"_s)->hasFocus());
    EXPECT_TRUE(stored(u"SuMP2012.DB"_s, u"CLEN_CISLO"_s).isEmpty());

    // Asked again on the next Enter; Yes lets it through.
    press(input(u"KAPR_KG"_s), Qt::Key_Return);
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"KAPR_KG"_s), QStringList{u"5"_s});
}

TEST_F(CatchEntryTest, AWeightWithoutACountIsEmptiedAndBlocksTheSave)
{
    start();
    select(u"1"_s);
    startReturn();
    typeAndTab(u"KAPR_KS"_s, QString());
    typeInto(u"KAPR_KG"_s, u"3"_s);
    press(input(u"KAPR_KG"_s), Qt::Key_Tab);

    EXPECT_EQ(shownTexts(), QStringList{u"Chybný počet kusů\n\rKapr"_s});
    EXPECT_TRUE(input(u"KAPR_KG"_s)->hasFocus());
    EXPECT_TRUE(input(u"KAPR_KG"_s)->text().isEmpty());
    // Enter in the days input saves only once a check has passed.
    typeInto(u"DOCHAZKA"_s, u"2"_s);
    press(input(u"DOCHAZKA"_s), Qt::Key_Return);
    EXPECT_TRUE(yearTable().isEditing());
    EXPECT_TRUE(stored(u"SuMP2012.DB"_s, u"CLEN_CISLO"_s).isEmpty());
}

TEST_F(CatchEntryTest, EnterInTheDaysSavesWithoutACheckAndRangeCheckingOffChecksNothing)
{
    start();
    window().weightsTab().rangeChecking()->setChecked(false);
    select(u"1"_s);
    startReturn();
    typeCarp(u"1"_s, u"40"_s);
    press(input(u"KAPR_KG"_s), Qt::Key_Tab);
    typeInto(u"DOCHAZKA"_s, u"4"_s);
    press(input(u"DOCHAZKA"_s), Qt::Key_Return);

    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"KAPR_KG"_s), QStringList{u"40"_s});
}

TEST_F(CatchEntryTest, SpaceSavesAndStartsTheMembersNextDistrictAndLettersJump)
{
    start();
    select(u"A7"_s);
    startReturn();
    press(input(u"DOCHAZKA"_s), Qt::Key_S);
    EXPECT_TRUE(input(u"STIKA_KS"_s)->hasFocus());
    press(input(u"STIKA_KS"_s), Qt::Key_I);
    EXPECT_TRUE(input(u"OSTATNI_KS"_s)->hasFocus());
    typeCarp(u"1"_s, u"1"_s);
    press(input(u"KAPR_KG"_s), Qt::Key_Space);

    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"CLEN_CISLO"_s), QStringList{u"A7"_s});
    EXPECT_EQ(yearTable().state(), DataSet::State::Insert);
    EXPECT_EQ(yearTable().fieldByName(u"CLEN_CISLO"_s).asString(), u"A7"_s);
    EXPECT_EQ(yearTable().fieldByName(u"PRIJMENI"_s).asString(), u"Dvořák"_s);
    EXPECT_TRUE(window().findChild<QComboBox*>(u"ComboRevirNazev"_s)->hasFocus());
    // The member's return is marked even without a payment row of the year.
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"LAST_SUMAR_MP"_s).join(u','), u",2012"_s);
}

TEST_F(CatchEntryTest, AFailedMarkKeepsTheRowUnsavedAndInEdit)
{
    runSql(u"CREATE TRIGGER failing BEFORE UPDATE ON Clenove "
           "BEGIN SELECT RAISE(ABORT, 'zápis selhal'); END"_s);
    start();
    select(u"1"_s);
    startReturn();
    typeInto(u"DOCHAZKA"_s, u"3"_s);
    press(input(u"DOCHAZKA"_s), Qt::Key_Return);

    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().text.contains(u"tabulka Clenove"_s))
        << shown.first().text.toStdString();
    EXPECT_TRUE(yearTable().isEditing());
    EXPECT_EQ(input(u"DOCHAZKA"_s)->text(), u"3"_s);
    EXPECT_TRUE(stored(u"SuMP2012.DB"_s, u"CLEN_CISLO"_s).isEmpty());
    EXPECT_EQ(stored(u"Povol.DB"_s, u"MP_VRACENO"_s), QStringList{u"NE"_s});
    // Nor does the window show the payment as returned.
    data().TablePovol().first();
    EXPECT_EQ(data().TablePovol().fieldByName(u"MP_VRACENO"_s).asString(), u"NE"_s);
}

TEST_F(CatchEntryTest, TheMemberFinderTellsOfAnUnknownNumberAndIgnoresCase)
{
    start();
    window().findChild<QPushButton*>(u"ButtonCisla"_s)->click();
    auto* number = window().findChild<QLineEdit*>(u"EditCisloClena"_s);
    ASSERT_TRUE(number->hasFocus());
    number->setText(u"a7"_s);
    press(number, Qt::Key_Return);
    EXPECT_EQ(data().TableClenove().fieldByName(u"CLEN_CISLO"_s).asString(), u"A7"_s);
    number->setText(u"999"_s);
    press(number, Qt::Key_Return);
    EXPECT_EQ(shownTexts(), QStringList{u"Člen NEEXISTUJE !!!"_s});
    EXPECT_EQ(data().TableClenove().fieldByName(u"CLEN_CISLO"_s).asString(), u"A7"_s);
}

TEST_F(CatchEntryTest, TheNoteGoesToTheMembersNotesOnALineOfItsOwn)
{
    addRow(u"Clenove.DB"_s,
           {{u"CLEN_CISLO"_s, u"5"_s}, {u"PRIJMENI"_s, u"Šíma"_s}, {u"ZAZNAMY"_s, u"starý"_s}});
    start();
    select(u"5"_s);
    window().findChild<QLineEdit*>(u"EditZaznam"_s)->setText(u"vrátil pozdě"_s);
    window().findChild<QPushButton*>(u"ButtonZaznam"_s)->click();
    select(u"5"_s);
    EXPECT_EQ(data().TableClenove().fieldByName(u"ZAZNAMY"_s).asString(), u"starý\rvrátil pozdě"_s);
    EXPECT_EQ(data().TableClenove().fieldByName(u"POZOR"_s).asString(), u"ZÁZNAM !"_s);
}

TEST_F(CatchEntryTest, TheOverviewCountsRowsAndMembersAndFollowsItsStaleMark)
{
    start();
    QTabWidget& tabs = window().tabs();
    tabs.setCurrentWidget(&window().overviewTab());
    EXPECT_EQ(window().overviewTab().shownRows(), 0);
    EXPECT_EQ(window().overviewTab().shownMembers(), 0);
    EXPECT_FALSE(window().OverviewStale());

    tabs.setCurrentWidget(&window().entryTab());
    for (const QString& number : {u"1"_s, u"1"_s, u"A7"_s}) {
        select(number);
        startReturn();
        typeInto(u"DOCHAZKA"_s, u"1"_s);
        press(input(u"DOCHAZKA"_s), Qt::Key_Return);
    }
    EXPECT_TRUE(window().OverviewStale());
    tabs.setCurrentWidget(&window().overviewTab());
    EXPECT_EQ(window().overviewTab().shownRows(), 3);
    EXPECT_EQ(window().overviewTab().shownMembers(), 2);
    EXPECT_FALSE(window().OverviewStale());
    // Dvořák before Novák.
    EXPECT_EQ(window().overviewTab().rows().fieldByName(u"CLEN_CISLO"_s).asString(), u"A7"_s);

    // "Revír" narrows to the district chosen beside it and becomes "Všechno".
    auto* districts = window().overviewTab().findChild<QComboBox*>(u"ComboPrehledRevir"_s);
    auto* toggle = window().overviewTab().findChild<QPushButton*>(u"ButtonRevir"_s);
    districts->setCurrentIndex(1);
    toggle->click();
    EXPECT_EQ(window().overviewTab().shownRows(), 0);
    EXPECT_EQ(toggle->text(), u"Všechno"_s);
    toggle->click();
    EXPECT_EQ(window().overviewTab().shownRows(), 3);
    EXPECT_EQ(toggle->text(), u"Revír"_s);
    districts->setCurrentIndex(0);
    toggle->click();
    EXPECT_EQ(window().overviewTab().shownRows(), 3);
    EXPECT_EQ(window().overviewTab().shownMembers(), 2);
}

TEST_F(CatchEntryTest, TypedReturnsAreTotalledPerDistrictOnTheTotalsTab)
{
    start();
    for (const QString& number : {u"1"_s, u"A7"_s}) {
        select(number);
        startReturn();
        typeInto(u"DOCHAZKA"_s, u"4"_s);
        typeCarp(u"2"_s, u"2,5"_s);
        press(input(u"KAPR_KG"_s), Qt::Key_Return);
    }
    window().tabs().setCurrentWidget(&window().districtsTab());
    window().MakeCSum();
    ASSERT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
    EXPECT_EQ(stored(u"CSumMP.DB"_s, u"DOCHAZKA"_s), QStringList{u"8"_s});
    EXPECT_EQ(stored(u"CSumMP.DB"_s, u"KAPR_KS"_s), QStringList{u"4"_s});
    EXPECT_EQ(stored(u"CSumMP.DB"_s, u"SUMA_KG"_s), QStringList{u"5"_s});
    EXPECT_EQ(data().TableCSum().recordCount(), 1);
}

TEST_F(CatchEntryTest, TheTroutSwitchMovesTheWholeWindowToTheTroutTables)
{
    start();
    window().findChild<QRadioButton*>(u"RadioPstruhove"_s)->setChecked(true);
    EXPECT_EQ(data().catchKind(), TDataModule1::Water::PS);
    EXPECT_EQ(yearTable().tableName(), u"SuPS2012.DB"_s);
    EXPECT_EQ(data().TableCSum().tableName(), u"CSumPS.DB"_s);
    EXPECT_EQ(data().TableReviry().tableName(), u"ReviryPS.DB"_s);
    EXPECT_EQ(window().findChild<QLabel*>(u"LabelTypSumare"_s)->text(), u"PS"_s);
    EXPECT_TRUE(window().OverviewStale());

    select(u"1"_s);
    startReturn();
    EXPECT_TRUE(yearTable().fieldByName(u"PSTRUHOVA"_s).asBoolean());
    typeInto(u"DOCHAZKA"_s, u"2"_s);
    press(input(u"DOCHAZKA"_s), Qt::Key_Return);
    EXPECT_EQ(stored(u"SuPS2012.DB"_s, u"CLEN_CISLO"_s), QStringList{u"1"_s});
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"LAST_SUMAR_PS"_s).join(u','), u"2012,"_s);
}

TEST_F(CatchEntryTest, OnlyThisMemberNarrowsTheRowsUntilTheSurnameListIsEntered)
{
    start();
    for (const QString& number : {u"1"_s, u"A7"_s, u"1"_s}) {
        select(number);
        startReturn();
        typeInto(u"DOCHAZKA"_s, u"1"_s);
        press(input(u"DOCHAZKA"_s), Qt::Key_Return);
    }
    select(u"1"_s);
    window().findChild<QPushButton*>(u"ButtonJenTentoClen"_s)->click();
    EXPECT_EQ(yearTable().recordCount(), 2);
    window().findChild<QLineEdit*>(u"EditZaznam"_s)->setFocus();
    window().entryTab().focusMemberFinder();
    EXPECT_EQ(yearTable().recordCount(), 3);
}

TEST_F(CatchEntryTest, EscClosesTheWindowAndKeepsWhatWasTypedButNotAnUntouchedRow)
{
    start();
    select(u"1"_s);
    startReturn();
    QTest::keyClick(input(u"DOCHAZKA"_s), Qt::Key_Escape);
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(stored(u"SuMP2012.DB"_s, u"CLEN_CISLO"_s).isEmpty());

    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    select(u"1"_s);
    startReturn();
    typeInto(u"DOCHAZKA"_s, u"6"_s);
    QTest::keyClick(input(u"DOCHAZKA"_s), Qt::Key_Escape);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"DOCHAZKA"_s), QStringList{u"6"_s});
    EXPECT_EQ(stored(u"Povol.DB"_s, u"MP_VRACENO"_s), QStringList{u"ANO"_s});
}

TEST_F(CatchEntryTest, TheUsualWeightsCanBeCorrectedButNotAddedTo)
{
    start();
    window().tabs().setCurrentWidget(&window().weightsTab());
    DbGrid* grid = window().weightsTab().grid();
    const int rows = data().TableVahy().recordCount();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(rows - 1, 1));
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Insert);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_FALSE(data().TableVahy().isEditing());
    EXPECT_EQ(data().TableVahy().recordCount(), rows);
}

} // namespace
