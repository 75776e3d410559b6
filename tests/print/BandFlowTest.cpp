#include "ReportTestData.h"

#include "Report.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportMemo.h"
#include "ReportSystemData.h"
#include "Table.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double PageBottom = 287; // A4 portrait less the 10 mm margin

// A list of the cash-listing rows on A4 portrait: a 20 mm page header with the page
// number, a 15 mm title, 10 mm details and a 15 mm summary. The first page holds 24
// details, every further page 25.
class CashList : public ::testing::Test {
protected:
    CashList()
        : table(data.db(), u"VYCETKA.db"_s)
        , report(u"Soupiska"_s)
    {
        report.addBand(BandKind::PageHeader, 20)
            ->add<ReportSystemData>(150.0, 2.0, ReportSystemData::Kind::PageNumber, u"Strana "_s)
            ->setName(u"page"_s);
        report.addBand(BandKind::Title, 15)->add<ReportLabel>(0.0, 0.0, u"Soupiska poplatků"_s);
        report.addBand(BandKind::Detail, 10)
            ->add<ReportField>(0.0, 0.0, &table, u"TYP_PLATBY"_s)
            ->setName(u"kind"_s);
        report.addBand(BandKind::Summary, 15)->add<ReportLabel>(0.0, 0.0, u"Celkem"_s);
        report.setDataSet(&table, u"TableVycetka"_s);
    }

    void fill(int rows)
    {
        data.appendPayments(rows);
        table.open();
    }

    ReportTestData data;
    Table table;
    Report report;
};

struct FlowCase {
    int rows;
    const char* letters;
};

void PrintTo(const FlowCase& c, std::ostream* os)
{
    *os << c.rows << " rows";
}

class CashListFlow : public CashList, public ::testing::WithParamInterface<FlowCase> {};

QString expand(const char* pattern)
{
    // "D24" stands for 24 details.
    QString letters;
    const QString text = QString::fromLatin1(pattern);
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype end = i + 1;
        while (end < text.size() && text[end].isDigit())
            ++end;
        const int count = end > i + 1 ? text.mid(i + 1, end - i - 1).toInt() : 1;
        letters += QString(count, text[i]);
        i = end - 1;
    }
    return letters;
}

TEST_P(CashListFlow, BandsComeInOrderAndBreakPagesWhereTheyNoLongerFit)
{
    fill(GetParam().rows);
    const RenderedDocument doc = generate(report);

    EXPECT_EQ(bandLetters(doc), expand(GetParam().letters));
    QStringList kinds;
    for (int i = 1; i <= GetParam().rows; ++i)
        kinds << u"P%1"_s.arg(i);
    EXPECT_EQ(doc.textsNamed(u"kind"_s), kinds);

    // Every page opens with its header, which counts the pages, and nothing runs past
    // the bottom margin.
    ASSERT_EQ(doc.pageCount(), doc.bandCount(BandKind::PageHeader));
    QStringList pageNumbers;
    int page = -1;
    for (const RenderedDocument::Band& band : doc.bands) {
        if (band.page != page) {
            EXPECT_EQ(band.kind, BandKind::PageHeader) << "page " << band.page;
            page = band.page;
        }
        EXPECT_LE(band.top + band.height, PageBottom + 0.001);
    }
    for (int i = 1; i <= doc.pageCount(); ++i)
        pageNumbers << u"Strana %1"_s.arg(i);
    EXPECT_EQ(doc.textsNamed(u"page"_s), pageNumbers);
}

INSTANTIATE_TEST_SUITE_P(Rows, CashListFlow,
                         ::testing::Values(FlowCase{0, "HTDU"}, FlowCase{1, "HTDU"},
                                           FlowCase{24, "HTD24HU"}, FlowCase{49, "HTD24HD25HU"},
                                           FlowCase{60, "HTD24HD25HD11U"}),
                         [](const auto& info) { return std::to_string(info.param.rows); });

TEST(StretchingMemo, RunsOnOverAsManyPagesAsItsLinesNeed)
{
    Report report(u"Volná čísla"_s);
    report.addBand(BandKind::PageHeader, 12)->add<ReportLabel>(0.0, 0.0, u"Volná členská čísla"_s);
    ReportBand* detail = report.addBand(BandKind::Detail, 20);
    detail->setTopFrame(true);
    auto* memo = detail->add<ReportMemo>(5.0, 5.0, 180.0, 10.0);
    memo->setName(u"memo"_s);
    memo->setFontSize(12);
    memo->setAutoStretch(true);
    QStringList lines;
    for (int i = 0; i < 150; ++i)
        lines << u"řádek %1"_s.arg(i);
    memo->setLines(lines);

    const RenderedDocument doc = generate(report);

    EXPECT_EQ(doc.textsNamed(u"memo"_s), lines);
    EXPECT_GE(doc.pageCount(), 3);
    EXPECT_EQ(doc.bandCount(BandKind::PageHeader), doc.pageCount());
    for (int p = 0; p < doc.pageCount(); ++p) {
        EXPECT_EQ(pageTexts(doc, p).value(0), u"Volná členská čísla"_s) << "page " << p;
        for (const RenderedDocument::Item& item : doc.pages[p].items)
            EXPECT_LE(item.rect.bottom(), PageBottom + 0.001) << item.text.toStdString();
    }
}

TEST(StretchingMemo, BoxCutsOffLinesOfAMemoThatDoesNotStretch)
{
    Report report(u"Převodka"_s);
    auto* memo = report.addBand(BandKind::Title, 140)->add<ReportMemo>(50.8, 72.0, 84.9, 29.9);
    memo->setName(u"memo"_s);
    memo->setLines({u"první"_s, u"druhá"_s, u"třetí"_s, u"čtvrtá"_s, u"pátá"_s, u"šestá"_s,
                    u"sedmá"_s, u"osmá"_s});
    const RenderedDocument doc = generate(report);
    const QList<const RenderedDocument::Item*> printed = doc.itemsNamed(u"memo"_s);
    ASSERT_FALSE(printed.isEmpty());
    EXPECT_LT(printed.size(), 8);
    EXPECT_LE(printed.last()->rect.bottom(), 10 + 72.0 + 29.9 + 0.01);
}

TEST(StretchingMemo, WrapsLongLinesAtSpacesWithinItsWidth)
{
    Report report(u"Poznámky"_s);
    auto* memo = report.addBand(BandKind::Title, 100)->add<ReportMemo>(0.0, 0.0, 40.0, 0.0);
    memo->setName(u"memo"_s);
    memo->setLines({u"Člen zaplatil příspěvek za dva roky dopředu a odevzdal sumář"_s});
    const RenderedDocument doc = generate(report);
    const QStringList printed = doc.textsNamed(u"memo"_s);
    EXPECT_GT(printed.size(), 1);
    EXPECT_EQ(printed.join(u' '), memo->lines().first());
    for (const RenderedDocument::Item* item : doc.itemsNamed(u"memo"_s))
        EXPECT_LE(item->rect.width(), 40.0);
}

} // namespace
