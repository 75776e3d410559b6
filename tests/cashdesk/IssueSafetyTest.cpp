#include "CashDeskFixture.h"

#include "DbNavigator.h"
#include "PermitIssueTab.h"
#include "TDataModule1.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

// An issue is stored whole, with the member's paid year, or not at all: never a payment
// without its year or member, never half an issue after a failure.

TEST_F(CashDesk, IssueIsRefusedWithoutAFeeRowOrAMember)
{
    chapter->db().execute(u"UPDATE Clenove SET KATEGORIE = 'X' WHERE CLEN_CISLO = '102'"_s);
    chapter->db().touch(u"Clenove"_s);
    selectMember(u"102"_s);
    click(u"CheckBoxMasterPOPL"_s);
    insert();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions.first(), u"Pro kategorii „X“ člena 102 není v nastavení řádek poplatků "
                                 "s rokem; povolenku nelze vydat. Doplňte ho v okně Nastavení."_s);
    EXPECT_EQ(window->tab->issueFlag(), 0);
    EXPECT_FALSE(payment().isEditing());
    EXPECT_EQ(paymentCount(), 0);
    EXPECT_EQ(memberField("LAST_CLENSTVI"), u"2020"_s) << "the paid year is never blanked";

    chapter->db().execute(u"DELETE FROM Clenove"_s);
    chapter->db().touch(u"Clenove"_s);
    members().refresh();
    questions.clear();
    insert();
    EXPECT_EQ(questions, QStringList{u"Není vybrán žádný člen; povolenku nelze vydat."_s});
    EXPECT_EQ(paymentCount(), 0);
}

TEST_F(CashDesk, AFailedFinishUndoesTheWholeIssueAndEndsIt)
{
    click(u"CheckBoxMasterPOPL"_s);
    click(u"CheckBoxMasterMP"_s);
    insert();
    // The paid year is written after the payment, in the same transaction.
    chapter->db().execute(u"CREATE TEMP TRIGGER injected BEFORE UPDATE ON main.Clenove "
                          "BEGIN SELECT RAISE(ABORT, 'zápis selhal'); END"_s);
    save();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions.first().contains(u"tabulka Clenove"_s))
        << questions.first().toStdString();
    EXPECT_TRUE(
        questions.first().endsWith(u"Výdej povolenky byl zrušen, nic z něj nebylo uloženo."_s));
    EXPECT_EQ(paymentCount(), 0);
    EXPECT_EQ(memberField("LAST_CLENSTVI"), u"2020"_s);
    EXPECT_TRUE(sink.deliveries.isEmpty()) << "no receipt for an issue that is not stored";
    EXPECT_EQ(window->tab->issueFlag(), 0);
    EXPECT_FALSE(host.issueInProgress());
    EXPECT_FALSE(window->findChild<QPushButton*>(u"ButtonOpakovatTisk"_s)->isEnabled());
    using B = DbNavigator::Button;
    EXPECT_EQ(window->findChild<DbNavigator*>(u"DBNavigatorPovol"_s)->visibleButtons(),
              (QList<B>{B::Prior, B::Next, B::Insert, B::Delete, B::Post}));

    chapter->db().execute(u"DROP TRIGGER temp.injected"_s);
    questions.clear();
    insert();
    save();
    EXPECT_EQ(paymentCount(), 1) << "the next issue works";
    EXPECT_EQ(memberField("LAST_CLENSTVI"), u"2026"_s);
}
