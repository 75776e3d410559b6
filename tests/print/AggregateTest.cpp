#include "ReportTestData.h"

#include "EngineError.h"
#include "Expression.h"
#include "Report.h"
#include "ReportExpression.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "Table.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The cash listing over 60 rows (HODNOTA 1 … 60, POCET 2) on three pages.
class CashTotals : public ::testing::Test {
protected:
    CashTotals()
        : table(data.db(), u"VYCETKA.db"_s)
        , report(u"Soupiska"_s)
    {
        data.appendPayments(60);
        table.open();
        report.setDataSet(&table, u"TableVycetka"_s);
        header = report.addBand(BandKind::PageHeader, 20);
        report.addBand(BandKind::Title, 15);
        detail = report.addBand(BandKind::Detail, 10);
        summary = report.addBand(BandKind::Summary, 15);
    }

    void add(ReportBand* band, const char* name, const char* expression, const char* mask = "")
    {
        band->add<ReportExpression>(0.0, 0.0, QString::fromUtf8(expression),
                                    QString::fromUtf8(mask))
            ->setName(QString::fromUtf8(name));
    }

    ReportTestData data;
    Table table;
    Report report;
    ReportBand* header;
    ReportBand* detail;
    ReportBand* summary;
};

TEST_F(CashTotals, AggregatesRunOverEveryPrintedDetailAndNeverRestartPerPage)
{
    add(summary, "sum", "SUM(TableVycetka.HODNOTA * TableVycetka.POCET)");
    add(summary, "average", "AVERAGE(TableVycetka.HODNOTA)");
    // A sum in the page header shows what the pages before it held.
    add(header, "carried", "SUM(TableVycetka.HODNOTA)");
    add(detail, "running", "SUM(TableVycetka.HODNOTA)");
    const RenderedDocument doc = generate(report);

    ASSERT_EQ(doc.pageCount(), 3);
    EXPECT_EQ(doc.textsNamed(u"sum"_s), QStringList{u"3660"_s});
    EXPECT_EQ(doc.textsNamed(u"average"_s), QStringList{u"30,5"_s});
    EXPECT_EQ(doc.textsNamed(u"carried"_s), (QStringList{u"0"_s, u"300"_s, u"1225"_s}));
    EXPECT_EQ(doc.textsNamed(u"running"_s).first(), u"1"_s);
    EXPECT_EQ(doc.textsNamed(u"running"_s).last(), u"1830"_s);

    // A second run starts from nothing again.
    EXPECT_EQ(generate(report).textsNamed(u"sum"_s), QStringList{u"3660"_s});
}

TEST_F(CashTotals, SuppressedDetailsDoNotCount)
{
    add(summary, "sum", "SUM(TableVycetka.HODNOTA)");
    add(summary, "average", "AVERAGE(TableVycetka.HODNOTA)");
    detail->beforePrint = [this](ReportBand&, bool& print) {
        print = table.fieldByName(u"HODNOTA"_s).asInteger() > 50;
    };
    const RenderedDocument doc = generate(report);
    EXPECT_EQ(doc.bandCount(BandKind::Detail), 10);
    EXPECT_EQ(doc.textsNamed(u"sum"_s), QStringList{u"555"_s});
    EXPECT_EQ(doc.textsNamed(u"average"_s), QStringList{u"55,5"_s});
}

