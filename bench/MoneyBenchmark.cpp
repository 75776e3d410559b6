#include "MoneyBenchmark.h"

#include "DataModel.h"
#include "Database.h"
#include "MoneyOverview.h"
#include "PlainSqlite.h"
#include "ReportEngine.h"
#include "ScratchChapter.h"
#include "Stopwatch.h"
#include "TFormTVycet.h"
#include "Table.h"

#include <QDir>

namespace {

constexpr int Payments = 20000;
constexpr int Year = 2012;

// Payments spread over the year's days, each with a membership fee and one permit of a few
// amounts, as a chapter's cash desk takes them.
void fillPayments(Database& db)
{
    Database::Transaction transaction(db);
    db.execute(QStringLiteral("DELETE FROM Povol"));
    db.execute(QStringLiteral(
                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                   "INSERT INTO Povol (CLEN_CISLO, ROK, VYDANO, CLEN_PRISP, MP_ROCNI, PS_MESICNI, "
                   "ZAPISNE, CELKEM_KC) "
                   "SELECT CAST(i % 5000 + 1 AS TEXT), %2, date('%2-01-01', '+' || (i % 365) || "
                   "' days'), 500 + (i % 3) * 100, CASE WHEN i % 2 = 0 THEN 1500 + (i % 4) * 50 "
                   "ELSE 0 END, CASE WHEN i % 5 = 0 THEN 700 ELSE 0 END, CASE WHEN i % 50 = 0 "
                   "THEN 200 ELSE 0 END, 0 FROM n")
                   .arg(Payments)
                   .arg(Year));
    db.execute(QStringLiteral("UPDATE Povol SET CELKEM_KC = CLEN_PRISP + MP_ROCNI + PS_MESICNI + "
                              "ZAPISNE"));
    transaction.commit();
}

QByteArray dayTotalsSql()
{
    QStringList sums;
    for (const QString& item : DataModel::feeItems())
        sums << QStringLiteral("SUM(%1)").arg(item);
    return QStringLiteral("SELECT VYDANO, COUNT(*), %1, SUM(CELKEM_KC) FROM Povol "
                          "GROUP BY VYDANO ORDER BY VYDANO")
        .arg(sums.join(QStringLiteral(", ")))
        .toUtf8();
}

} // namespace

BenchmarkResult MoneyBenchmark::run()
{
    const ScratchChapter scratch(Year);
    const QString& directory = scratch.directory();
    BenchmarkResult result{
        QStringLiteral("money of a year (%1 payments) with its cash listing").arg(Payments), 0, 0};
    Database db(directory);
    fillPayments(db);
    Table listing(db, QStringLiteral("VYCETKA.DB"));
    Table dayTotals(db, QStringLiteral("SumPovol.DB"));
    Table setup(db, QStringLiteral("Setup.DB"));
    TFormTVycet form(listing, dayTotals, setup);
    result.oursMs = Stopwatch::medianOf(3, [&] {
        MoneyOverview(db).compute(QDate(Year, 1, 1), QDate(Year, 12, 31));
        ReportEngine(form.report()).generate();
    });
    const QByteArray sql = dayTotalsSql();
    result.sqliteMs = Stopwatch::medianOf(3, [&] {
        PlainSqlite::exec(QDir(directory).filePath(QLatin1String(Database::FileName)),
                          sql.constData());
    });
    return result;
}
