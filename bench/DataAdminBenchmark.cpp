#include "DataAdminBenchmark.h"

#include "BenchmarkHost.h"
#include "DataModel.h"
#include "Database.h"
#include "IssueCounts.h"
#include "RegisterCorrections.h"
#include "Stopwatch.h"
#include "TDataModule1.h"
#include "Table.h"

#include <sqlite3.h>

#include <QDate>
#include <QDir>

#include <functional>

namespace {

constexpr int runs = 3;
constexpr int oldYear = 1990;

// One correction: what makes its work to do again, the data module's operation (returning how
// many rows it changed) and the same change written by hand.
struct Correction {
    const char* name;
    QByteArray undo;
    std::function<int(Database&)> ours;
    QByteArray plain;
};

const QByteArray birthYear = "CAST(substr(RODNE_CISLO, 1, 2) AS INTEGER)";
const QByteArray birthMonth = "CAST(substr(RODNE_CISLO, 4, 2) AS INTEGER)";

QByteArray permitIssued(const char* water)
{
    return IssueCounts::permitIssuedSql(QLatin1String(water)).toUtf8();
}

// The year's counts by hand, written into the one row of the counts table.
QByteArray plainCounts(int year)
{
    QByteArray columns;
    for (const QString& item : DataModel::feeItems()) {
        const QByteArray name = item.toUtf8();
        columns += (columns.isEmpty() ? "" : ", ") +
                   ("count(CASE WHEN " + name + " > 0 THEN 1 END) AS " + name);
    }
    const QByteArray y = QByteArray::number(year);
    return "UPDATE NumPovol SET ROK = " + y + ", (" + DataModel::feeItems().join(u',').toUtf8() +
           ") = (SELECT " + columns + " FROM Povol WHERE ROK = " + y +
           ") WHERE rowid = (SELECT min(rowid) FROM NumPovol)";
}

QList<Correction> corrections(int year)
{
    return {
        {"postcodes of 20 000 members to 'xxx xx'",
         "UPDATE Clenove SET PSC = replace(PSC, ' ', '')",
         [](Database& db) { return RegisterCorrections(db).formatPostcodes(); },
         "UPDATE Clenove SET PSC = substr(PSC, 1, 3) || ' ' || substr(PSC, 4) "
         "WHERE length(PSC) >= 4 AND substr(PSC, 4, 1) <> ' '"},
        {"birth numbers of 20 000 members to 'yy.mm.dd/xxxx', women marked",
         "UPDATE Clenove SET RODNE_CISLO = replace(replace(RODNE_CISLO, '.', ''), '/', ''), "
         "ZENA = 0",
         [](Database& db) { return RegisterCorrections(db).formatBirthNumbers(); },
         "UPDATE Clenove SET RODNE_CISLO = substr(RODNE_CISLO, 1, 2) || '.' || "
         "substr(RODNE_CISLO, 3, 2) || '.' || substr(RODNE_CISLO, 5, 2) || '/' || "
         "substr(RODNE_CISLO, 7), ZENA = (substr(RODNE_CISLO, 3, 1) IN ('5', '6', '7', '8')) "
         "WHERE length(RODNE_CISLO) >= 6 AND substr(RODNE_CISLO, 3, 1) <> '.'"},
        {"birth dates of 20 000 members from their birth numbers",
         "UPDATE Clenove SET DATUM_NAROZENI = NULL",
         [](Database& db) { return RegisterCorrections(db).fillBirthDates(); },
         "UPDATE Clenove SET DATUM_NAROZENI = printf('%04d-%02d-%s', "
         "CASE WHEN length(RODNE_CISLO) = 13 AND " +
             birthYear + " < 54 THEN 2000 ELSE 1900 END + " + birthYear + ", CASE WHEN " +
             birthMonth + " > 70 THEN " + birthMonth + " - 70 WHEN " + birthMonth + " > 50 THEN " +
             birthMonth + " - 50 WHEN " + birthMonth + " > 20 THEN " + birthMonth + " - 20 ELSE " +
             birthMonth + " END, substr(RODNE_CISLO, 7, 2)) WHERE DATUM_NAROZENI IS NULL"},
        {"return marks of all payments owed where missing",
         "UPDATE Povol SET MP_VRACENO = NULL WHERE MP_VRACENO = 'NE'",
         [](Database& db) { return RegisterCorrections(db).markOwedReturns(); },
         "UPDATE Povol SET MP_VRACENO = 'NE' WHERE coalesce(MP_VRACENO, '') = '' AND " +
             permitIssued("MP") +
             "; UPDATE Povol SET PS_VRACENO = 'NE' WHERE coalesce(PS_VRACENO, '') = '' AND " +
             permitIssued("PS")},
        {"paid year of 20 000 members from all payments",
         "UPDATE Clenove SET LAST_CLENSTVI = LAST_CLENSTVI - 1",
         [](Database& db) { return RegisterCorrections(db).recordPaidMemberships(); },
         "UPDATE Clenove SET LAST_CLENSTVI = (SELECT max(p.ROK) FROM Povol p WHERE p.CLEN_CISLO "
         "= Clenove.CLEN_CISLO AND p.CLEN_PRISP > 0) WHERE coalesce(LAST_CLENSTVI, 0) < (SELECT "
         "max(p.ROK) FROM Povol p WHERE p.CLEN_CISLO = Clenove.CLEN_CISLO AND p.CLEN_PRISP > 0)"},
        {"payments of 20 000 members up to a year deleted",
         "INSERT INTO Povol (CLEN_CISLO, ROK, CLEN_PRISP) SELECT CLEN_CISLO, " +
             QByteArray::number(oldYear) + ", 800 FROM Clenove",
         [](Database& db) { return RegisterCorrections(db).deletePaymentsUpTo(oldYear); },
         "DELETE FROM Povol WHERE ROK <= " + QByteArray::number(oldYear)},
        {"issue counts of the year over all payments", "",
         [year](Database& db) {
             IssueCounts(db).count(year);
             return 1;
         },
         plainCounts(year)},
    };
}

void exec(sqlite3* db, const QByteArray& sql)
{
    if (!sql.isEmpty())
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

double oursOf(TDataModule1& data, const Correction& correction, bool& changed)
{
    Database& db = data.database();
    return Stopwatch::medianOf(
        runs,
        [&] {
            exec(db.handle(), correction.undo);
            // Written behind the cursors' back: they read the tables anew.
            db.touchAll();
        },
        [&] { data.runBulkChange([&] { changed = correction.ours(db) > 0; }); });
}

double plainOf(sqlite3* db, const Correction& correction)
{
    return Stopwatch::medianOf(
        runs, [&] { exec(db, correction.undo); },
        [&] { exec(db, "BEGIN IMMEDIATE; " + correction.plain + "; COMMIT"); });
}

} // namespace

DataAdminBenchmark::DataAdminBenchmark(const QString& dataDirectory)
    : m_directory(dataDirectory)
{
}

QList<BenchmarkResult> DataAdminBenchmark::runAll()
{
    QList<BenchmarkResult> results;
    const QList<Correction> work = corrections(QDate::currentDate().year());
    {
        Database db(m_directory);
        BenchmarkHost host;
        TDataModule1 data(db, host);
        data.DataModuleCreate();
        for (const Correction& correction : work) {
            bool changed = false;
            BenchmarkResult result{QLatin1String(correction.name),
                                   oursOf(data, correction, changed), 0};
            if (!changed || !host.errors().isEmpty())
                result.name += QStringLiteral(" (UNEXPECTED: nothing changed or an error)");
            results << result;
        }
    }
    sqlite3* db = nullptr;
    const QString path = QDir(m_directory).filePath(QLatin1String(Database::FileName));
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    exec(db, "PRAGMA journal_mode=WAL");
    exec(db, "PRAGMA synchronous=FULL");
    for (int i = 0; i < work.size(); ++i)
        results[i].sqliteMs = plainOf(db, work[i]);
    sqlite3_close(db);
    return results;
}
