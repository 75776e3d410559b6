#include "CatchExchangeBenchmark.h"

#include "CatchReturnImport.h"
#include "DataModel.h"
#include "Database.h"
#include "ParadoxExport.h"
#include "ParadoxWriter.h"
#include "Stopwatch.h"

#include <QDir>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

constexpr int Rows = 10000;
const char* const plainBatch = "plain";

// Another computer's returns: every member fishing a few districts, some species caught.
QString writeReturns(const QString& folder, const QString& fileName)
{
    const QList<FieldDef> fields = DataModel::yearCatchFields();
    QList<ParadoxField> layout;
    for (const FieldDef& f : fields)
        layout << ParadoxExport::paradoxField(f);
    QList<QVariantList> rows;
    for (int r = 0; r < Rows; ++r) {
        QVariantList row;
        for (const FieldDef& f : fields) {
            if (f.name == QLatin1String("CLEN_CISLO"))
                row << QStringLiteral("%1").arg(r / 3 + 1, 6, 10, QLatin1Char('0'));
            else if (f.name == QLatin1String("PRIJMENI"))
                row << QStringLiteral("Přijmení %1").arg(r / 3 + 1);
            else if (f.name == QLatin1String("REVIR_CISLO"))
                row << QStringLiteral("411%1").arg(r % 3, 3, 10, QLatin1Char('0'));
            else if (f.name == QLatin1String("REVIR_NAZEV"))
                row << QStringLiteral("Revír %1").arg(r % 3);
            else if (f.type == FieldType::Integer)
                row << (r + f.name.size()) % 7;
            else if (f.type == FieldType::Float)
                row << ((r + f.name.size()) % 5) * 1.25;
            else
                row << QVariant();
        }
        rows << row;
    }
    const QString path = QDir(folder).filePath(fileName);
    ParadoxWriter::write(path, layout, rows);
    return path;
}

void exec(sqlite3* db, const QByteArray& sql)
{
    sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
}

} // namespace

CatchExchangeBenchmark::CatchExchangeBenchmark(const QString& dataDirectory, int year)
    : m_directory(dataDirectory)
    , m_year(year)
{
}

BenchmarkResult CatchExchangeBenchmark::run()
{
    const QString table = DataModel::yearCatchTableName(false, m_year);
    QTemporaryDir scratch;
    const QString file = writeReturns(scratch.path(), table + QStringLiteral(".DB"));
    BenchmarkResult result{QStringLiteral("append of a %1-row catch return file").arg(Rows), 0, 0};
    {
        Database db(m_directory);
        CatchReturnImport import(db);
        const int firstBatch = import.nextBatch(table);
        const auto removeAppended = [&] {
            db.run(QStringLiteral("DELETE FROM %1 WHERE CAST(CISLO_POVOLENKY AS INTEGER) >= ?")
                       .arg(Database::quoteIdentifier(table)),
                   {firstBatch});
        };
        result.oursMs = Stopwatch::medianOf(2, removeAppended, [&] { import.append(file, table); });
        removeAppended();
    }
    sqlite3* db = nullptr;
    sqlite3_open_v2(QDir(m_directory).filePath(QLatin1String(Database::FileName)).toUtf8(), &db,
                    SQLITE_OPEN_READWRITE, nullptr);
    const QByteArray name = table.toUtf8();
    const QByteArray removePlain =
        "DELETE FROM " + name + " WHERE CISLO_POVOLENKY = '" + plainBatch + "'";
    result.sqliteMs = Stopwatch::medianOf(
        2, [&] { exec(db, removePlain); },
        [&] {
            exec(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                         QByteArray::number(Rows) + ") INSERT INTO " + name +
                         " (CLEN_CISLO, CISLO_POVOLENKY, PRIJMENI, REVIR_CISLO, DOCHAZKA, "
                         "KAPR_KS, KAPR_KG) SELECT printf('%06d', i / 3 + 1), '" +
                         plainBatch +
                         "', 'Přijmení ' || i, '411' || (i % 3), i % 7, i % 5, "
                         "(i % 5) * 1.25 FROM n");
        });
    exec(db, removePlain);
    sqlite3_close(db);
    return result;
}
