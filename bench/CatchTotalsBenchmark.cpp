#include "CatchTotalsBenchmark.h"

#include "DataModel.h"
#include "Database.h"
#include "DistrictTotals.h"
#include "PlainSqlite.h"
#include "ScratchChapter.h"
#include "Stopwatch.h"

#include <QDir>

namespace {

constexpr int Districts = 100;
constexpr int Returns = 100000;
constexpr int Year = 2012;

QString yearTable()
{
    return DataModel::yearCatchTableName(false, Year);
}

// Every return of a district number, a tenth of them of districts no longer in the list.
void fillReturns(Database& db)
{
    QStringList columns{QStringLiteral("REVIR_CISLO"), QStringLiteral("DOCHAZKA")};
    QStringList values{QStringLiteral("CAST(i % %1 + 1 AS TEXT)").arg(Districts + Districts / 10),
                       QStringLiteral("i % 20")};
    for (const QString& species : DataModel::species()) {
        columns << species + QStringLiteral("_KS") << species + QStringLiteral("_KG");
        values << QStringLiteral("i % 5") << QStringLiteral("(i % 7) * 0.3");
    }
    Database::Transaction transaction(db);
    db.execute(QStringLiteral("DELETE FROM ") + yearTable());
    db.execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < %1) INSERT INTO %2 (%3) SELECT %4 FROM n")
                   .arg(Returns)
                   .arg(yearTable(), columns.join(QStringLiteral(", ")),
                        values.join(QStringLiteral(", "))));
    db.execute(QStringLiteral("DELETE FROM ReviryMP"));
    db.execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < %1) INSERT INTO ReviryMP (REVIR_CISLO, REVIR_NAZEV) "
                              "SELECT CAST(i AS TEXT), 'Revír ' || i FROM n")
                   .arg(Districts));
    transaction.commit();
}

QList<DistrictTotals::District> districtList()
{
    QList<DistrictTotals::District> list;
    for (int i = 1; i <= Districts; ++i)
        list << DistrictTotals::District{QString::number(i), QStringLiteral("Revír %1").arg(i)};
    return list;
}

QByteArray groupBySql()
{
    QStringList sums{QStringLiteral("REVIR_CISLO"), QStringLiteral("SUM(DOCHAZKA)")};
    for (const QString& species : DataModel::species())
        sums << QStringLiteral("SUM(%1_KS)").arg(species)
             << QStringLiteral("SUM(%1_KG)").arg(species);
    return QStringLiteral("SELECT %1 FROM %2 GROUP BY REVIR_CISLO")
        .arg(sums.join(QStringLiteral(", ")), yearTable())
        .toUtf8();
}

} // namespace

BenchmarkResult CatchTotalsBenchmark::run()
{
    const ScratchChapter scratch(Year);
    const QString& directory = scratch.directory();
    BenchmarkResult result{
        QStringLiteral("district totals of %1 returns in %2 districts").arg(Returns).arg(Districts),
        0, 0};
    Database db(directory);
    if (!db.fileExists(yearTable()))
        db.createTable(DataModel::table(yearTable()));
    fillReturns(db);
    const QList<DistrictTotals::District> districts = districtList();
    result.oursMs = Stopwatch::medianOf(3, [&] {
        DistrictTotals(db).rebuild(districts, yearTable() + QStringLiteral(".DB"),
                                   QStringLiteral("CSumMP.DB"));
    });
    const QByteArray sql = groupBySql();
    result.sqliteMs = Stopwatch::medianOf(3, [&] {
        PlainSqlite::exec(QDir(directory).filePath(QLatin1String(Database::FileName)),
                          sql.constData());
    });
    return result;
}
