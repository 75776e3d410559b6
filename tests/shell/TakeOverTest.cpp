#include "DataDirectoryInitializer.h"
#include "DataModel.h"
#include "Database.h"
#include "EngineError.h"
#include "GuiTestSupport.h"
#include "Messages.h"
#include "ParadoxChapterWriter.h"
#include "ParadoxTable.h"
#include "ParadoxTakeOver.h"
#include "ProgramStart.h"
#include "QuietHost.h"
#include "TDataModule1.h"
#include "Table.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Members = 80;

QByteArray digestOfFiles(const QString& directory)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& name : QDir(directory).entryList(QDir::Files, QDir::Name)) {
        QFile f(QDir(directory).filePath(name));
        if (f.open(QIODevice::ReadOnly)) {
            hash.addData(name.toUtf8());
            hash.addData(f.readAll());
        }
    }
    return hash.result();
}

// The named fields of every row, as a cursor reads them.
QList<QVariantList> rowsOf(Database& db, const QString& table, const QList<FieldDef>& fields)
{
    Table cursor(db, table);
    cursor.open();
    QList<QVariantList> rows;
    for (cursor.first(); !cursor.eof(); cursor.next()) {
        QVariantList row;
        for (const FieldDef& f : fields)
            row << cursor.fieldByName(f.name).value();
        rows << row;
    }
    return rows;
}

// A demo chapter of the program, written out as an older version kept it: a directory of
// Paradox tables with Czech text, notes, blanks and the older fee and catch layouts.
class TakeOver : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureTestApplication();
        source = temp.filePath(u"zdroj"_s);
        old = temp.filePath(u"stara-data"_s);
        DataDirectoryInitializer::Options options;
        options.demo = true;
        options.members = Members;
        options.seed = 7;
        options.year = 2012;
        DataDirectoryInitializer::create(source, options);
        QDir().mkpath(old);
        Database db(source);
        ParadoxChapterWriter::writeOlderLayouts(db, old);
    }

    QTemporaryDir temp;
    QString source;
    QString old;
};

TEST_F(TakeOver, EveryRowAndValueComesOverAndTheOldFilesStayAsTheyWere)
{
    const QByteArray before = digestOfFiles(old);
    const ParadoxTakeOver::Counts counts = ParadoxTakeOver::takeOver(old);

    {
        Database original(source);
        Database taken(old);
        ASSERT_EQ(counts.size(), original.tableNames().size());
        for (const auto& [table, rows] : counts) {
            ASSERT_FALSE(original.tableNameFor(table).isEmpty()) << table.toStdString();
            EXPECT_EQ(rows, original.rowCount(table)) << table.toStdString();
            const QList<FieldDef> fields = taken.tableDef(taken.requireTable(table)).fields;
            for (const FieldDef& f : fields)
                EXPECT_FALSE(ParadoxChapterWriter::newerFields(table).contains(f.name));
            EXPECT_EQ(rowsOf(taken, table, fields), rowsOf(original, table, fields))
                << table.toStdString();
        }
        EXPECT_EQ(taken.layoutVersion(), 0) << "the start-up brings the layouts up to date";
        EXPECT_EQ(ParadoxTakeOver::countLines(counts).filter(u"Clenove: "_s),
                  QStringList{u"Clenove: %1 záznamů"_s.arg(Members)});
    }
    // Only the new database was added beside the Paradox files.
    QStringList added = QDir(old).entryList(QDir::Files);
    added.removeIf([](const QString& f) { return f.endsWith(u".DB"_s); });
    added.removeAll(QLatin1String(Database::FileName) + u".lock"_s);
    EXPECT_EQ(added, QStringList{QLatin1String(Database::FileName)});
    QFile::remove(QDir(old).filePath(QLatin1String(Database::FileName)));
    QFile::remove(QDir(old).filePath(QLatin1String(Database::FileName) + u".lock"_s));
    EXPECT_EQ(digestOfFiles(old), before);
}

