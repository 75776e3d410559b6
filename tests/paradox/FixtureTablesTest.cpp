#include "ParadoxFixtures.h"
#include "PxlibReader.h"

#include "ParadoxError.h"
#include "ParadoxTable.h"

#include <QDateTime>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cmath>

namespace {
struct ExpectedValue {
    const char* table;
    int row;
    const char* field;
    QVariant value;
};

void PrintTo(const ExpectedValue& expected, std::ostream* out)
{
    *out << expected.table << " row " << expected.row << " " << expected.field;
}

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QVariant dateTime(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

// Values the other projects' own tests assert for these files, and blanks that must not
// turn into zeros.
const ExpectedValue expectedValues[] = {
    {"paradoxdriver/fields/long.db", 0, "LONG", 1},
    {"paradoxdriver/fields/long.db", 1, "LONG", 2},
    {"paradoxdriver/fields/long.db", 2, "Id", 3},
    {"paradoxdriver/fields/long.db", 2, "LONG", QVariant()},
    {"paradoxdriver/fields/time.db", 0, "Time", QTime(1, 0, 1)},
    {"paradoxdriver/fields/time.db", 1, "Time", QVariant()},
    {"paradoxdriver/fields/time.db", 2, "Time", QTime(3, 0, 3)},
    {"paradoxdriver/fields/timestamp.db", 0, "Timestamp", QVariant()},
    {"paradoxdriver/fields/timestamp.db", 1, "Timestamp", dateTime(2020, 2, 1, 1, 0, 1)},
    {"paradoxdriver/fields/date7.db", 0, "DATE", QDate(2018, 1, 1)},
    {"paradoxdriver/fields/date7.db", 0, "TIME", QTime(10, 0)},
    {"paradoxdriver/fields/date7.db", 3, "DATE", QVariant()},
    {"paradoxdriver/fields/date7.db", 4, "TIME", QVariant()},
    {"paradoxdriver/fields/date35.db", 0, "DATE", QDate(2018, 1, 1)},
    {"paradoxdriver/fields/date35.db", 1, "DATE", QDate(2018, 2, 1)},
    {"paradoxdriver/fields/date4.db", 2, "DATE", QDate(2018, 1, 2)},
    {"paradoxdriver/fields/date5.db", 2, "TIME", QTime(9, 25, 25)},
    {"paradoxdriver/fields/bcd.db", 0, "A", 1.23},
    {"paradoxdriver/fields/bcd.db", 0, "B", 1.0},
    {"paradoxdriver/fields/bcd.db", 0, "C", 0.123},
    {"paradoxdriver/fields/bcd.db", 1, "A", -1.23},
    {"paradoxdriver/fields/bcd.db", 1, "C", -0.123},
    {"paradoxdriver/fields/bcd.db", 2, "A", 0.0},
    {"paradoxdriver/fields/bcd.db", 2, "B", QVariant()},
    {"paradoxdriver/fields/bcd.db", 2, "C", 0.9999},
    {"paradoxdriver/fields/memo.db", 1, "MEMO", text("01234567890\n")},
    {"paradoxdriver/db/HERCULES.DB", 0, "HTML",
     text("<TABLE BORDER=2>\n<TR><TH>Name</TH><TH>EMail Address</TH></TR>\n")},
    {"paradoxdriver/db/CUSTOMER.DB", 0, "Comments", text("Small comment (less 100 symbols)")},
    {"paradoxdriver/db/CUSTOMER.DB", 5, "Comments", QVariant()},
    {"paradoxdriver/db/CUSTOMER.DB", 19, "DateEntered", QDate(1996, 4, 8)},
    {"paradoxdriver/db/ORDERS.DB", 0, "Sale Date", QDate(1988, 4, 3)},
    {"paradoxdriver/db/ORDERS.DB", 0, "Total Invoice", 7320.0},
    {"paradoxdriver/areas/STATES.DB", 52, "State", text("Wyoming")},
    {"rparadox/TypSammlung.DB", 0, "Alpha", text("AAA Irgendein Text")},
    {"rparadox/TypSammlung.DB", 0, "BCD", 40.0},
    {"rparadox/TypSammlung.DB", 2, "Alpha", text("Fünfter Datensatz")},
    {"rparadox/TypSammlung.DB", 2, "Memo", text("Dies ist eine Memo im 'Fünften Datensat'")},
    {"rparadox/TypSammlung.DB", 3, "Numerisch", 0.0},
    {"rparadox/TypSammlung.DB", 3, "Integer kurz", 0},
    {"rparadox/TypSammlung.DB", 3, "Datum", QVariant()},
    {"rparadox/TypSammlung.DB", 4, "Integer lang", -40},
    {"rparadox/TypSammlung.DB", 4, "Datum/Zeit", dateTime(2003, 6, 10, 11, 11, 11)},
    {"rparadox/TypSammlung.DB", 4, "Logisch", true},
    {"rparadox/TypSammlung.DB", 4, "Zähler", 2},
};

class FixtureValueTest : public testing::TestWithParam<ExpectedValue> {};

TEST_P(FixtureValueTest, readsTheValueTheFileHolds)
{
    SKIP_WITHOUT_FIXTURES();
    const ExpectedValue& expected = GetParam();
    const ParadoxTable table(ParadoxFixtures::path(QString::fromUtf8(expected.table)));
    const int column = table.fieldIndex(QString::fromUtf8(expected.field));
    ASSERT_GE(column, 0);
    const QVariant actual = table.readAll().value(expected.row).value(column);
    if (expected.value.typeId() == QMetaType::Double) {
        ASSERT_EQ(actual.typeId(), QMetaType::Double) << actual.typeName();
        EXPECT_NEAR(actual.toDouble(), expected.value.toDouble(), 1e-9);
    } else {
        EXPECT_EQ(actual, expected.value) << actual.toString().toStdString();
        EXPECT_EQ(actual.isNull(), expected.value.isNull());
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureValueTest, testing::ValuesIn(expectedValues));

struct ExpectedTable {
    const char* table;
    int records;
    int codePage;
};

const ExpectedTable expectedTables[] = {
    {"paradoxdriver/areas/STATES.DB", 53, 0},
    {"paradoxdriver/db/CUSTOMER.DB", 20, 1252},
    {"paradoxdriver/db/HERCULES.DB", 20, 1252},
    {"paradoxdriver/db/ORDERS.DB", 224, 437},
    {"paradoxdriver/fields/bcd.db", 3, 850},
    {"paradoxdriver/fields/bytes.db", 1, 850},
    {"paradoxdriver/fields/date35.db", 3, 0},
    {"paradoxdriver/fields/date7.db", 5, 850},
    {"paradoxdriver/fields/fmemo.db", 2, 850},
    {"paradoxdriver/fields/logical.db", 4, 1252},
    {"rparadox/TypSammlung.DB", 5, 1252},
    {"rparadox/country.db", 18, 850},
    {"rparadox/empty.db", 0, 1252},
};

void PrintTo(const ExpectedTable& expected, std::ostream* out)
{
    *out << expected.table;
}

class FixtureTableTest : public testing::TestWithParam<ExpectedTable> {};

TEST_P(FixtureTableTest, readsAsManyRecordsAsTheHeaderCounts)
{
    SKIP_WITHOUT_FIXTURES();
    const ParadoxTable table(ParadoxFixtures::path(QString::fromUtf8(GetParam().table)));
    EXPECT_EQ(table.recordCount(), GetParam().records);
    EXPECT_EQ(table.codePage(), GetParam().codePage);
    const QList<QVariantList> rows = table.readAll();
    ASSERT_EQ(rows.size(), GetParam().records);
    for (const QVariantList& row : rows)
        EXPECT_EQ(row.size(), table.fields().size());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureTableTest, testing::ValuesIn(expectedTables));

// Tables without memo files, which pxlib reads without crashing.
class PxlibAgreementTest : public testing::TestWithParam<const char*> {};

bool sameValue(const QVariant& ours, const QVariant& theirs)
{
    if (ours.typeId() == QMetaType::Double)
        return std::abs(ours.toDouble() - theirs.toDouble()) < 1e-9;
    return ours == theirs;
}

TEST_P(PxlibAgreementTest, agreesWithPxlibOnEveryValueItReads)
{
    SKIP_WITHOUT_FIXTURES();
    const QString path = ParadoxFixtures::path(QString::fromUtf8(GetParam()));
    const QList<QVariantList> ours = ParadoxTable(path).readAll();
    const QList<QVariantList> theirs = PxlibReader::readAll(path);
    ASSERT_EQ(ours.size(), theirs.size());
    int compared = 0;
    for (int r = 0; r < ours.size(); ++r) {
        for (int c = 0; c < ours[r].size(); ++c) {
            // pxlib reads blanks as numbers, so only filled values are compared.
            if (ours[r][c].isNull() || theirs[r][c].isNull())
                continue;
            EXPECT_TRUE(sameValue(ours[r][c], theirs[r][c]))
                << "row " << r << " column " << c << ": " << ours[r][c].toString().toStdString()
                << " / " << theirs[r][c].toString().toStdString();
            ++compared;
        }
    }
    EXPECT_GT(compared, 0);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PxlibAgreementTest,
                         testing::Values("paradoxdriver/areas/STATES.DB",
                                         "paradoxdriver/db/ORDERS.DB",
                                         "paradoxdriver/fields/date4.db",
                                         "paradoxdriver/fields/date7.db",
                                         "paradoxdriver/fields/logical.db",
                                         "paradoxdriver/fields/long.db", "rparadox/country.db"));

TEST(FixtureTables, memoFileServesBothKindsOfMemoBlocks)
{
    SKIP_WITHOUT_FIXTURES();
    // Short memos share sub-allocated blocks, long ones have a block each.
    const ParadoxTable table(ParadoxFixtures::path(QStringLiteral("paradoxdriver/db/CUSTOMER.DB")));
    const int comments = table.fieldIndex(QStringLiteral("comments"));
    const QList<QVariantList> rows = table.readAll();
    EXPECT_TRUE(rows[1][comments].toString().startsWith(
        QStringLiteral("\tThe length of the leader may be zero for type B fields.")));
    EXPECT_TRUE(
        rows[3][comments].toString().startsWith(QStringLiteral(" The PARADOX File Structure")));
    const ParadoxTable memo(ParadoxFixtures::path(QStringLiteral("paradoxdriver/fields/memo.db")));
    EXPECT_EQ(memo.readAll()[0][1].toString().size(), 555);
}

TEST(FixtureTables, formattedMemoComesWhole)
{
    SKIP_WITHOUT_FIXTURES();
    const ParadoxTable table(
        ParadoxFixtures::path(QStringLiteral("paradoxdriver/fields/fmemo.db")));
    const QList<QVariantList> rows = table.readAll();
    EXPECT_EQ(rows[0][1].toString().size(), 169);
    EXPECT_EQ(rows[1][1].toString().size(), 726);
}

TEST(FixtureTables, bytesComeAsStored)
{
    SKIP_WITHOUT_FIXTURES();
    const ParadoxTable table(
        ParadoxFixtures::path(QStringLiteral("paradoxdriver/fields/bytes.db")));
    const QByteArray bytes = table.readAll()[0][0].toByteArray();
    EXPECT_EQ(bytes.size(), 255);
    EXPECT_TRUE(bytes.startsWith(QByteArray("1\0"
                                            "2\0"
                                            "3\0",
                                            6)));
}

TEST(FixtureTables, describesEveryFieldType)
{
    SKIP_WITHOUT_FIXTURES();
    using Type = ParadoxField::Type;
    const ParadoxTable table(ParadoxFixtures::path(QStringLiteral("rparadox/TypSammlung.DB")));
    const QList<ParadoxField> expected = {
        {QStringLiteral("Alpha"), Type::Alpha, 30},
        {QStringLiteral("Numerisch"), Type::Number, 8},
        {QString::fromUtf8("Währung"), Type::Currency, 8},
        {QStringLiteral("Integer kurz"), Type::Short, 2},
        {QStringLiteral("Integer lang"), Type::Long, 4},
        {QStringLiteral("BCD"), Type::Bcd, 17},
        {QStringLiteral("Datum"), Type::Date, 4},
        {QStringLiteral("Zeit"), Type::Time, 4},
        {QStringLiteral("Datum/Zeit"), Type::Timestamp, 8},
        {QStringLiteral("Memo"), Type::Memo, 11},
        {QStringLiteral("Logisch"), Type::Logical, 1},
        {QString::fromUtf8("Zähler"), Type::AutoIncrement, 4},
        {QString::fromUtf8("Binär"), Type::Blob, 10},
        {QStringLiteral("Bytes"), Type::Bytes, 255},
    };
    EXPECT_EQ(table.fields(), expected);
    EXPECT_EQ(table.fieldIndex(QString::fromUtf8("zÄhler")), 11);
    EXPECT_EQ(table.fieldIndex(QStringLiteral("none")), -1);
}

TEST(FixtureTables, visitorStopsTheReading)
{
    SKIP_WITHOUT_FIXTURES();
    const ParadoxTable table(ParadoxFixtures::path(QStringLiteral("paradoxdriver/db/ORDERS.DB")));
    int visited = 0;
    table.forEachRecord([&visited](const QVariantList&) { return ++visited < 3; });
    EXPECT_EQ(visited, 3);
}
} // namespace
