#include "ParadoxFixtures.h"

#include "ParadoxError.h"
#include "ParadoxTable.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {
quint16 word(const QByteArray& bytes, int at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

void setWord(QByteArray& bytes, int at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

int firstBlock(const QByteArray& table)
{
    return word(table, 0x02);
}

// memo.db's first record: Id (4 bytes), then the memo field of 250 bytes whose last ten
// point into memo.mb.
int firstMemoPointer(const QByteArray& table)
{
    return firstBlock(table) + 6 + 4 + 240;
}

struct Damage {
    const char* name;
    const char* table;
    bool inMemoFile;
    std::function<void(QByteArray&)> spoil;
    const char* says;
};

void PrintTo(const Damage& damage, std::ostream* out)
{
    *out << damage.name;
}

const Damage damages[] = {
    {"truncatedHeader", "paradoxdriver/fields/long.db", false,
     [](QByteArray& b) { b.truncate(0x40); }, "hlavička"},
    {"headerLongerThanFile", "paradoxdriver/fields/long.db", false,
     [](QByteArray& b) { b.truncate(0x700); }, "hlavička je kratší, než udává"},
    {"indexFile", "paradoxdriver/fields/long.db", false, [](QByteArray& b) { b[0x04] = 1; },
     "není datová tabulka"},
    {"unknownVersion", "paradoxdriver/fields/long.db", false,
     [](QByteArray& b) { b[0x39] = char(99); }, "neznámá verze"},
    {"zeroBlockSize", "paradoxdriver/fields/long.db", false, [](QByteArray& b) { b[0x05] = 0; },
     "velikost bloku"},
    {"noFields", "paradoxdriver/fields/long.db", false, [](QByteArray& b) { setWord(b, 0x21, 0); },
     "počet polí"},
    {"unknownFieldType", "paradoxdriver/fields/long.db", false,
     [](QByteArray& b) { b[0x78] = char(0x33); }, "neznámý typ"},
    {"wrongFieldSize", "paradoxdriver/fields/long.db", false, [](QByteArray& b) { b[0x7B] = 3; },
     "neplatnou délku"},
    {"recordSizeDiffers", "paradoxdriver/fields/long.db", false,
     [](QByteArray& b) { setWord(b, 0x00, 9); }, "délka záznamu"},
    {"fieldNamesRunPastHeader", "paradoxdriver/fields/long.db", false,
     [](QByteArray& b) {
         b.replace(0xD7, firstBlock(b) - 0xD7, QByteArray(firstBlock(b) - 0xD7, 'x'));
     },
     "název pole"},
    {"firstBlockOutsideFile", "paradoxdriver/fields/long.db", false,
     [](QByteArray& b) { setWord(b, 0x0E, 9); }, "leží mimo soubor"},
    {"blockChainLoops", "paradoxdriver/db/ORDERS.DB", false,
     [](QByteArray& b) { setWord(b, firstBlock(b), 1); }, "zacyklil"},
    {"blockLinksBackWrongly", "paradoxdriver/db/ORDERS.DB", false,
     [](QByteArray& b) { setWord(b, firstBlock(b) + 2, 5); }, "neodkazuje zpět"},
    {"moreRecordsInHeader", "paradoxdriver/fields/long.db", false,
     [](QByteArray& b) { b[0x06] = 4; }, "hlavička udává 4"},
    {"oddRecordCountInBlock", "paradoxdriver/fields/long.db", false,
     [](QByteArray& b) { setWord(b, firstBlock(b) + 4, 3); }, "neplatný počet záznamů"},
    {"recordsPastEndOfFile", "paradoxdriver/fields/long.db", false,
     [](QByteArray& b) { b.truncate(firstBlock(b) + 10); }, "za koncem souboru"},
    {"memoPointerPastMemoFile", "paradoxdriver/fields/memo.db", false,
     [](QByteArray& b) { b[firstMemoPointer(b) + 2] = char(0x70); }, "mimo soubor"},
    {"memoPointerIntoHeader", "paradoxdriver/fields/memo.db", false,
     [](QByteArray& b) { b[firstMemoPointer(b) + 1] = 0; }, "hlavičky souboru"},
    {"memoLengthDiffers", "paradoxdriver/fields/memo.db", false,
     [](QByteArray& b) { b[firstMemoPointer(b) + 4] = char(b[firstMemoPointer(b) + 4] + 1); },
     "neodpovídá bloku"},
    {"memoBlockOfUnknownKind", "paradoxdriver/fields/memo.db", true,
     [](QByteArray& b) { b[0x1000] = 4; }, "nenese poznámku"},
    {"memoFileTruncated", "paradoxdriver/fields/memo.db", true,
     [](QByteArray& b) { b.truncate(0x1010); }, "mimo soubor"},
};

class DamagedTableTest : public testing::TestWithParam<Damage> {};

TEST_P(DamagedTableTest, refusesWithMessageNamingTheFile)
{
    SKIP_WITHOUT_FIXTURES();
    const Damage& damage = GetParam();
    QTemporaryDir dir;
    const QString table = ParadoxFixtures::copy(QString::fromUtf8(damage.table), dir);
    const QFileInfo info(table);
    const QString spoiled =
        damage.inMemoFile ? info.dir().filePath(info.completeBaseName() + QStringLiteral(".mb"))
                          : table;
    QByteArray bytes = ParadoxFixtures::read(spoiled);
    damage.spoil(bytes);
    ParadoxFixtures::write(spoiled, bytes);
    try {
        ParadoxTable(table).readAll();
        FAIL() << "no error";
    } catch (const ParadoxError& error) {
        EXPECT_TRUE(error.message().contains(QFileInfo(spoiled).fileName()))
            << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QString::fromUtf8(damage.says)))
            << error.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedTableTest, testing::ValuesIn(damages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedTables, missingMemoFileIsNamed)
{
    SKIP_WITHOUT_FIXTURES();
    QTemporaryDir dir;
    const QString table =
        ParadoxFixtures::copy(QStringLiteral("paradoxdriver/fields/memo.db"), dir);
    QFile::remove(dir.filePath(QStringLiteral("memo.mb")));
    try {
        ParadoxTable{table};
        FAIL() << "no error";
    } catch (const ParadoxError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("chybí soubor poznámek")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("memo.mb")));
    }
}

TEST(DamagedTables, missingTableCannotBeOpened)
{
    QTemporaryDir dir;
    try {
        ParadoxTable{dir.filePath(QStringLiteral("CLENOVE.DB"))};
        FAIL() << "no error";
    } catch (const ParadoxError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("CLENOVE.DB nelze otevřít")));
    }
}

TEST(DamagedTables, memoFileFoundInAnyLetterCase)
{
    SKIP_WITHOUT_FIXTURES();
    QTemporaryDir dir;
    const QString table =
        ParadoxFixtures::copy(QStringLiteral("paradoxdriver/fields/memo.db"), dir);
    QFile::rename(dir.filePath(QStringLiteral("memo.mb")), dir.filePath(QStringLiteral("MEMO.MB")));
    EXPECT_EQ(ParadoxTable(table).readAll().size(), 2);
}
} // namespace
