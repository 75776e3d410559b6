#include "CatchWindowFixture.h"

#include "CatchEntryTab.h"
#include "PermitIssueTab.h"
#include "ProgramStart.h"
#include "PseudoTerminal.h"
#include "TFClenove.h"
#include "TSumarForm.h"
#include "Table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The whole program with the scanner on a pseudo-terminal, ticked by the test.
class ScannedEntry : public CatchWindowTest {
protected:
    void SetUp() override
    {
        CatchWindowTest::SetUp();
        ASSERT_TRUE(terminal.isOpen());
        addMember(u"101"_s, u"Adam"_s);
        addMember(u"102"_s, u"Bárta"_s);
        for (const QString& n : {u"101"_s, u"102"_s})
            addPayment(n, 2012, u"NE"_s);
        start();
        data().scanTimer().stop();
        data().OpenScanner(terminal.device(), u"9600"_s);
        ASSERT_TRUE(data().scanner().isOpen());
    }
    void scan(const QByteArray& number)
    {
        terminal.send(number + "\r\n");
        data().ScanTick();
    }
    QString currentMember()
    {
        return data().TableClenove().fieldByName(u"CLEN_CISLO"_s).asString();
    }
    TFClenove& members() { return program().membersWindow(); }
    void showMembersWindowOnIssueTab(bool scannerIssues)
    {
        members().findChild<QCheckBox*>(u"CheckBoxSnimac"_s)->setChecked(scannerIssues);
        members()
            .findChild<QTabWidget*>(u"PageControl1"_s)
            ->setCurrentWidget(&members().permitTab());
        members().show();
        members().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&members()));
    }

    PseudoTerminal terminal;
};

} // namespace

// On the entry tab each scan starts the member's row; the row being typed is saved first and
// marks the return of its own member, not of the one scanned next.
TEST_F(ScannedEntry, OnTheEntryTabAScanSavesTheRowAndStartsTheMembersNext)
{
    scan("101");
    ASSERT_EQ(yearTable().state(), DataSet::State::Insert);
    EXPECT_EQ(yearTable().fieldByName(u"CLEN_CISLO"_s).asString(), u"101"_s);
    auto* district = window().findChild<QComboBox*>(u"ComboRevirNazev"_s);
    ASSERT_TRUE(district->hasFocus()) << "the new row starts at its district";
    press(district, Qt::Key_Tab);
    typeAndTab(u"DOCHAZKA"_s, u"4"_s);

    scan("102");
    EXPECT_EQ(stored(u"SuMP2012"_s, u"CLEN_CISLO"_s), QStringList{u"101"_s});
    EXPECT_EQ(stored(u"Povol"_s, u"MP_VRACENO"_s), (QStringList{u"ANO"_s, u"NE"_s}));
    ASSERT_EQ(yearTable().state(), DataSet::State::Insert);
    EXPECT_EQ(yearTable().fieldByName(u"CLEN_CISLO"_s).asString(), u"102"_s);
    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
}

TEST_F(ScannedEntry, OnAnotherTabAScanOnlySelectsTheMember)
{
    window().tabs().setCurrentIndex(1);
    scan("102");
    EXPECT_EQ(currentMember(), u"102"_s);
    EXPECT_FALSE(yearTable().isEditing());
    scan("999");
    EXPECT_EQ(shownTexts(), QStringList{u"Člen 999 NEEXISTUJE !!!"_s});
    EXPECT_EQ(currentMember(), u"102"_s);
}

// The members window in front starts an issue only on its issue tab with the box ticked.
TEST_F(ScannedEntry, TheMembersWindowStartsAnIssueOnlyWhenAskedTo)
{
    showMembersWindowOnIssueTab(false);
    scan("102");
    EXPECT_EQ(currentMember(), u"102"_s);
    EXPECT_EQ(members().permitTab().issueFlag(), 0);
    EXPECT_FALSE(yearTable().isEditing()) << "the catch window behind starts nothing";

    showMembersWindowOnIssueTab(true);
    scan("101");
    EXPECT_EQ(members().permitTab().issueFlag(), 1);
    EXPECT_EQ(data().TablePovol().state(), DataSet::State::Insert);
    EXPECT_EQ(data().TablePovol().fieldByName(u"CLEN_CISLO"_s).asString(), u"101"_s);
    // The issue is called off as the window goes, so it is neither saved nor printed.
    answers = {Messages::Answer::No};
    members().hide();
    EXPECT_EQ(members().permitTab().issueFlag(), 0);
}
