#include "CashDeskFixture.h"

#include "DbNavigator.h"
#include "PermitIssueTab.h"
#include "TDataModule1.h"
#include "TFormPotvr.h"

#include <QCheckBox>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString today = QString::number(QDate::currentDate().day()) + u'.' +
                      QString::number(QDate::currentDate().month()) + u'.' +
                      QString::number(QDate::currentDate().year());
const QString mpQuestion = u"Tisk MIMOpstruhové docházky\n\rvlož kartu do tiskárny"_s;
const QString psQuestion = u"Tisk PSTRUHové docházky\n\rvlož kartu do tiskárny"_s;
} // namespace

// A member paying the membership, the handling fee and a yearly non-trout permit without
// having done the brigade: the record is filled from the fee row, totalled, stamped and
// the return owed; the membership is recorded, one card and the receipt are printed.
TEST_F(CashDesk, IssueFillsTotalsAndCompletesTheRecord)
{
    click(u"CheckBoxMasterPOPL"_s);
    click(u"CheckBoxMasterMP"_s);
    EXPECT_EQ(paymentCount(), 0) << "master boxes do nothing outside an issue";
    insert();
    EXPECT_EQ(window->tab->issueFlag(), 1);
    EXPECT_TRUE(box(u"CheckBox6"_s)->isChecked()) << "brigade not done and MP bought";
    EXPECT_EQ(paymentField("ROK"), u"2026"_s);
    EXPECT_EQ(paymentField("CLEN_CISLO"), u"100"_s);
    EXPECT_EQ(paymentField("ZAPISNE"), QString());
    EXPECT_EQ(paymentField("MP_MESICNI"), QString());
    const qint64 filled = fee(u"CLEN_PRISP"_s) + fee(u"MAN_POPLATEK"_s) + fee(u"BRIGADA"_s) +
                          fee(u"MP_ROCNI"_s) + fee(u"MP_RAD"_s);
    EXPECT_EQ(paymentField("CELKEM_KC"), QString::number(filled));
    EXPECT_EQ(paymentCount(), 0) << "nothing is stored before the issue is finished";

    typeAmount("ZAPISNE", u"75"_s);
    EXPECT_EQ(paymentField("CELKEM_KC"), QString::number(filled + 75)) << "typed amounts count";
    save();

    EXPECT_EQ(window->tab->issueFlag(), 0);
    EXPECT_EQ(paymentField("CELKEM_KC"), QString::number(filled + 75));
    EXPECT_EQ(paymentField("VYDANO"), today);
    EXPECT_EQ(paymentField("MP_VRACENO"), u"NE"_s);
    EXPECT_EQ(paymentField("PS_VRACENO"), QString());
    EXPECT_EQ(memberField("LAST_CLENSTVI"), u"2026"_s);
    EXPECT_FALSE(honoraryShown());
    EXPECT_EQ(questions, QStringList{mpQuestion});
    EXPECT_EQ(sink.names(), (QStringList{u"TFormTiskDochMP"_s, u"TFormPotvr"_s}));
    EXPECT_EQ(sink.deliveries[0].mode, ReportSink::Mode::Preview) << "TISK is off";
    const RenderedDocument& card = sink.last(u"TFormTiskDochMP"_s);
    EXPECT_EQ(textOf(card, u"PlatiOd"_s), u"1.1.2026"_s);
    EXPECT_EQ(textOf(card, u"PlatiDo"_s), u"31.12.2026"_s);
    const RenderedDocument& receipt = sink.last(u"TFormPotvr"_s);
    EXPECT_EQ(textOf(receipt, u"ZAPISNE_1"_s), u"75"_s);
    EXPECT_EQ(textOf(receipt, u"CELKEM_KC_2"_s), QString::number(filled + 75));
    EXPECT_TRUE(receipt.itemsNamed(u"Cestna_1"_s).isEmpty());
    EXPECT_TRUE(receipt.itemsNamed(u"Storno_1"_s).isEmpty());
}

TEST_F(CashDesk, NavigatorAndInputsFollowTheIssueFlag)
{
    auto* navigator = window->findChild<DbNavigator*>(u"DBNavigatorPovol"_s);
    auto* repeat = window->findChild<QPushButton*>(u"ButtonOpakovatTisk"_s);
    auto* amount = window->findChild<QLineEdit*>(u"DBEditMP_ROCNI"_s);
    QSignalSpy issuing(window->tab, &PermitIssueTab::issuingChanged);
    using B = DbNavigator::Button;
    const QList<B> browsing{B::Prior, B::Next, B::Insert, B::Delete, B::Post};
    EXPECT_EQ(navigator->visibleButtons(), browsing);
    EXPECT_FALSE(amount->isEnabled());

    insert();
    EXPECT_EQ(navigator->visibleButtons(), (QList<B>{B::Delete, B::Post}));
    EXPECT_TRUE(amount->isEnabled());
    EXPECT_TRUE(host.issueInProgress());
    EXPECT_FALSE(window->findChild<QLineEdit*>(u"EditVydejClen"_s)->isEnabled());
    save();
    EXPECT_EQ(navigator->visibleButtons(), browsing);
    EXPECT_FALSE(amount->isEnabled());
    EXPECT_FALSE(host.issueInProgress());
    EXPECT_TRUE(repeat->isEnabled());
    ASSERT_EQ(issuing.count(), 2);
    EXPECT_TRUE(issuing[0][0].toBool());
    EXPECT_FALSE(issuing[1][0].toBool());

    selectMember(u"102"_s);
    EXPECT_FALSE(repeat->isEnabled()) << "the repeat belongs to the member it was issued to";
}

