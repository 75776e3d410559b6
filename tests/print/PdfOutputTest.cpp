#include "ExternalTool.h"
#include "PdfWords.h"
#include "ReportTestData.h"

#include "Report.h"
#include "ReportField.h"
#include "ReportFont.h"
#include "ReportLabel.h"
#include "ReportRunner.h"
#include "Table.h"

#include <QFontInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double Tolerance = 0.3; // mm

class PdfOutput : public ::testing::Test {
protected:
    QString pdfPath() const { return dir.filePath(u"sestava.pdf"_s); }

    QTemporaryDir dir;
};

TEST_F(PdfOutput, ItemsLandAtTheirMillimetresOnThePaper)
{
    Report report(u"TFormTPrukaz"_s);
    report.page().orientation = QPageLayout::Landscape;
    ReportBand* title = report.addBand(BandKind::Title, 150);
    title->add<ReportLabel>(101.6, 59.8, u"12345"_s)->setFontSize(12);
    auto* amount = title->add<ReportLabel>(20.0, 30.0, u"999"_s);
    amount->setWidth(20);
    amount->setAlignment(Printable::Align::Right);
    title->add<ReportLabel>(38.1, 84.7, u"Příjmení Šťastný"_s)->setBold(true);
    ReportRunner::exportPdf(report, pdfPath());

    const QList<PdfWord> words = pdfWords(pdfPath());
    // The printable area begins 10 mm in from the paper's edges.
    const PdfWord label = wordOf(words, u"12345"_s);
    EXPECT_NEAR(label.box.left() - 10, 101.6, Tolerance);
    EXPECT_NEAR(label.box.top() - 10, 59.8, Tolerance);
    EXPECT_NEAR(wordOf(words, u"999"_s).box.right() - 10, 40.0, Tolerance);
    EXPECT_NEAR(wordOf(words, u"Příjmení"_s).box.left() - 10, 38.1, Tolerance);
    EXPECT_EQ(wordOf(words, u"Šťastný"_s).page, 0);

    const QString fonts = runTool(u"pdffonts"_s, {pdfPath()});
    EXPECT_TRUE(fonts.contains(u"LiberationSans "_s)) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(u"LiberationSans-Bold"_s)) << fonts.toStdString();
}

TEST_F(PdfOutput, EveryPageOfALongListReachesTheFile)
{
    ReportTestData data;
    data.appendPayments(60);
    Table listing(data.db(), u"VYCETKA.db"_s);
    listing.open();
    Report report(u"TFormTVycet"_s);
    report.setDataSet(&listing);
    report.addBand(BandKind::PageHeader, 20)->add<ReportLabel>(0.0, 0.0, u"Soupiska"_s);
    report.addBand(BandKind::Detail, 10)->add<ReportField>(30.0, 2.0, &listing, u"TYP_PLATBY"_s);
    ReportRunner::exportPdf(report, pdfPath());

    const QList<PdfWord> words = pdfWords(pdfPath());
    // 25 rows a page: row 26 is the first of the second page, below its header.
    const PdfWord row = wordOf(words, u"P26"_s);
    EXPECT_EQ(row.page, 1);
    EXPECT_NEAR(row.box.left(), 40.0, Tolerance);
    EXPECT_NEAR(row.box.top(), 32.0, Tolerance);
    EXPECT_EQ(wordOf(words, u"P60"_s).page, 2);
    int headers = 0;
    for (const PdfWord& w : words)
        headers += w.text == u"Soupiska"_s;
    EXPECT_EQ(headers, 3);
}

TEST(ReportFonts, ArialIsDrawnWithLiberationSans)
{
    EXPECT_EQ(QFontInfo(ReportFont{}.toQFont()).family(), u"Liberation Sans"_s);
    ReportFont bold;
    bold.bold = true;
    const QFontInfo info(bold.toQFont());
    EXPECT_EQ(info.family(), u"Liberation Sans"_s);
    EXPECT_TRUE(info.bold());
}

} // namespace