// The statistics line of the totals report: the mean of the per-district ratios, with a
// district without attendance printing a blank ratio.
TEST(DistrictStatistics, AverageOfRatiosIsNotTheRatioOfTotals)
{
    ReportTestData data;
    for (auto [kg, days] : {std::pair{10, 2}, {9, 3}, {0, 0}})
        data.append(u"VYCETKA.db"_s,
                    {{u"TYP_PLATBY"_s, u"revír"_s}, {u"HODNOTA"_s, kg}, {u"POCET"_s, days}});
    Table totals(data.db(), u"VYCETKA.db"_s);
    totals.open();
    Report report(u"Sumář B"_s);
    report.setDataSet(&totals, u"TableCSum"_s);
    report.addBand(BandKind::Detail, 8)
        ->add<ReportExpression>(0.0, 0.0, u"TableCSum.HODNOTA / TableCSum.POCET"_s,
                                u"##0.000;;''"_s)
        ->setName(u"ratio"_s);
    report.addBand(BandKind::Summary, 8)
        ->add<ReportExpression>(0.0, 0.0, u"AVERAGE(TableCSum.HODNOTA / TableCSum.POCET)"_s,
                                u"##0.000"_s)
        ->setName(u"mean"_s);
    const RenderedDocument doc = generate(report);
    EXPECT_EQ(doc.textsNamed(u"ratio"_s), (QStringList{u"5,000"_s, u"3,000"_s}));
    EXPECT_EQ(doc.textsNamed(u"mean"_s), QStringList{u"2,667"_s});
}

struct ExpressionCase {
    const char* expression;
    const char* text;
};

void PrintTo(const ExpressionCase& c, std::ostream* os)
{
    *os << c.expression;
}

// One row of the members table read through expressions, as the layouts write them.
class ExpressionValues : public ::testing::TestWithParam<ExpressionCase> {
protected:
    ExpressionValues()
        : members(data.db(), u"Clenove.DB"_s)
    {
        data.append(u"Clenove.DB"_s, {{u"CLEN_CISLO"_s, u"0042"_s},
                                      {u"PRIJMENI"_s, u"Nováková"_s},
                                      {u"ZENA"_s, true},
                                      {u"CLEN_OD_ROKU"_s, 1985},
                                      {u"POVOL_MP"_s, 3}});
        members.open();
    }

    QString evaluate(const QString& text)
    {
        const Expression expression(text);
        return ExpressionNode::toText(expression.evaluate([this](const QString& name) {
            return name.compare(u"TableClenove"_s, Qt::CaseInsensitive) == 0 ? &members : nullptr;
        }));
    }

    ReportTestData data;
    Table members;
};

TEST_P(ExpressionValues, EvaluateAsTheLayoutsExpect)
{
    EXPECT_EQ(evaluate(QString::fromUtf8(GetParam().expression)),
              QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ExpressionValues,
    ::testing::Values(ExpressionCase{"IF(TableClenove.ZENA, 'PS', ' MP')", "PS"},
                      ExpressionCase{"IF(TableClenove.SPONZOR, 'PS', ' MP')", " MP"},
                      ExpressionCase{"tableclenove.clen_od_roku + TableClenove.POVOL_MP * 2",
                                     "1991"},
                      ExpressionCase{"(TableClenove.CLEN_OD_ROKU - 1980) / 2", "2,5"},
                      ExpressionCase{"-TableClenove.POVOL_MP * 2", "-6"},
                      ExpressionCase{"TableClenove.CLEN_CISLO * 1", "42"},
                      ExpressionCase{"'příloha ' + TableClenove.POVOL_MP + \" x\"", "příloha 3 x"},
                      ExpressionCase{"IF(TableClenove.CLEN_OD_ROKU >= 1985, 'ano', 'ne')", "ano"},
                      ExpressionCase{"IF(TableClenove.PRIJMENI = 'Novák', 'ano', 'ne')", "ne"},
                      ExpressionCase{"TableClenove.POVOL_MP / 0", "0"}),
    CaseNumber());

TEST_F(ExpressionValues, MistakesInExpressionsAreEngineErrors)
{
    for (const char* bad :
         {"SUM(", "TableClenove.", "1 +", "COUNT(1)", "'open", "1 ; 2", "IF(1, 2)", "(1"})
        EXPECT_THROW(Expression(QString::fromUtf8(bad)), EngineError) << bad;
    EXPECT_THROW(evaluate(u"TableOther.X"_s), EngineError);
    EXPECT_THROW(evaluate(u"TableClenove.NO_SUCH_FIELD"_s), EngineError);
}

} // namespace