// With the yearly permit free for the category, the permit is honorary: the tab says so
// while issuing and for the stored record, and the card still states the whole year.
TEST_F(CashDesk, HonoraryPermitWhileIssuingAndAfterSave)
{
    selectMember(u"101"_s);
    click(u"CheckBoxMasterMP"_s);
    insert();
    EXPECT_EQ(paymentField("MP_ROCNI"), u"0"_s);
    EXPECT_TRUE(honoraryShown());
    save();
    EXPECT_EQ(paymentField("MP_VRACENO"), u"NE"_s);
    EXPECT_TRUE(honoraryShown()) << "shown again for the completed record";
    const RenderedDocument& card = sink.last(u"TFormTiskDochMP"_s);
    EXPECT_EQ(textOf(card, u"PlatiOd"_s), u"1.1.2026"_s);
    const RenderedDocument& receipt = sink.last(u"TFormPotvr"_s);
    EXPECT_EQ(textOf(receipt, u"Cestna_1"_s), u"Čestná povolenka"_s);
    EXPECT_EQ(textOf(receipt, u"Cestna_2"_s), u"Čestná povolenka"_s);

    // A paid amount typed over the free one ends the honour while issuing.
    click(u"CheckBoxMasterMP"_s);
    insert();
    EXPECT_FALSE(honoraryShown()) << "MP unticked";
    click(u"CheckBoxMasterMP"_s);
    EXPECT_TRUE(honoraryShown());
    typeAmount("MP_ROCNI", u"10"_s);
    EXPECT_FALSE(honoraryShown());
}

TEST_F(CashDesk, ShortPermitsGiveCardsWithoutValidity)
{
    click(u"CheckBoxMasterMP"_s);
    click(u"CheckBoxMasterPS"_s);
    click(u"CheckBox8"_s);  // MP yearly off
    click(u"CheckBox11"_s); // MP weekly on
    click(u"CheckBox14"_s); // PS yearly off
    click(u"CheckBox15"_s); // PS monthly on
    answers = {Messages::Answer::Yes, Messages::Answer::Yes};
    insert();
    EXPECT_EQ(paymentField("MP_TYDEN"), QString::number(fee(u"MP_TYDEN"_s)));
    EXPECT_EQ(paymentField("MP_ROCNI"), QString());
    save();
    ASSERT_EQ(sink.names().count(u"TFormTiskDochMP"_s), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(textOf(sink.deliveries[i].document, u"PlatiOd"_s), QString());
        EXPECT_EQ(textOf(sink.deliveries[i].document, u"PlatiDo"_s), QString());
    }
    EXPECT_EQ(paymentField("PS_VRACENO"), u"NE"_s);
}

