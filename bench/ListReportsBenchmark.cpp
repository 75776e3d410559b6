#include "ListReportsBenchmark.h"

#include "CzechCollation.h"
#include "Database.h"
#include "LocalSql.h"
#include "PlainSqlite.h"
#include "Query.h"
#include "ReportEngine.h"
#include "Stopwatch.h"
#include "TFormFreeNum.h"
#include "TFormTBrig.h"
#include "Table.h"

#include <QDir>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

ListReportsBenchmark::ListReportsBenchmark(const QString& directory, int year)
    : m_directory(directory)
    , m_year(year)
{
}

QList<BenchmarkResult> ListReportsBenchmark::runAll()
{
    return {freeNumbers(), brigadeQuery()};
}

BenchmarkResult ListReportsBenchmark::freeNumbers()
{
    Database db(m_directory);
    Table members(db, u"Clenove.DB"_s);
    members.open();
    BenchmarkResult result{u"free membership numbers of %1 members"_s.arg(members.recordCount()), 0,
                           0};
    TFormFreeNum report(db);
    result.oursMs = Stopwatch::medianOf(3, [&] { ReportEngine(report.report()).generate(); });
    const QString path = QDir(m_directory).filePath(QLatin1String(Database::FileName));
    result.sqliteMs =
        Stopwatch::medianOf(3, [&] { PlainSqlite::exec(path, "SELECT CLEN_CISLO FROM Clenove"); });
    return result;
}

BenchmarkResult ListReportsBenchmark::brigadeQuery()
{
    Database db(m_directory);
    Query query(db);
    query.setSql(TFormTBrig::storedQuery());
    query.setParam(u"rok"_s, m_year);
    BenchmarkResult figure{u"brigade fulfilment query of the chapter"_s, 0, 0};
    int rows = 0;
    figure.oursMs = Stopwatch::medianOf(3, [&] {
        query.close();
        query.open();
        rows = query.recordCount();
    });
    figure.name += u" (%1 rows)"_s.arg(rows);
    // The same statement as our engine runs it, with the year written in and sorted without
    // the Czech collation, which a plain connection does not know.
    QString sql = LocalSql(db).translate(TFormTBrig::storedQuery().join(u'\n'));
    sql.replace(u":rok"_s, QString::number(m_year));
    sql.remove(QRegularExpression(u"COLLATE\\s+\"?%1\"?"_s.arg(QLatin1String(CzechCollation::Name)),
                                  QRegularExpression::CaseInsensitiveOption));
    const QByteArray plain = sql.toUtf8();
    const QString path = QDir(m_directory).filePath(QLatin1String(Database::FileName));
    figure.sqliteMs = Stopwatch::medianOf(3, [&] { PlainSqlite::exec(path, plain.constData()); });
    return figure;
}
