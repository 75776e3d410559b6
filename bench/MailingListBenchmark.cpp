#include "MailingListBenchmark.h"

#include "Stopwatch.h"

#include "Database.h"
#include "MailingList.h"
#include "Query.h"

#include <sqlite3.h>

#include <QDir>

namespace {

constexpr int runs = 3;

void exec(sqlite3* db, const QByteArray& sql)
{
    sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

void plainRebuild(sqlite3* db, const QByteArray& list)
{
    exec(db, "BEGIN IMMEDIATE");
    exec(db, "DELETE FROM " + list);
    sqlite3_stmt* read = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT PRIJMENI, JMENO, TITUL, ZENA, ULICE, OBEC, PSC FROM Clenove "
                       "ORDER BY PRIJMENI, CLEN_CISLO",
                       -1, &read, nullptr);
    sqlite3_stmt* write = nullptr;
    const QByteArray insert = "INSERT INTO " + list +
                              " (PRIJMENI, JMENO, TITUL, ZENA, ULICE, OBEC, PSC, VYTISKNUTO) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, 0)";
    sqlite3_prepare_v2(db, insert.constData(), -1, &write, nullptr);
    while (sqlite3_step(read) == SQLITE_ROW) {
        for (int i = 0; i < 7; ++i)
            sqlite3_bind_value(write, i + 1, sqlite3_column_value(read, i));
        sqlite3_step(write);
        sqlite3_reset(write);
    }
    sqlite3_finalize(write);
    sqlite3_finalize(read);
    exec(db, "COMMIT");
}

} // namespace

BenchmarkResult MailingListBenchmark::run(const QString& dataDirectory)
{
    BenchmarkResult r{QStringLiteral("mailing list of 20 000 members rebuilt with households"), 0,
                      0};
    QByteArray list;
    {
        Database db(dataDirectory);
        list = Database::quoteIdentifier(db.requireTable(QStringLiteral("ZPRAVOD"))).toUtf8();
        Query selection(db);
        selection.setSql(
            {QStringLiteral("select * from CLENOVE"), QStringLiteral(" "), QStringLiteral(" ")});
        int rows = 0;
        r.oursMs = Stopwatch::medianOf(runs, [&] {
            selection.setSqlLine(2, QStringLiteral("ORDER BY PRIJMENI,CLEN_CISLO"));
            selection.open();
            rows = MailingList(db).rebuild(selection, true);
        });
        if (rows == 0)
            r.name += QStringLiteral(" (UNEXPECTED: no rows)");
    }
    sqlite3* db = nullptr;
    const QString path = QDir(dataDirectory).filePath(QLatin1String(Database::FileName));
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    exec(db, "PRAGMA journal_mode=WAL");
    exec(db, "PRAGMA synchronous=FULL");
    r.sqliteMs = Stopwatch::medianOf(runs, [&] { plainRebuild(db, list); });
    sqlite3_close(db);
    return r;
}
