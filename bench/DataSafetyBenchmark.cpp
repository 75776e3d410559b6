#include "DataSafetyBenchmark.h"

#include "DataBackups.h"
#include "Database.h"
#include "Stopwatch.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

sqlite3* openPlain(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    return db;
}

void plainCopy(const QString& from, const QString& to)
{
    QFile::remove(to);
    sqlite3* source = openPlain(from, SQLITE_OPEN_READONLY);
    sqlite3* target = openPlain(to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    sqlite3_close(target);
    sqlite3_close(source);
}

void plainQuickCheck(const QString& path)
{
    sqlite3* db = openPlain(path, SQLITE_OPEN_READONLY);
    sqlite3_exec(db, "PRAGMA quick_check", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

DataSafetyBenchmark::DataSafetyBenchmark(const QString& dataDirectory)
    : m_directory(dataDirectory)
{
}

QList<BenchmarkResult> DataSafetyBenchmark::runAll()
{
    const QString file = QDir(m_directory).filePath(QLatin1String(Database::FileName));
    QTemporaryDir scratch;
    BenchmarkResult backup{QStringLiteral("backup with its full check"), 0, 0};
    BenchmarkResult check{QStringLiteral("quick check of the data at start"), 0, 0};
    {
        Database db(m_directory);
        DataBackups backups(scratch.path());
        backup.oursMs = Stopwatch::bestOf(3, [&] { QFile::remove(backups.make(db)); });
        check.oursMs = Stopwatch::bestOf(3, [&] { db.integrityProblems(true); });
    }
    const QString copy = scratch.filePath(QStringLiteral("plain.sqlite"));
    backup.sqliteMs = Stopwatch::bestOf(3, [&] { plainCopy(file, copy); });
    check.sqliteMs = Stopwatch::bestOf(3, [&] { plainQuickCheck(file); });
    return {backup, check};
}
