#include "DataSafetyBenchmark.h"

#include "DataBackups.h"
#include "Database.h"
#include "PlainSqlite.h"
#include "Stopwatch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
        backup.oursMs = Stopwatch::medianOf(3, [&] { QFile::remove(backups.make(db)); });
        check.oursMs = Stopwatch::medianOf(3, [&] { db.integrityProblems(true); });
    }
    const QString copy = scratch.filePath(QStringLiteral("plain.sqlite"));
    backup.sqliteMs = Stopwatch::medianOf(3, [&] { PlainSqlite::copy(file, copy); });
    check.sqliteMs = Stopwatch::medianOf(3, [&] { PlainSqlite::quickCheck(file); });
    return {backup, check};
}