TEST_F(TakeOver, StartUpBringsTheTakenOverTablesUpToDate)
{
    ParadoxTakeOver::takeOver(old);
    Database db(old);
    const int paymentsBefore = db.rowCount(u"Povol"_s);
    QuietHost host;
    QStringList shown;
    Messages::setResponder([&shown](Messages::Kind, const QString& text, Messages::Buttons) {
        shown << text;
        return Messages::Answer::Ok;
    });
    {
        TDataModule1 data(db, host);
        data.DataModuleCreate();
    }
    Messages::setResponder({});
    EXPECT_EQ(db.layoutVersion(), DataModel::layoutVersion);
    for (const char* table : {"Povol", "PovolSet", "SumPovol", "NumPovol"})
        EXPECT_GE(db.tableDef(QLatin1String(table)).fieldIndex(u"POSTOVNE"_s), 0) << table;
    for (const char* table : {"SuMP2010", "SuPS2012", "CSumMP"})
        EXPECT_GE(db.tableDef(db.requireTable(QLatin1String(table))).fieldIndex(u"PODOUSTEV_KS"_s),
                  0)
            << table;
    EXPECT_EQ(db.rowCount(u"Povol"_s), paymentsBefore);
    // Nothing is missing from the upgraded layouts and no key is blank.
    for (const QString& text : std::as_const(shown))
        EXPECT_FALSE(text.contains(u"chybí"_s) || text.contains(u"prázdn"_s)) << text.toStdString();
}

TEST_F(TakeOver, ADamagedTableStopsItWholeAndLeavesNoData)
{
    QFile payments(QDir(old).filePath(u"Povol.DB"_s));
    ASSERT_TRUE(payments.open(QIODevice::ReadWrite));
    payments.resize(payments.size() / 2);
    payments.close();
    try {
        ParadoxTakeOver::takeOver(old);
        ADD_FAILURE() << "a damaged table was taken over";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains(u"Povol.DB"_s)) << e.message().toStdString();
    }
    EXPECT_FALSE(Database::existsIn(old));
    EXPECT_FALSE(QDir(old).exists(u".zeb-novy"_s));
}

TEST_F(TakeOver, TablesOfAnyLayoutComeOverWithTheirMemos)
{
    const QDir fixtures(QStringLiteral(ZEB_PARADOX_FIXTURES) + u"/paradoxdriver/db"_s);
    if (!fixtures.exists())
        GTEST_SKIP() << "no Paradox test tables at " << fixtures.path().toStdString();
    for (const char* file : {"CUSTOMER.DB", "CUSTOMER.MB"})
        ASSERT_TRUE(QFile::copy(fixtures.filePath(QLatin1String(file)),
                                QDir(old).filePath(QLatin1String(file))));
    const QList<QVariantList> read = ParadoxTable(QDir(old).filePath(u"CUSTOMER.DB"_s)).readAll();
    ParadoxTakeOver::takeOver(old);

    Database db(old);
    const QList<FieldDef> fields = db.tableDef(db.requireTable(u"CUSTOMER"_s)).fields;
    const QList<QVariantList> taken = rowsOf(db, u"CUSTOMER"_s, fields);
    ASSERT_EQ(taken.size(), read.size());
    const int comments = db.tableDef(u"CUSTOMER"_s).fieldIndex(u"Comments"_s);
    ASSERT_GE(comments, 0);
    EXPECT_EQ(fields[comments].type, FieldType::Memo);
    int memos = 0;
    for (int r = 0; r < read.size(); ++r) {
        EXPECT_EQ(taken[r][comments].toString(), read[r][comments].toString()) << "row " << r;
        memos += !read[r][comments].isNull();
    }
    EXPECT_GT(memos, 0);
}

TEST_F(TakeOver, TheProgramOffersItAndTellsWhatCameOver)
{
    QStringList asked;
    Messages::setResponder([&asked](Messages::Kind, const QString& text, Messages::Buttons) {
        asked << text;
        return Messages::Answer::Yes;
    });
    EXPECT_TRUE(ProgramStart::ensureDataDirectory(old));
    Messages::setResponder({});
    ASSERT_EQ(asked.size(), 2);
    EXPECT_TRUE(asked[0].contains(QDir::toNativeSeparators(QDir(old).absolutePath())));
    EXPECT_TRUE(
        asked[0].contains(u"(%1 tabulek Paradox)"_s.arg(ParadoxTakeOver::tableFiles(old).size())));
    EXPECT_TRUE(asked[1].contains(u"Clenove: %1 záznamů"_s.arg(Members))) << asked[1].toStdString();
    EXPECT_TRUE(Database::existsIn(old));
    EXPECT_FALSE(ParadoxTakeOver::offeredFor(old)) << "offered once, then the data are there";
}

} // namespace
