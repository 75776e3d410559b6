#include "ReportTestData.h"

#include "Query.h"
#include "Report.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "Table.h"

#include <QDate>

#include <gtest/gtest.h>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The envelope run asks for every envelope; its counter answers "more" a given number of
// times. The protocol is checked from the event's side: what the engine set before each
// question, and how many details came of the answers.
class NeedData : public ::testing::TestWithParam<int> {
protected:
    NeedData()
        : report(u"Obálky"_s)
    {
        report.addBand(BandKind::Title, 10)->add<ReportLabel>(0.0, 0.0, u"Obálky"_s);
        report.addBand(BandKind::Detail, 100)->add<ReportLabel>(0.0, 0.0, u"obálka"_s);
        report.addBand(BandKind::Summary, 10)->add<ReportLabel>(0.0, 0.0, u"konec"_s);
    }

    Report report;
};

TEST_P(NeedData, EveryMoreDataAnswerPrintsOneDetail)
{
    const int answers = GetParam();
    QList<bool> presets;
    report.onNeedData = [&](bool& moreData) {
        presets << moreData;
        moreData = presets.size() <= answers;
    };
    const RenderedDocument doc = generate(report);

    EXPECT_EQ(doc.bandCount(BandKind::Detail), answers);
    ASSERT_EQ(presets.size(), answers + 1);
    EXPECT_TRUE(presets.first());
    EXPECT_EQ(presets.count(true), 1) << "later questions start from false";
    EXPECT_TRUE(bandLetters(doc).startsWith(u'T'));
    EXPECT_TRUE(bandLetters(doc).endsWith(u'U'));
}

INSTANTIATE_TEST_SUITE_P(Answers, NeedData, ::testing::Values(0, 1, 7));

TEST_F(NeedData, AnEventThatLeavesTheAnswerAloneGetsExactlyOneDetail)
{
    int questions = 0;
    report.onNeedData = [&](bool&) {
        ++questions;
    };
    EXPECT_EQ(generate(report).bandCount(BandKind::Detail), 1);
    EXPECT_EQ(questions, 2);
}

TEST_F(NeedData, WithoutDataSetOrEventEachBandPrintsOnce)
{
    EXPECT_EQ(bandLetters(generate(report)), u"TDU"_s);
}

TEST(ReportEvents, ReportBeforePrintComesOnceBeforeAnyBandOfEachRun)
{
    Report report(u"Průkaz"_s);
    QStringList events;
    report.beforePrint = [&](Report&) {
        events << u"report"_s;
    };
    const std::pair<BandKind, QString> bands[] = {{BandKind::Summary, u"summary"_s},
                                                  {BandKind::Title, u"title"_s},
                                                  {BandKind::PageHeader, u"header"_s}};
    for (const auto& [kind, name] : bands)
        report.addBand(kind, 10)->beforePrint = [&events, name](ReportBand&, bool&) {
            events << name;
        };
    generate(report);
    generate(report);
    const QStringList run{u"report"_s, u"header"_s, u"title"_s, u"summary"_s};
    EXPECT_EQ(events, run + run);
}

// Members in an order unlike the surname order, some of them women; the cursor is left
// anywhere but on the first row before a run.
class MemberList : public ::testing::Test {
protected:
    MemberList()
        : members(data.db(), u"Clenove.DB"_s)
        , report(u"Adresář"_s)
    {
        const char* rows[][3] = {{"104", "Žák", "0"},
                                 {"101", "Čech", "1"},
                                 {"103", "Novák", "0"},
                                 {"102", "Cibulka", "1"},
                                 {"105", "Šebek", "1"}};
        for (const auto& row : rows)
            data.append(u"Clenove.DB"_s, {{u"CLEN_CISLO"_s, QString::fromUtf8(row[0])},
                                          {u"PRIJMENI"_s, QString::fromUtf8(row[1])},
                                          {u"ZENA"_s, QLatin1String(row[2]) == "1"_L1}});
        members.setIndexFieldNames(u"PRIJMENI"_s);
        members.open();
        members.last();
        detail = report.addBand(BandKind::Detail, 8);
        detail->add<ReportField>(0.0, 0.0, &members, u"PRIJMENI"_s)->setName(u"surname"_s);
        report.setDataSet(&members, u"TableClenove"_s);
    }

    void addAward(const char* number, const char* kind)
    {
        data.append(u"Vyznam.db"_s, {{u"CLEN_CISLO"_s, QString::fromUtf8(number)},
                                     {u"DRUH_VYZNAMENANI"_s, QString::fromUtf8(kind)},
                                     {u"DATUM_UDELENI"_s, QDate(2010, 5, 1)}});
    }

    ReportTestData data;
    Table members;
    Report report;
    ReportBand* detail;
};

TEST_F(MemberList, DetailsFollowTheDataSetsFilterAndOrderFromItsFirstRow)
{
    members.setFilter(u"ZENA=true"_s);
    members.setFiltered(true);
    members.last();
    EXPECT_EQ(generate(report).textsNamed(u"surname"_s),
              (QStringList{u"Cibulka"_s, u"Čech"_s, u"Šebek"_s}));
}

TEST_F(MemberList, SubDetailPrintsTheAwardsOfEachMemberUnderIt)
{
    addAward("101", "Čestné uznání");
    addAward("101", "Bronzový odznak");
    addAward("104", "Stříbrný odznak");
    addAward("999", "Cizí");
    Query awards(data.db());
    awards.setSql({u"select * from vyznam"_s, u"WHERE (Clen_cislo=:Clen_Cislo)"_s,
                   u"order by Clen_Cislo,Druh_Vyznamenani"_s});
    ReportBand* sub = report.addBand(BandKind::SubDetail, 6);
    sub->setDataSet(&awards);
    sub->add<ReportField>(20.0, 0.0, &awards, u"DRUH_VYZNAMENANI"_s)->setName(u"award"_s);
    sub->add<ReportField>(5.0, 0.0, &awards, u"DATUM_UDELENI"_s, u"dd.mm.yyyy"_s);

    // Cibulka 102, Čech 101, Novák 103, Šebek 105, Žák 104.
    const RenderedDocument doc = generate(report);
    EXPECT_EQ(bandLetters(doc), u"DDSSDDDS"_s);
    EXPECT_EQ(doc.textsNamed(u"award"_s),
              (QStringList{u"Bronzový odznak"_s, u"Čestné uznání"_s, u"Stříbrný odznak"_s}));
    EXPECT_TRUE(pageTexts(doc, 0).contains(u"01.05.2010"_s));

    // A member kept off the paper takes his awards with him.
    detail->beforePrint = [this](ReportBand&, bool& print) {
        print = members.fieldByName(u"CLEN_CISLO"_s).asString() != u"101"_s;
    };
    EXPECT_EQ(bandLetters(generate(report)), u"DDDDS"_s);
}

} // namespace
