#include "TotalsFixture.h"

#include "DistrictTotalsPanel.h"
#include "PdfWords.h"
#include "ReportRunner.h"
#include "TDataModule1.h"
#include "TFormTiskSumA.h"
#include "TFormTiskSumB.h"

#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// The printable area starts 10 mm in; the page header is 19.8 mm, each district 8.5 mm.
constexpr double margin = 10;
constexpr double tolerance = 1.5;

double rowTop(int row)
{
    return margin + 19.8 + row * 8.5;
}

// The texts that end at the right edge of a column (in mm of the printable area) on the line
// starting at the top (in mm of the paper).
QStringList cell(const QList<PdfWord>& words, double right, double top)
{
    QStringList texts;
    for (const PdfWord& w : words)
        if (std::abs(w.box.right() - (margin + right)) < tolerance && w.box.top() > top - 0.5 &&
            w.box.top() < top + 3.0)
            texts << w.text;
    return texts.isEmpty() ? QStringList{QString()} : texts;
}

} // namespace

class TotalsReportsTest : public TotalsFixture {
protected:
    void SetUp() override
    {
        TotalsFixture::SetUp();
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
        panel->MakeCSum();
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

    const std::pair<const char16_t*, double> heading[] = {{u"Sumář", 8.5}, {u"2012", 57.1},
                                                          {u"MO", 82.5},   {u"Druhové", 154.5},
                                                          {u"MP", 218.0},  {u"Strana", 251.6}};
    for (const auto& [text, left] : heading) {
        const PdfWord word = wordOf(words, QString::fromUtf16(text));
        EXPECT_NEAR(word.box.left(), margin + left, tolerance) << word.text.toStdString();
        EXPECT_NEAR(word.box.top(), margin + 2.1, tolerance) << word.text.toStdString();
    }
    EXPECT_NEAR(wordOf(words, u"Kapr"_s).box.left(), margin + 61.4, tolerance);
    EXPECT_NEAR(wordOf(words, u"Kapr"_s).box.top(), margin + 12.7, tolerance);

    // Counts over weights, right-aligned in their columns; zeros stay blank.
    const double carp = 53.7 + 16.4, tench = 74.3 + 12.7, days = 34.4 + 11.6;
    EXPECT_EQ(cell(words, carp, rowTop(0)) + cell(words, carp, rowTop(0) + 4.2),
              (QStringList{u"3"_s, u"6,5"_s}));
    EXPECT_EQ(cell(words, tench, rowTop(0)) + cell(words, tench, rowTop(0) + 4.2),
              (QStringList{u"2"_s, QString()}));
    EXPECT_EQ(cell(words, tench, rowTop(1)), QStringList{QString()});
    EXPECT_EQ(cell(words, days, rowTop(0) + 1.9), QStringList{u"8"_s});
    // The summary sums each column.
    EXPECT_EQ(cell(words, carp, rowTop(2) + 2.1) + cell(words, carp, rowTop(2) + 6.3) +
                  cell(words, days, rowTop(2) + 6.3),
              (QStringList{u"13"_s, u"9,5"_s, u"10"_s}));
    EXPECT_NEAR(wordOf(words, u"Celkem"_s).box.left(), margin + 2.1, tolerance);
}

TEST_F(TotalsReportsTest, SecondReportAveragesTheDistrictsCatchPerDay)
{
    const QList<PdfWord> words = pdf(panel->reportB().report());

    EXPECT_NEAR(wordOf(words, u"Statistika"_s).box.left(), margin + 238.9, tolerance);
    EXPECT_NEAR(wordOf(words, u"peleď"_s).box.top(), wordOf(words, u"Maréna"_s).box.bottom(), 1);
    EXPECT_EQ(cell(words, 57.4 + 12.7, rowTop(0)) + cell(words, 57.4 + 12.7, rowTop(0) + 4.2),
              (QStringList{u"1"_s, u"0,5"_s}));
    // Fish and kilograms, then both per fishing day.
    const auto line = [&](double top) {
        QStringList cells;
        for (double left : {211.7, 227.3, 243.4, 260.4})
            cells << cell(words, left + 12.7, top);
        return cells;
    };
    EXPECT_EQ(line(rowTop(0) + 2.1), (QStringList{u"6"_s, u"7"_s, u"0,750"_s, u"0,875"_s}));
    EXPECT_EQ(line(rowTop(1) + 2.1), (QStringList{u"10"_s, u"3"_s, u"5,000"_s, u"1,500"_s}));
    // The mean of 0,75 and 5 fish a day, not the chapter's 16 fish in 10 days.
    EXPECT_EQ(line(rowTop(2) + 4.2), (QStringList{u"16"_s, u"10"_s, u"2,875"_s, u"1,188"_s}));

    // Without any weight the rows' weight cells stay blank; the summary says 0.
    db().execute(u"UPDATE SuMP2012 SET KAPR_KG = NULL, LIN_KG = NULL, LIPAN_KG = NULL"_s);
    db().touch(u"SuMP2012"_s);
    panel->MakeCSum();
    const QList<PdfWord> weightless = pdf(panel->reportB().report());
    EXPECT_EQ(cell(weightless, 227.3 + 12.7, rowTop(0) + 2.1) +
                  cell(weightless, 260.4 + 12.7, rowTop(0) + 2.1) +
                  cell(weightless, 260.4 + 12.7, rowTop(2) + 4.2),
              (QStringList{QString(), QString(), u"0,000"_s}));
}

TEST_F(TotalsReportsTest, PreviewShowsBothReportsAndPrintNeedsAPrinter)
{
    setDistricts({{u"5"_s, u"Kamenice"_s}}, u"PS"_s);
    addReturn({{u"REVIR_CISLO"_s, u"5"_s}, {u"PSTRUHOVA"_s, true}, {u"PSTRUH_OB_KS"_s, 4}},
              u"PS"_s);
    data->switchCatchKind(TDataModule1::Water::PS);
    panel->MakeCSum();

    button(u"ButtonTisk"_s)->click();
    EXPECT_TRUE(sink.deliveries.isEmpty());
    button(u"ButtonProhlizeni"_s)->click();
    setPrinterAttached(true);
    button(u"ButtonTisk"_s)->click();

    QStringList seen;
    for (const RecordingSink::Delivery& d : std::as_const(sink.deliveries)) {
        seen << d.name + (d.mode == ReportSink::Mode::Print ? u" print"_s : u" preview"_s);
        EXPECT_EQ(d.document.textsNamed(u"Druh"_s), QStringList{u"PS"_s});
    }
    EXPECT_EQ(seen, (QStringList{u"TFormTiskSumA preview"_s, u"TFormTiskSumB preview"_s,
                                 u"TFormTiskSumA print"_s, u"TFormTiskSumB print"_s}));
    EXPECT_EQ(sink.deliveries[0].document.textsNamed(u"PSTRUH_OB_KS"_s), QStringList{u"4"_s});
}
