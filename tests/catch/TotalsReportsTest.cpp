#include "TotalsFixture.h"

#include "DistrictTotalsPanel.h"
#include "PdfWords.h"
#include "ReportRunner.h"
#include "TDataModule1.h"
#include "TFormTiskSumA.h"
#include "TFormTiskSumB.h"
#include "Table.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// Paper positions of the printable area's corner (margins of 10 mm) and of the bands: the
// page header, then one detail per district, then the summary.
constexpr double margin = 10;
constexpr double headerHeight = 19.8;
constexpr double detailHeight = 8.5;
constexpr double tolerance = 1.5;

double detailTop(int row)
{
    return margin + headerHeight + row * detailHeight;
}

double summaryTop(int rows)
{
    return detailTop(rows);
}

// The texts whose box ends at the right edge (a right-aligned value of the layout) on the
// line starting at the top, both in mm of the printable area.
QStringList rightAlignedAt(const QList<PdfWord>& words, double right, double top)
{
    QStringList texts;
    for (const PdfWord& w : words)
        if (std::abs(w.box.right() - (margin + right)) < tolerance && w.box.top() > top - 0.5 &&
            w.box.top() < top + 3.0)
            texts << w.text;
    return texts;
}

QStringList texts(const QList<PdfWord>& words)
{
    QStringList all;
    for (const PdfWord& w : words)
        all << w.text;
    return all;
}

} // namespace

class TotalsReportsTest : public TotalsPanelFixture {
protected:
    void SetUp() override
    {
        TotalsPanelFixture::SetUp();
        setDistricts({{u"1"_s, u"Labe"_s}, {u"2"_s, u"Sázava"_s}});
        // District 1: 6 fish, 7 kg in 8 days; district 2: 10 fish, 3 kg in 2 days.
        addReturn({{u"REVIR_CISLO"_s, u"1"_s},
                   {u"DOCHAZKA"_s, 8},
                   {u"KAPR_KS"_s, 3},
                   {u"KAPR_KG"_s, 6.5},
                   {u"LIN_KS"_s, 2},
                   {u"LIN_KG"_s, 0.0},
                   {u"LIPAN_KS"_s, 1},
                   {u"LIPAN_KG"_s, 0.5}});
        addReturn({{u"REVIR_CISLO"_s, u"2"_s},
                   {u"DOCHAZKA"_s, 2},
                   {u"KAPR_KS"_s, 10},
                   {u"KAPR_KG"_s, 3.0}});
        data->TableReviry().refresh();
        panel->MakeCSum();
        ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    }

    QList<PdfWord> pdf(Report& report)
    {
        const QString path = dir.filePath(report.name() + u".pdf"_s);
        ReportRunner::exportPdf(report, path);
        return pdfWords(path);
    }

    QTemporaryDir dir;
};

TEST_F(TotalsReportsTest, FirstReportPlacesHeaderRowsAndSums)
{
    const QList<PdfWord> words = pdf(panel->reportA().report());

    const PdfWord title = wordOf(words, u"Sumář"_s);
    EXPECT_NEAR(title.box.left(), margin + 8.5, tolerance);
    EXPECT_NEAR(wordOf(words, u"2012"_s).box.left(), margin + 57.1, tolerance);
    EXPECT_NEAR(wordOf(words, u"Zeleneč"_s).box.top(), title.box.top(), 0.5);
    EXPECT_NEAR(wordOf(words, u"Druhové"_s).box.left(), margin + 154.5, tolerance);
    EXPECT_NEAR(wordOf(words, u"MP"_s).box.left(), margin + 218.0, tolerance);
    EXPECT_NEAR(wordOf(words, u"Strana"_s).box.left(), margin + 251.6, tolerance);
    const PdfWord carp = wordOf(words, u"Kapr"_s);
    EXPECT_NEAR(carp.box.left(), margin + 61.4, tolerance);
    EXPECT_NEAR(carp.box.top(), margin + 12.7, tolerance);
    EXPECT_NEAR(wordOf(words, u"Labe"_s).box.left(), margin + 2.1, tolerance);

    // Counts over weights, right-aligned in their columns; a zero weight stays blank.
    EXPECT_EQ(rightAlignedAt(words, 53.7 + 16.4, detailTop(0)), QStringList{u"3"_s});
    EXPECT_EQ(rightAlignedAt(words, 53.7 + 16.4, detailTop(0) + 4.2), QStringList{u"6,5"_s});
    EXPECT_EQ(rightAlignedAt(words, 74.3 + 12.7, detailTop(0)), QStringList{u"2"_s});
    EXPECT_EQ(rightAlignedAt(words, 74.3 + 12.7, detailTop(0) + 4.2), QStringList{});
    EXPECT_EQ(rightAlignedAt(words, 34.4 + 11.6, detailTop(0) + 1.9), QStringList{u"8"_s});
    // The second district caught no tench: both cells blank.
    EXPECT_EQ(rightAlignedAt(words, 74.3 + 12.7, detailTop(1)), QStringList{});
    EXPECT_EQ(rightAlignedAt(words, 53.7 + 16.4, detailTop(1)), QStringList{u"10"_s});

    const double sums = summaryTop(2);
    EXPECT_EQ(rightAlignedAt(words, 53.7 + 16.4, sums + 2.1), QStringList{u"13"_s});
    EXPECT_EQ(rightAlignedAt(words, 53.7 + 16.4, sums + 6.3), QStringList{u"9,5"_s});
    EXPECT_EQ(rightAlignedAt(words, 34.4 + 11.6, sums + 6.3), QStringList{u"10"_s});
    EXPECT_TRUE(texts(words).contains(u"Celkem"_s));
    // Species 14 – 24 and the spare pairs belong to no column here.
    EXPECT_FALSE(texts(words).contains(u"Lipan"_s));
}