TEST_F(CashDesk, UntickingPoplEmptiesTheBasicItemsButTheBrigade)
{
    for (const char* b : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox7", "CheckBox21"})
        click(QLatin1String(b));
    click(u"CheckBoxMasterPOPL"_s);
    click(u"CheckBoxMasterMP"_s);
    insert();
    for (const char* f : {"ZAPISNE", "SKOLENI", "LEGITIMACE", "CLEN_PRISP", "MAN_POPLATEK",
                          "STANOVY_ZEB", "POSTOVNE", "BRIGADA"})
        EXPECT_NE(paymentField(f), QString()) << f;
    click(u"CheckBoxMasterPOPL"_s);
    for (const char* f : {"ZAPISNE", "SKOLENI", "LEGITIMACE", "CLEN_PRISP", "MAN_POPLATEK",
                          "STANOVY_ZEB", "POSTOVNE"})
        EXPECT_EQ(paymentField(f), QString()) << f;
    EXPECT_EQ(paymentField("BRIGADA"), QString::number(fee(u"BRIGADA"_s)));
    EXPECT_EQ(paymentField("CELKEM_KC"),
              QString::number(fee(u"BRIGADA"_s) + fee(u"MP_ROCNI"_s) + fee(u"MP_RAD"_s)));
}

struct BrigadeCase {
    bool done;
    bool mp;
    bool ps;
    bool pays;
};

void PrintTo(const BrigadeCase& c, std::ostream* os)
{
    *os << (c.done ? "done" : "owed") << (c.mp ? "_MP" : "") << (c.ps ? "_PS" : "");
}

class BrigadeRule : public CashDesk, public ::testing::WithParamInterface<BrigadeCase> {};

TEST_P(BrigadeRule, BrigadeFeeOnlyForUnfulfilledDutyWithAPermit)
{
    const BrigadeCase c = GetParam();
    window->brigadeDone->setChecked(c.done);
    window->tab->setBrigadeDone(c.done);
    click(u"CheckBoxMasterPOPL"_s);
    if (c.mp)
        click(u"CheckBoxMasterMP"_s);
    if (c.ps)
        click(u"CheckBoxMasterPS"_s);
    insert();
    EXPECT_EQ(box(u"CheckBox6"_s)->isChecked(), c.pays);
    EXPECT_EQ(paymentField("BRIGADA"), c.pays ? QString::number(fee(u"BRIGADA"_s)) : QString());
}

INSTANTIATE_TEST_SUITE_P(CashDesk, BrigadeRule,
                         ::testing::Values(BrigadeCase{false, true, false, true},
                                           BrigadeCase{false, false, true, true},
                                           BrigadeCase{false, false, false, false},
                                           BrigadeCase{true, true, true, false}));

TEST_F(CashDesk, MembershipIsRecordedOnlyWithAContribution)
{
    click(u"CheckBox4"_s); // no contribution
    insert();
    save();
    EXPECT_EQ(memberField("LAST_CLENSTVI"), u"2020"_s);

    insert();
    typeAmount("CLEN_PRISP", u"0"_s);
    save();
    EXPECT_EQ(memberField("LAST_CLENSTVI"), u"2026"_s) << "a typed 0 counts";
}

TEST_F(CashDesk, DeletingTheIssuedRecordPrintsNothingAStoredOnePrintsStorno)
{
    click(u"CheckBoxMasterMP"_s);
    insert();
    remove();
    EXPECT_EQ(paymentCount(), 0);
    EXPECT_TRUE(sink.deliveries.isEmpty());
    EXPECT_EQ(questions, QStringList()) << "deleted without asking";
    EXPECT_EQ(window->tab->issueFlag(), 0);
    EXPECT_FALSE(host.issueInProgress());

    insert();
    save();
    sink.deliveries.clear();
    questions.clear();
    answers = {Messages::Answer::No};
    remove();
    EXPECT_EQ(paymentCount(), 1) << "declined";
    EXPECT_TRUE(sink.deliveries.isEmpty());

    remove();
    EXPECT_EQ(paymentCount(), 0);
    ASSERT_EQ(sink.names(), QStringList{u"TFormPotvr"_s});
    const RenderedDocument& storno = sink.last(u"TFormPotvr"_s);
    EXPECT_EQ(textOf(storno, u"Storno_1"_s), u"STORNO"_s);
    EXPECT_EQ(textOf(storno, u"Storno_2"_s), u"STORNO"_s);
    EXPECT_EQ(textOf(storno, u"MP_ROCNI_1"_s), QString::number(fee(u"MP_ROCNI"_s)));

    // The marks go off again for the next receipt.
    insert();
    save();
    EXPECT_TRUE(sink.last(u"TFormPotvr"_s).itemsNamed(u"Storno_1"_s).isEmpty());
}

// Two permits with cards to print: answering No to the first still asks the second; the
// option boxes switch the cards and the receipt off; the repeat prints the issued record.
TEST_F(CashDesk, PrintSequenceAsksPerCardAndRepeats)
{
    insert();
    save();
    click(u"CheckBoxMasterMP"_s);
    click(u"CheckBoxMasterPS"_s);
    insert();
    answers = {Messages::Answer::No, Messages::Answer::Yes};
    questions.clear();
    sink.deliveries.clear();
    save();
    EXPECT_EQ(questions, (QStringList{mpQuestion, psQuestion}));
    EXPECT_EQ(sink.names(), (QStringList{u"TFormTiskDochMP"_s, u"TFormPotvr"_s}));

    // Another stored record browsed meanwhile does not change what is repeated.
    const qint64 issuedTotal = payment().fieldByName(u"CELKEM_KC"_s).asInteger();
    payment().first();
    ASSERT_NE(payment().fieldByName(u"CELKEM_KC"_s).asInteger(), issuedTotal);
    questions.clear();
    sink.deliveries.clear();
    click(u"CheckBoxTiskDochazky"_s);
    click(u"ButtonOpakovatTisk"_s);
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(sink.names(), QStringList{u"TFormPotvr"_s});
    EXPECT_EQ(textOf(sink.last(u"TFormPotvr"_s), u"CELKEM_KC_1"_s), QString::number(issuedTotal));

    sink.deliveries.clear();
    click(u"CheckBoxTiskPotvrzeni"_s);
    click(u"ButtonOpakovatTisk"_s);
    EXPECT_TRUE(sink.deliveries.isEmpty());
}

TEST_F(CashDesk, MemberNumberEnterLocatesOrComplains)
{
    auto* edit = window->findChild<QLineEdit*>(u"EditVydejClen"_s);
    edit->setText(u"102"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(memberField("CLEN_CISLO"), u"102"_s);
    edit->setText(u"999"_s);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(questions, QStringList{u"Člen NEEXISTUJE !!!"_s});
    EXPECT_EQ(memberField("CLEN_CISLO"), u"102"_s);
}
