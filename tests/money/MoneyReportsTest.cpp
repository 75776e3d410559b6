#include "TestDataDir.h"

#include "FeeColumnsLayout.h"
#include "MoneyOverview.h"
#include "PdfWords.h"
#include "Query.h"
#include "ReportEngine.h"
#include "ReportRunner.h"
#include "TFormJmenovite.h"
#include "TFormTPrehled.h"
#include "Table.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QDate firstDay(2024, 3, 1);

class MoneyReportsTest : public ::testing::Test {
protected:
    MoneyReportsTest()
        : data({u"Clenove"_s, u"Povol"_s, u"SumPovol"_s, u"VYCETKA"_s, u"Setup"_s})
    {
        data.db().run(u"INSERT INTO Setup (NAZEV_ORGANIZACE) VALUES (?)"_s, {u"MO Lhota"_s});
        for (const auto& [number, surname] : {std::pair{u"7"_s, u"Žák"_s}, {u"8"_s, u"Bárta"_s}})
            data.db().run(u"INSERT INTO Clenove (CLEN_CISLO, PRIJMENI) VALUES (?, ?)"_s,
                          {number, surname});
        pay(u"7"_s, firstDay, u"MP_CELOREP"_s, 2000);
        pay(u"8"_s, firstDay, u"MI_ROCNI"_s, 300);
        pay(u"8"_s, firstDay.addDays(2), u"ZAPISNE"_s, 150);
        money.compute(firstDay, firstDay.addDays(2));
        for (Table* table : {&dayTotals, &setup})
            table->open();
    }

    void pay(const QString& member, const QDate& day, const QString& item, int amount)
    {
        data.db().run(
            u"INSERT INTO Povol (CLEN_CISLO, VYDANO, %1, CELKEM_KC) VALUES (?, ?, ?, ?)"_s.arg(
                item),
            {member, day, amount, amount});
    }

    QStringList pdfTexts(Report& report)
    {
        const QString path = dir.filePath(report.name() + u".pdf"_s);
        ReportRunner::exportPdf(report, path);
        QStringList texts;
        for (const PdfWord& w : pdfWords(path))
            texts << w.text;
        return texts;
    }

    TestDataDir data;
    MoneyOverview money{data.db()};
    Table dayTotals{data.db(), u"SumPovol.DB"_s};
    Table setup{data.db(), u"Setup.DB"_s};
    QTemporaryDir dir;
};

TEST_F(MoneyReportsTest, TheOverviewPrintsADayPerLineAndTheSumsOfThePeriod)
{
    TFormTPrehled form(dayTotals, setup, false);
    const RenderedDocument document = ReportEngine(form.report()).generate();

    EXPECT_EQ(document.textsNamed(u"VYDANO"_s), QStringList({u"01.03.2024"_s, u"03.03.2024"_s}));
    EXPECT_EQ(document.textsNamed(u"CELKEM_KC"_s), QStringList({u"2300"_s, u"150"_s}));
    EXPECT_EQ(document.textsNamed(u"SUM(TableSumPovol.CELKEM_KC)"_s), QStringList{u"2450"_s});
    EXPECT_EQ(document.textsNamed(u"SUM(TableSumPovol.POCET_POVOLENEK)"_s), QStringList{u"3"_s});
    EXPECT_EQ(document.textsNamed(u"SUM(TableSumPovol.MP_CELOREP)"_s), QStringList{u"2000"_s});
    EXPECT_TRUE(document.textsNamed(u"Povolenky pro místní revíry"_s).isEmpty());

    const QStringList printed = pdfTexts(form.report());
    for (const char* word : {"Přehled", "Lhota", "celorep.", "Kč/den", "pošt."})
        EXPECT_TRUE(printed.contains(QString::fromUtf8(word))) << word;
}

TEST_F(MoneyReportsTest, TheLocalPermitVariantAddsTheirColumnsUnderTheirOwnHeading)
{
    TFormTPrehled form(dayTotals, setup, true);
    EXPECT_EQ(form.report().name(), u"TFormTPrehled_MI"_s);
    const RenderedDocument document = ReportEngine(form.report()).generate();

    EXPECT_EQ(document.textsNamed(u"SUM(TableSumPovol.MI_ROCNI)"_s), QStringList{u"300"_s});
    EXPECT_EQ(document.textsNamed(u"Povolenky pro místní revíry"_s).size(), 1);
    const QStringList printed = pdfTexts(form.report());
    for (const char* word : {"rep.", "Mi", "ř."})
        EXPECT_TRUE(printed.contains(QString::fromUtf8(word))) << word;
    EXPECT_FALSE(printed.contains(u"celorep."_s));
}

TEST_F(MoneyReportsTest, TheVariantsTitleTheirColumnsEachInItsOwnWay)
{
    using V = FeeColumnsLayout::Variant;
    const auto titleOf = [](V variant, const QString& field) {
        for (const auto& column : FeeColumnsLayout::feeColumns(variant))
            if (column.field == field)
                return column.title;
        return u"(none)"_s;
    };
    EXPECT_EQ(FeeColumnsLayout::feeColumns(V::Overview).size(), 21);
    EXPECT_EQ(FeeColumnsLayout::feeColumns(V::NamedLocal).size(), 27);
    EXPECT_EQ(titleOf(V::Named, u"MAN_POPLATEK"_s), u"man"_s);
    EXPECT_EQ(titleOf(V::NamedLocal, u"MAN_POPLATEK"_s), u"man."_s);
    EXPECT_EQ(titleOf(V::OverviewLocal, u"PS_RAD"_s), u"PS ř."_s);
    EXPECT_EQ(titleOf(V::NamedLocal, u"PS_RAD"_s), u"PS řád"_s);
    EXPECT_EQ(titleOf(V::NamedLocal, u"MI_MISTNI"_s), u"mis"_s);
    EXPECT_EQ(titleOf(V::OverviewLocal, u"MI_MISTNI"_s), u"místní"_s);
    EXPECT_EQ(titleOf(V::Overview, u"MI_ROCNI"_s), u"(none)"_s);
}

TEST_F(MoneyReportsTest, TheNamedListPrintsEachPaymentWithItsMemberBySurname)
{
    Query queryJmen(data.db());
    TFormJmenovite form(queryJmen, setup, false);
    MoneyOverview::openNamedPayments(queryJmen, firstDay, firstDay.addDays(2),
                                     MoneyOverview::Kind::All, QString());
    form.setRangeCaption(u"od 1.3.2024 do 3.3.2024"_s);
    const RenderedDocument document = ReportEngine(form.report()).generate();

    EXPECT_EQ(document.textsNamed(u"PRIJMENI"_s), QStringList({u"Bárta"_s, u"Bárta"_s, u"Žák"_s}));
    EXPECT_EQ(document.textsNamed(u"Rozsah"_s), QStringList{u"od 1.3.2024 do 3.3.2024"_s});
    EXPECT_EQ(document.textsNamed(u"SUM(QueryJmen.CELKEM_KC)"_s), QStringList{u"2450"_s});
    EXPECT_EQ(document.textsNamed(u"SUM(QueryJmen.ZAPISNE)"_s), QStringList{u"150"_s});
    const QStringList printed = pdfTexts(form.report());
    EXPECT_TRUE(printed.contains(u"Žák"_s));
    EXPECT_TRUE(printed.contains(u"Strana"_s));
}

} // namespace
