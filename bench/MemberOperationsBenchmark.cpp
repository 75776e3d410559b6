#include "MemberOperationsBenchmark.h"

#include "BenchmarkHost.h"
#include "Database.h"
#include "Stopwatch.h"
#include "TDataModule1.h"
#include "Table.h"

#include <sqlite3.h>

#include <QDir>

namespace {

constexpr int runs = 5;
constexpr int payments = 50;
constexpr int brigades = 50;
constexpr int awards = 10;

const char* const memberTables[] = {"Clenove", "Povol", "Brigady", "Vyznam"};

void exec(sqlite3* db, const QByteArray& sql)
{
    sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

// The numbers 1 … count as the rows of "k", for inserting that many rows at once.
QByteArray series(int count)
{
    return "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < " +
           QByteArray::number(count) + ") ";
}

// The member and its records, written the same way for both sides. The numbers used start
// with a letter, so they are free in a generated chapter, whose numbers are digits.
void addMemberWithRecords(sqlite3* db, const QByteArray& number)
{
    const QByteArray n = "'" + number + "'";
    exec(db, "BEGIN");
    exec(db, "INSERT INTO Clenove (CLEN_CISLO, PRIJMENI, JMENO, KATEGORIE) VALUES (" + n +
                 ", 'Zkušební', 'Člen', 'dospělý')");
    exec(db, series(payments) +
                 "INSERT INTO Povol (CLEN_CISLO, ROK, CLEN_PRISP, CELKEM_KC, VYDANO) SELECT " + n +
                 ", 2026 - i, 800, 2000, printf('%04d-03-01', 2026 - i) FROM k");
    exec(db, series(brigades) + "INSERT INTO Brigady (CLEN_CISLO, DATUM, HODIN, AKCE) SELECT " + n +
                 ", date('2026-01-07', printf('-%d days', 7 * i)), 2.5, 'Úklid' FROM k");
    exec(db, series(awards) +
                 "INSERT INTO Vyznam (CLEN_CISLO, DRUH_VYZNAMENANI, DATUM_UDELENI) SELECT " + n +
                 ", 'Odznak ' || i, printf('%04d-05-01', 2000 + i) FROM k");
    exec(db, "COMMIT");
}

// What the data module does for a renumbering or a delete, by hand: the member and its
// records in one transaction.
void plainRenumber(sqlite3* db, const QByteArray& from, const QByteArray& to)
{
    exec(db, "BEGIN IMMEDIATE");
    for (const char* table : memberTables)
        exec(db, QByteArray("UPDATE ") + table + " SET CLEN_CISLO = '" + to +
                     "' WHERE CLEN_CISLO = '" + from + "'");
    exec(db, "COMMIT");
}

void plainDelete(sqlite3* db, const QByteArray& number)
{
    exec(db, "BEGIN IMMEDIATE");
    for (const char* table : memberTables)
        exec(db, QByteArray("DELETE FROM ") + table + " WHERE CLEN_CISLO = '" + number + "'");
    exec(db, "COMMIT");
}

// The member's row and records in all four tables.
int rowsOf(sqlite3* db, const QByteArray& number)
{
    int found = 0;
    for (const char* table : memberTables) {
        sqlite3_stmt* st = nullptr;
        const QByteArray sql =
            QByteArray("SELECT count(*) FROM ") + table + " WHERE CLEN_CISLO = '" + number + "'";
        sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
        if (sqlite3_step(st) == SQLITE_ROW)
            found += sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
    }
    return found;
}

QByteArray numbered(char letter, int run)
{
    return QByteArray(1, letter) + QByteArray::number(run);
}

void check(BenchmarkResult& result, bool expected, const char* otherwise)
{
    if (!expected)
        result.name += QStringLiteral(" (UNEXPECTED: %1)").arg(QLatin1String(otherwise));
}

// Makes the member current in the members cursor, as the window does before the user acts.
void select(TDataModule1& data, const QByteArray& number)
{
    // Written behind the cursors' back: they read the tables anew.
    data.database().touchAll();
    data.TableClenove().locate(QStringLiteral("CLEN_CISLO"), QString::fromLatin1(number));
}

} // namespace

MemberOperationsBenchmark::MemberOperationsBenchmark(const QString& dataDirectory)
    : m_directory(dataDirectory)
{
}

QList<BenchmarkResult> MemberOperationsBenchmark::runAll()
{
    BenchmarkResult renumber{
        QStringLiteral("member with 50 payments, 50 brigades, 10 awards saved under a new number"),
        0, 0};
    BenchmarkResult deletion{
        QStringLiteral("member with 50 payments, 50 brigades, 10 awards deleted with them"), 0, 0};
    {
        Database db(m_directory);
        BenchmarkHost host;
        TDataModule1 data(db, host);
        data.DataModuleCreate();
        renumber.oursMs = oursRenumber(data, renumber);
        deletion.oursMs = oursDelete(data, deletion);
        for (BenchmarkResult* r : {&renumber, &deletion})
            check(*r, host.errors().isEmpty(), "the data module reported an error");
    }
    sqlite3* db = nullptr;
    const QString path = QDir(m_directory).filePath(QLatin1String(Database::FileName));
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    exec(db, "PRAGMA journal_mode=WAL");
    exec(db, "PRAGMA synchronous=FULL");
    renumber.sqliteMs = plainRenumbers(db);
    deletion.sqliteMs = plainDeletes(db);
    sqlite3_close(db);
    return {renumber, deletion};
}

double MemberOperationsBenchmark::oursRenumber(TDataModule1& data, BenchmarkResult& result)
{
    sqlite3* db = data.database().handle();
    const QByteArray first = numbered('T', 1);
    const QByteArray second = numbered('T', 2);
    addMemberWithRecords(db, first);
    select(data, first);
    Table& members = data.TableClenove();
    bool moved = false;
    const double ms = Stopwatch::medianOf(runs, [&] {
        members.edit();
        members.fieldByName(QStringLiteral("CLEN_CISLO"))
            .setAsString(QString::fromLatin1(moved ? first : second));
        members.post();
        moved = !moved;
    });
    check(result, rowsOf(db, moved ? second : first) == 1 + payments + brigades + awards,
          "rows left behind");
    data.deleteMember(TDataModule1::Payments::Delete);
    return ms;
}

double MemberOperationsBenchmark::oursDelete(TDataModule1& data, BenchmarkResult& result)
{
    sqlite3* db = data.database().handle();
    int run = 0;
    const double ms = Stopwatch::medianOf(
        runs,
        [&] {
            addMemberWithRecords(db, numbered('D', ++run));
            select(data, numbered('D', run));
        },
        [&] { data.deleteMember(TDataModule1::Payments::Delete); });
    check(result, rowsOf(db, numbered('D', run)) == 0, "rows left behind");
    return ms;
}

double MemberOperationsBenchmark::plainRenumbers(sqlite3* db)
{
    const QByteArray first = numbered('P', 1);
    const QByteArray second = numbered('P', 2);
    addMemberWithRecords(db, first);
    bool moved = false;
    const double ms = Stopwatch::medianOf(runs, [&] {
        plainRenumber(db, moved ? second : first, moved ? first : second);
        moved = !moved;
    });
    plainDelete(db, moved ? second : first);
    return ms;
}

double MemberOperationsBenchmark::plainDeletes(sqlite3* db)
{
    int run = 0;
    return Stopwatch::medianOf(
        runs, [&] { addMemberWithRecords(db, numbered('Q', ++run)); },
        [&] { plainDelete(db, numbered('Q', run)); });
}
