#include "RemovalBenchmark.h"

#include "BenchmarkHost.h"
#include "Database.h"
#include "Query.h"
#include "Stopwatch.h"
#include "TDataModule1.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int runs = 3;
constexpr int nonPayers = 5000;

void exec(sqlite3* db, const QByteArray& sql)
{
    sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

// A copy of the chapter in which every member has paid the summary year but every fourth,
// up to the count of non-payers.
class Copy {
public:
    Copy(const QString& source, int year)
    {
        m_directory = m_folder.filePath(QStringLiteral("data"));
        QDir().mkpath(m_directory);
        QFile::copy(QDir(source).filePath(QLatin1String(Database::FileName)), databasePath());
        sqlite3* db = nullptr;
        sqlite3_open_v2(databasePath().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        const QByteArray y = QByteArray::number(year);
        exec(db, "UPDATE Clenove SET LAST_CLENSTVI = " + y);
        exec(db, "UPDATE Clenove SET LAST_CLENSTVI = " + QByteArray::number(year - 1) +
                     " WHERE rowid IN (SELECT rowid FROM Clenove WHERE rowid % 4 = 0 LIMIT " +
                     QByteArray::number(nonPayers) + ")");
        exec(db, "DELETE FROM Vyrazeni");
        sqlite3_close(db);
    }
    const QString& directory() const { return m_directory; }
    QString databasePath() const
    {
        return QDir(m_directory).filePath(QLatin1String(Database::FileName));
    }

private:
    QTemporaryDir m_folder;
    QString m_directory;
};

int summaryYearOf(const QString& directory)
{
    Database db(directory);
    SqlStatement st = db.prepare(QStringLiteral("SELECT PRACOVNI_ROK_SUM FROM Setup"));
    return st.step() ? int(st.integer(0)) : 0;
}

QByteArray plainRemovalSql(int year)
{
    const QByteArray unpaid =
        "(LAST_CLENSTVI < " + QByteArray::number(year) + " OR LAST_CLENSTVI IS NULL)";
    QByteArray sql = "BEGIN IMMEDIATE; DELETE FROM Vyrazeni WHERE CLEN_CISLO IN (SELECT CLEN_CISLO "
                     "FROM Clenove WHERE " +
                     unpaid + "); INSERT INTO Vyrazeni SELECT * FROM Clenove WHERE " + unpaid + ";";
    for (const char* table : {"Povol", "Brigady", "Vyznam"})
        sql += QByteArray(" DELETE FROM ") + table +
               " WHERE CLEN_CISLO IN (SELECT CLEN_CISLO FROM Clenove WHERE " + unpaid + ");";
    return sql + " DELETE FROM Clenove WHERE " + unpaid + "; COMMIT;";
}

int rowCount(sqlite3* db, const char* table)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, (QByteArray("SELECT count(*) FROM ") + table).constData(), -1, &st,
                       nullptr);
    const int count = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
    sqlite3_finalize(st);
    return count;
}

} // namespace

RemovalBenchmark::RemovalBenchmark(const QString& dataDirectory)
    : m_directory(dataDirectory)
{
}

BenchmarkResult RemovalBenchmark::run()
{
    const int year = summaryYearOf(m_directory);
    BenchmarkResult result{
        QStringLiteral("%1 non-payers removed with their payments, brigades and awards")
            .arg(nonPayers),
        0, 0};
    std::unique_ptr<Copy> copy;
    std::unique_ptr<Database> db;
    std::unique_ptr<BenchmarkHost> host;
    std::unique_ptr<TDataModule1> data;
    int removed = 0;
    result.oursMs = Stopwatch::medianOf(
        runs,
        [&] {
            data.reset();
            db.reset();
            copy = std::make_unique<Copy>(m_directory, year);
            db = std::make_unique<Database>(copy->directory());
            host = std::make_unique<BenchmarkHost>();
            data = std::make_unique<TDataModule1>(*db, *host);
            data->DataModuleCreate();
        },
        [&] {
            Query selection(*db);
            selection.setSql(
                {QStringLiteral("select * from CLENOVE"),
                 QStringLiteral("where (LAST_CLENSTVI<%1) or (LAST_CLENSTVI is null)").arg(year),
                 QStringLiteral("ORDER BY PRIJMENI ")});
            selection.open();
            QStringList numbers;
            for (selection.first(); !selection.eof(); selection.next())
                numbers << selection.fieldByName(QStringLiteral("CLEN_CISLO")).asString();
            removed = data->removeMembers(numbers);
        });
    if (removed != nonPayers || !host->errors().isEmpty())
        result.name += QStringLiteral(" (UNEXPECTED: %1 removed)").arg(removed);
    data.reset();
    db.reset();

    const QByteArray sql = plainRemovalSql(year);
    sqlite3* plain = nullptr;
    result.sqliteMs = Stopwatch::medianOf(
        runs,
        [&] {
            if (plain)
                sqlite3_close(plain);
            copy = std::make_unique<Copy>(m_directory, year);
            sqlite3_open_v2(copy->databasePath().toUtf8().constData(), &plain,
                            SQLITE_OPEN_READWRITE, nullptr);
            exec(plain, "PRAGMA journal_mode=WAL");
            exec(plain, "PRAGMA synchronous=FULL");
        },
        [&] { exec(plain, sql); });
    if (rowCount(plain, "Vyrazeni") != nonPayers)
        result.name += QStringLiteral(" (UNEXPECTED: plain SQLite removed %1)")
                           .arg(rowCount(plain, "Vyrazeni"));
    sqlite3_close(plain);
    return result;
}
