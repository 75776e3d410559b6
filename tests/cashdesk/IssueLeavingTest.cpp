#include "CashDeskFixture.h"

#include "PermitIssueTab.h"
#include "TDataModule1.h"

#include <QTabWidget>

using namespace Qt::StringLiterals;

// Whoever leaves an issue unfinished is asked whether to finish it (save and print) or
// discard it; no half-made payment record stays behind.

TEST_F(CashDesk, MemberChangedElsewhereFinishesTheIssueForItsOwnMember)
{
    click(u"CheckBoxMasterPOPL"_s);
    click(u"CheckBoxMasterMP"_s);
    insert();
    answers = {Messages::Answer::Yes}; // finish; the card question takes the default Yes
    selectMember(u"102"_s);            // the members window's search, or the scanner
    ASSERT_FALSE(questions.isEmpty());
    EXPECT_TRUE(questions.first().startsWith(u"Výdej povolenky pro člena 100 není dokončen."_s));
    EXPECT_EQ(window->tab->issueFlag(), 0);
    EXPECT_EQ(memberField("CLEN_CISLO"), u"102"_s) << "the member chosen stays chosen";
    EXPECT_EQ(memberField("LAST_CLENSTVI"), u"2020"_s);
    EXPECT_EQ(payment().recordCount(), 0) << "payments follow the member chosen";
    EXPECT_EQ(paymentCount(), 1);
    selectMember(u"100"_s);
    EXPECT_EQ(memberField("LAST_CLENSTVI"), u"2026"_s) << "recorded on the issuing member";
    EXPECT_EQ(paymentField("MP_VRACENO"), u"NE"_s);
    EXPECT_EQ(textOf(sink.last(u"TFormPotvr"_s), u"CLEN_CISLO_1"_s), u"100"_s);
}

TEST_F(CashDesk, MemberChangedElsewhereCanDiscardTheIssue)
{
    insert();
    answers = {Messages::Answer::No};
    selectMember(u"102"_s);
    EXPECT_EQ(paymentCount(), 0);
    EXPECT_TRUE(sink.deliveries.isEmpty());
    EXPECT_FALSE(host.issueInProgress());
    EXPECT_EQ(memberField("CLEN_CISLO"), u"102"_s);
}

TEST_F(CashDesk, AnotherTabCanBeRefusedFinishedOrDiscarded)
{
    insert();
    answers = {Messages::Answer::Cancel};
    window->tabs->setCurrentIndex(0);
    EXPECT_EQ(window->tabs->currentWidget(), window->tab) << "Cancel stays with the issue";
    EXPECT_EQ(window->tab->issueFlag(), 1);

    answers = {Messages::Answer::Yes};
    window->tabs->setCurrentIndex(2);
    EXPECT_EQ(window->tabs->currentIndex(), 2);
    EXPECT_EQ(window->tab->issueFlag(), 0);
    EXPECT_EQ(paymentField("VYDANO").isEmpty(), false) << "finished";

    window->tabs->setCurrentWidget(window->tab);
    insert();
    answers = {Messages::Answer::No};
    window->tabs->setCurrentIndex(0);
    EXPECT_EQ(paymentCount(), 1) << "the second issue was discarded";
}

TEST_F(CashDesk, ClosingTheWindowAsksAndLeavesNoHalfRecord)
{
    insert();
    answers = {Messages::Answer::No};
    window->hide();
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(paymentCount(), 0);
    EXPECT_FALSE(host.issueInProgress());
    EXPECT_FALSE(payment().isEditing());
}