TEST_F(TotalsReportsTest, SecondReportAveragesTheDistrictsCatchPerDay)
{
    const QList<PdfWord> words = pdf(panel->reportB().report());

    EXPECT_NEAR(wordOf(words, u"Statistika"_s).box.left(), margin + 238.9, tolerance);
    EXPECT_NEAR(wordOf(words, u"položky"_s).box.left(), margin + 154.5, tolerance);
    EXPECT_NEAR(wordOf(words, u"peleď"_s).box.top(), wordOf(words, u"Maréna"_s).box.bottom(), 1.0);
    EXPECT_EQ(rightAlignedAt(words, 57.4 + 12.7, detailTop(0)), QStringList{u"1"_s});
    EXPECT_EQ(rightAlignedAt(words, 57.4 + 12.7, detailTop(0) + 4.2), QStringList{u"0,5"_s});

    // Per district: fish and kilograms, then both per fishing day.
    const double perDay[] = {211.7, 227.3, 243.4, 260.4};
    const auto row = [&](double top) {
        QStringList cells;
        for (double left : perDay)
            cells << rightAlignedAt(words, left + 12.7, top).join(u'|');
        return cells;
    };
    EXPECT_EQ(row(detailTop(0) + 2.1), (QStringList{u"6"_s, u"7"_s, u"0,750"_s, u"0,875"_s}));
    EXPECT_EQ(row(detailTop(1) + 2.1), (QStringList{u"10"_s, u"3"_s, u"5,000"_s, u"1,500"_s}));
    // The mean of 0,75 and 5 fish a day, not the chapter's 16 fish in 10 days.
    EXPECT_EQ(row(summaryTop(2) + 4.2), (QStringList{u"16"_s, u"10"_s, u"2,875"_s, u"1,188"_s}));
}

TEST_F(TotalsReportsTest, ZeroStatisticsPrintInTheSummaryOnly)
{
    db().execute(u"UPDATE SuMP2012 SET KAPR_KG = NULL, LIN_KG = NULL, LIPAN_KG = NULL"_s);
    db().touch(u"SuMP2012"_s);
    panel->MakeCSum();

    const QList<PdfWord> words = pdf(panel->reportB().report());

    EXPECT_EQ(rightAlignedAt(words, 260.4 + 12.7, detailTop(0) + 2.1), QStringList{});
    EXPECT_EQ(rightAlignedAt(words, 227.3 + 12.7, detailTop(0) + 2.1), QStringList{});
    EXPECT_EQ(rightAlignedAt(words, 260.4 + 12.7, summaryTop(2) + 4.2), QStringList{u"0,000"_s});
}

TEST_F(TotalsReportsTest, TroutTotalsAreMarkedPS)
{
    setDistricts({{u"5"_s, u"Kamenice"_s}}, u"PS"_s);
    addReturn({{u"REVIR_CISLO"_s, u"5"_s}, {u"PSTRUHOVA"_s, true}, {u"PSTRUH_OB_KS"_s, 4}},
              u"PS"_s);
    data->switchCatchKind(TDataModule1::Water::PS);
    panel->MakeCSum();

    click(u"ButtonProhlizeni"_s);

    ASSERT_EQ(sink.deliveries.size(), 2);
    for (const TotalsSink::Delivery& d : std::as_const(sink.deliveries))
        EXPECT_EQ(d.document.textsNamed(u"Druh"_s), QStringList{u"PS"_s}) << d.name.toStdString();
    EXPECT_EQ(sink.deliveries[0].document.textsNamed(u"PSTRUH_OB_KS"_s), QStringList{u"4"_s});
}

TEST_F(TotalsReportsTest, PreviewShowsFirstThenSecondReport)
{
    setPrinterAttached(true);

    click(u"ButtonProhlizeni"_s);

    ASSERT_EQ(sink.deliveries.size(), 2);
    EXPECT_EQ(sink.deliveries[0].name, u"TFormTiskSumA"_s);
    EXPECT_EQ(sink.deliveries[1].name, u"TFormTiskSumB"_s);
    for (const TotalsSink::Delivery& d : std::as_const(sink.deliveries)) {
        EXPECT_EQ(d.mode, ReportSink::Mode::Preview);
        EXPECT_EQ(d.document.textsNamed(u"REVIR_NAZEV"_s), (QStringList{u"Labe"_s, u"Sázava"_s}));
    }
}

TEST_F(TotalsReportsTest, PrintOnlyWithAPrinterAttached)
{
    click(u"ButtonTisk"_s);
    EXPECT_TRUE(sink.deliveries.isEmpty());

    setPrinterAttached(true);
    click(u"ButtonTisk"_s);

    ASSERT_EQ(sink.deliveries.size(), 2);
    EXPECT_EQ(sink.deliveries[0].name, u"TFormTiskSumA"_s);
    EXPECT_EQ(sink.deliveries[1].name, u"TFormTiskSumB"_s);
    EXPECT_EQ(sink.deliveries[0].mode, ReportSink::Mode::Print);
    EXPECT_EQ(sink.deliveries[1].mode, ReportSink::Mode::Print);
}
