#include "MembersWindowFixture.h"

#include "JubileeTab.h"
#include "PrintTab.h"
#include "RecordingSink.h"
#include "ReportCsv.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

class ListPrintsTest : public MembersWindowTest {
protected:
    void SetUp() override
    {
        MembersWindowTest::SetUp();
        addMember(u"101"_s, u"Novák"_s, {{u"ULICE"_s, u"Hlavní 1"_s}});
        addMember(u"205"_s, u"Adamec"_s);
        addRow(u"Vyznam.db"_s,
               {{u"CLEN_CISLO"_s, u"205"_s}, {u"DRUH_VYZNAMENANI"_s, u"Za zásluhy"_s}});
    }
    void startWithSink()
    {
        start();
        reports().setSink(&sink);
    }

    RecordingSink sink;
};

TEST_F(ListPrintsTest, EveryListButtonOfThePrintTabsRunsItsReport)
{
    startWithSink();
    window().printTab().findChild<QLineEdit*>(u"EditSkupina"_s)->setText(u"1"_s);
    for (const char* name :
         {"ButtonTiskAdresare", "ButtonTiskSkupiny", "ButtonVolnaCisla", "ButtonTiskBrigad"})
        child<QPushButton>(QString::fromLatin1(name))->click();
    child<QPushButton>(u"ButtonTiskVyznamenanych"_s)->click();

    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
    // Each list can go to a spreadsheet as it printed.
    const QString csv = QString::fromUtf8(ReportCsv::toCsv(sink.last(u"TFormTAdresar"_s).table));
    EXPECT_TRUE(csv.contains(u"Novák"_s)) << csv.toStdString();
    EXPECT_TRUE(csv.contains(u"Hlavní 1"_s)) << csv.toStdString();
    EXPECT_EQ(sink.names(), (QStringList{u"TFormTAdresar"_s, u"TFormTAdresar"_s, u"TFormFreeNum"_s,
                                         u"TFormTBrig"_s, u"TFormVyznam"_s}));
}

TEST_F(ListPrintsTest, AnEmptyGroupPrintsNoGroupListAndABadBrigadeYearIsRefused)
{
    startWithSink();
    child<QPushButton>(u"ButtonTiskSkupiny"_s)->click();
    EXPECT_TRUE(sink.deliveries.isEmpty());

    window().setEvaluatedBrigadeYear(u"20x2"_s);
    child<QPushButton>(u"ButtonTiskBrigad"_s)->click();
    EXPECT_EQ(shownTexts(), QStringList{u"„20x2“ není platné celé číslo."_s});
    EXPECT_TRUE(sink.deliveries.isEmpty());
}

} // namespace
