#include "ReportTestData.h"

#include "DisplayMask.h"
#include "Report.h"
#include "ReportField.h"
#include "Table.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct NumberCase {
    const char* mask;
    double value;
    const char* text;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << '"' << c.mask << "\" on " << c.value;
}

class NumberMask : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberMask, FormatsAsTheOldReportsDid)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(DisplayMask::formatNumber(QString::fromUtf8(c.mask), c.value),
              QString::fromUtf8(c.text))
        << c.mask << " on " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Masks, NumberMask,
    ::testing::Values(
        // Amounts of the receipt.
        NumberCase{"###0", 0, "0"}, NumberCase{"###0", -350, "-350"},
        NumberCase{"###0", 1234567, "1234567"}, NumberCase{"###0", 2.6, "3"},
        NumberCase{"###0", -0.2, "0"},
        // Counts of the totals: zero stays blank.
        NumberCase{"#####", 0, ""}, NumberCase{"#####", -12, "-12"},
        NumberCase{"#####", 98765432, "98765432"}, NumberCase{"#####", 0.4, ""},
        // Weights: blank for zero, any other value in its shortest form.
        NumberCase{";;''", 0, ""}, NumberCase{";;''", -2.5, "-2,5"},
        NumberCase{";;''", 1234567.25, "1234567,25"}, NumberCase{";;''", 3, "3"},
        // Ratios.
        NumberCase{"##0.000", 0, "0,000"}, NumberCase{"##0.000", -1.5, "-1,500"},
        NumberCase{"##0.000", 123456.7894, "123456,789"}, NumberCase{"##0.000", 0.0625, "0,063"},
        NumberCase{"##0.000;;''", 0, ""}, NumberCase{"##0.000;;''", 0.0004, ""},
        NumberCase{"##0.000;;''", 2.3456, "2,346"},
        // Sections and literals the masks may also carry.
        NumberCase{"#,##0.00 Kč", 1234567.5, "1\u00a0234\u00a0567,50 Kč"},
        NumberCase{"0.0;(0.0);'nula'", -3.25, "(3,3)"},
        NumberCase{"0.0;(0.0);'nula'", 0.01, "nula"}, NumberCase{"#.##", 0.5, ",5"},
        NumberCase{"000", 7, "007"}),
    CaseNumber());

TEST(DateMask, WritesDayMonthAndYearAsAsked)
{
    const QDate date(2024, 3, 5);
    EXPECT_EQ(DisplayMask::formatDate(u"dd.mm.yyyy"_s, date), u"05.03.2024"_s);
    EXPECT_EQ(DisplayMask::formatDate(u"d.m.yy"_s, date), u"5.3.24"_s);
    EXPECT_EQ(DisplayMask::formatDate(u"DD/MM/YYYY"_s, QDate(1999, 12, 31)), u"31/12/1999"_s);
    EXPECT_EQ(DisplayMask::formatDate(u"dd.mm.yyyy"_s, QDate()), QString());
}

// Masks as fields apply them: by the field's type, with blank values.
TEST(FieldMask, AppliesToNumbersAndDatesButNotToTexts)
{
    ReportTestData data;
    data.append(u"Clenove.DB"_s, {{u"CLEN_CISLO"_s, u"7"_s},
                                  {u"PRIJMENI"_s, u"Malý"_s},
                                  {u"DATUM_NAROZENI"_s, QDate(1970, 1, 9)},
                                  {u"CLEN_OD_ROKU"_s, 0}});
    data.append(u"Clenove.DB"_s, {{u"CLEN_CISLO"_s, u"8"_s}});
    Table members(data.db(), u"Clenove.DB"_s);
    members.open();
    Report report(u"Seznam"_s);
    report.setDataSet(&members);
    ReportBand* detail = report.addBand(BandKind::Detail, 8);
    const std::pair<const char*, const char*> fields[] = {{"CLEN_OD_ROKU", "###0"},
                                                          {"DATUM_NAROZENI", "dd.mm.yyyy"},
                                                          {"PRIJMENI", "###0"},
                                                          {"CLEN_CISLO", "#####"}};
    for (const auto& [field, mask] : fields)
        detail->add<ReportField>(0.0, 0.0, &members, QLatin1String(field), QLatin1String(mask))
            ->setName(QLatin1String(field));

    const RenderedDocument doc = generate(report);
    // A blank number counts as zero under a mask; a blank date and text print nothing.
    EXPECT_EQ(doc.textsNamed(u"CLEN_OD_ROKU"_s), (QStringList{u"0"_s, u"0"_s}));
    EXPECT_EQ(doc.textsNamed(u"DATUM_NAROZENI"_s), QStringList{u"09.01.1970"_s});
    EXPECT_EQ(doc.textsNamed(u"PRIJMENI"_s), QStringList{u"Malý"_s});
    EXPECT_EQ(doc.textsNamed(u"CLEN_CISLO"_s), (QStringList{u"7"_s, u"8"_s}));
}

} // namespace
