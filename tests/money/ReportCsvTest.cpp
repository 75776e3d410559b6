#include "TestDataDir.h"

#include "MoneyOverview.h"
#include "ReportBand.h"
#include "ReportCsv.h"
#include "ReportEngine.h"
#include "ReportField.h"
#include "TFormTPrehled.h"
#include "TFormTVycet.h"
#include "Table.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A reader of RFC 4180 text with semicolons, written apart from the writer so that a fault
// in the writer's quoting shows here.
QList<QStringList> readCsv(const QByteArray& bytes)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    const QString text = QString::fromUtf8(bytes);
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            inQuotes = true;
        } else if (c == u';') {
            row << cell;
            cell.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            row << cell;
            rows << row;
            row.clear();
            cell.clear();
            ++i;
        } else {
            cell += c;
        }
    }
    EXPECT_FALSE(inQuotes);
    EXPECT_TRUE(cell.isEmpty() && row.isEmpty()) << "the last line has no line end";
    return rows;
}

QByteArray withoutMark(const QByteArray& bytes)
{
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    return bytes.mid(3);
}

TEST(ReportCsvTest, QuotesWhatWouldBreakTheTableAndReadsBackUnchanged)
{
    RenderedDocument::DataTable table;
    table.columns = {u"PRIJMENI"_s, u"Poznámka"_s, u"HODNOTA"_s, u"VYDANO"_s};
    table.rows = {
        {u"Novák; ml."_s, u"řekl \"ano\"\r\nna dva řádky"_s, qint64(1500), QDate(2024, 3, 1)},
        {u"Žák"_s, QVariant(), 2.5, QDate()},
        {u" mezera "_s, u"\"\""_s, -0.125, QDate(2024, 12, 31)}};

    const QList<QStringList> read = readCsv(withoutMark(ReportCsv::toCsv(table)));

    ASSERT_EQ(read.size(), 4);
    EXPECT_EQ(read[0], table.columns);
    EXPECT_EQ(read[1], QStringList({u"Novák; ml."_s, u"řekl \"ano\"\r\nna dva řádky"_s, u"1500"_s,
                                    u"1.3.2024"_s}));
    EXPECT_EQ(read[2], QStringList({u"Žák"_s, QString(), u"2,5"_s, QString()}));
    EXPECT_EQ(read[3], QStringList({u" mezera "_s, u"\"\""_s, u"-0,125"_s, u"31.12.2024"_s}));
}

TEST(ReportCsvTest, LargeNumbersCarryNoGroupSeparator)
{
    EXPECT_EQ(ReportCsv::cellText(1234567.5), u"1234567,5"_s);
    EXPECT_EQ(ReportCsv::cellText(qint64(1234567)), u"1234567"_s);
}

class ListCsvTest : public ::testing::Test {
protected:
    ListCsvTest()
        : data({u"Povol"_s, u"SumPovol"_s, u"VYCETKA"_s, u"Setup"_s})
    {
        const QDate day(2024, 3, 1);
        for (const auto& [item, amount] :
             {std::pair{"MP_ROCNI", 1500}, {"MP_ROCNI", 900}, {"ZAPISNE", 200}, {"MP_ROCNI", 1500}})
            data.db().run(
                u"INSERT INTO Povol (CLEN_CISLO, VYDANO, %1, CELKEM_KC) VALUES (?, ?, ?, ?)"_s.arg(
                    QLatin1String(item)),
                {u"1"_s, day, amount, amount});
        MoneyOverview(data.db()).compute(day, day.addDays(1));
        for (Table* table : {&listing, &dayTotals, &setup})
            table->open();
    }

    QList<QStringList> saved(Report& report)
    {
        const QString path = dir.filePath(u"list.csv"_s);
        ReportCsv::exportCsv(report, path);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return readCsv(withoutMark(file.readAll()));
    }

    TestDataDir data;
    Table listing{data.db(), u"VYCETKA.DB"_s};
    Table dayTotals{data.db(), u"SumPovol.DB"_s};
    Table setup{data.db(), u"Setup.DB"_s};
    QTemporaryDir dir;
};

TEST_F(ListCsvTest, TheCashListingSavesItsColumnsWithEveryRowsKindAndPlainNumbers)
{
    TFormTVycet form(listing, dayTotals, setup);

    const QList<QStringList> rows = saved(form.report());

    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0],
              QStringList({u"TYP_PLATBY"_s, u"HODNOTA"_s, u"POCET"_s, u"Celkem za platbu"_s}));
    EXPECT_EQ(rows[1], QStringList({u"Zápisné"_s, u"200"_s, u"1"_s, u"200"_s}));
    EXPECT_EQ(rows[2], QStringList({u"MP povolenka"_s, u"900"_s, u"1"_s, u"900"_s}));
    EXPECT_EQ(rows[3], QStringList({u"MP povolenka"_s, u"1500"_s, u"2"_s, u"3000"_s}));
}

TEST_F(ListCsvTest, TheOverviewSavesItsDaysAsDatesASpreadsheetReads)
{
    TFormTPrehled form(dayTotals, setup, false);

    const QList<QStringList> rows = saved(form.report());

    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].mid(0, 4),
              QStringList({u"VYDANO"_s, u"CELKEM_KC"_s, u"POCET_POVOLENEK"_s, u"ZAPISNE"_s}));
    EXPECT_EQ(rows[0].size(), 3 + 21);
    EXPECT_EQ(rows[1].mid(0, 4), QStringList({u"1.3.2024"_s, u"4100"_s, u"4"_s, u"200"_s}));
}

TEST_F(ListCsvTest, ADocumentThatIsNoListRecordsNoRows)
{
    Report report(u"Dopis"_s);
    report.addBand(BandKind::Detail, 5)->add<ReportField>(0, 0, &listing, u"HODNOTA"_s);
    report.setDataSet(&listing);
    const RenderedDocument document = ReportEngine(report).generate();
    EXPECT_FALSE(document.listReport);
    EXPECT_TRUE(document.table.rows.isEmpty());
}

} // namespace
