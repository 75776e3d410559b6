#include "CatchEntryBenchmark.h"

#include "CatchEntryTab.h"
#include "CzechCollation.h"
#include "Database.h"
#include "DbNavigator.h"
#include "EngineError.h"
#include "Messages.h"
#include "ProgramStart.h"
#include "SqlStatement.h"
#include "Stopwatch.h"
#include "TDataModule1.h"
#include "TSumarForm.h"
#include "Table.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>

namespace {
constexpr int overviewRows = 100000;
constexpr int savedRows = 50;

// The yardstick: a connection of its own that reads every column of every row it steps to.
class PlainConnection {
public:
    explicit PlainConnection(const QString& directory)
    {
        const QString path = QDir(directory).filePath(QLatin1String(Database::FileName));
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            throw EngineError(QStringLiteral("Nelze otevřít %1 přímo.").arg(path));
        CzechCollation::registerOn(m_db);
    }
    ~PlainConnection() { sqlite3_close_v2(m_db); }
    PlainConnection(const PlainConnection&) = delete;
    PlainConnection& operator=(const PlainConnection&) = delete;

    void run(const QByteArray& sql)
    {
        const char* rest = sql.constData();
        while (rest && *rest) {
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v2(m_db, rest, -1, &st, &rest) != SQLITE_OK)
                throw EngineError(QString::fromUtf8(sqlite3_errmsg(m_db)));
            if (!st)
                break;
            while (sqlite3_step(st) == SQLITE_ROW)
                for (int c = 0; c < sqlite3_column_count(st); ++c)
                    m_sink += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
            sqlite3_finalize(st);
        }
    }

private:
    sqlite3* m_db = nullptr;
    qint64 m_sink = 0;
};
} // namespace

CatchEntryBenchmark::CatchEntryBenchmark(const QString& dataDirectory, int year)
    : m_directory(dataDirectory)
    , m_table(QStringLiteral("SuMP%1").arg(year))
{
    growYearTable();
    Messages::setResponder(
        [](Messages::Kind, const QString&, Messages::Buttons) { return Messages::Answer::Yes; });
    m_program =
        std::make_unique<ProgramStart>(dataDirectory, QCoreApplication::applicationDirPath(),
                                       QDir(dataDirectory).filePath(QStringLiteral("TALU.ini")));
    if (!m_program->start())
        throw EngineError(QStringLiteral("Program nad %1 nenastartoval.").arg(dataDirectory));
    m_program->catchWindow().show();
    QCoreApplication::processEvents();
}

CatchEntryBenchmark::~CatchEntryBenchmark()
{
    m_program.reset();
    Messages::setResponder({});
    shrinkYearTable();
}

QList<BenchmarkResult> CatchEntryBenchmark::runAll()
{
    return {showOverview(), saveReturnRow()};
}

void CatchEntryBenchmark::growYearTable()
{
    Database db(m_directory);
    const QString table = Database::quoteIdentifier(db.requireTable(m_table));
    SqlStatement last = db.prepare(QStringLiteral("SELECT coalesce(max(rowid), 0) FROM ") + table);
    last.step();
    m_lastOriginalRow = last.integer(0);
    Database::Transaction tx(db);
    // The season's returns: the chapter's own rows again and again, as many members return.
    if (db.rowCount(db.requireTable(m_table)) == 0)
        throw EngineError(QStringLiteral("Sumář %1 je prázdný.").arg(m_table));
    while (db.rowCount(db.requireTable(m_table)) < overviewRows)
        db.run(QStringLiteral("INSERT INTO %1 SELECT * FROM %1 LIMIT ?").arg(table),
               {overviewRows - db.rowCount(db.requireTable(m_table))});
    tx.commit();
}

void CatchEntryBenchmark::shrinkYearTable()
{
    Database db(m_directory);
    db.run(QStringLiteral("DELETE FROM %1 WHERE rowid > ?")
               .arg(Database::quoteIdentifier(db.requireTable(m_table))),
           {m_lastOriginalRow});
}

BenchmarkResult CatchEntryBenchmark::showOverview()
{
    TSumarForm& window = m_program->catchWindow();
    BenchmarkResult r{
        QStringLiteral("catch window: overview of %1 return rows shown").arg(overviewRows), 0, 0};
    r.oursMs = Stopwatch::medianOf(3, [&] {
        window.RefreshOverview(true, TDataModule1::Water::MP);
        QCoreApplication::processEvents();
    });
    PlainConnection plain(m_directory);
    const QByteArray sql = QStringLiteral("SELECT * FROM %1 ORDER BY PRIJMENI COLLATE CZECH, "
                                          "CLEN_CISLO COLLATE CZECH, REVIR_NAZEV COLLATE CZECH")
                               .arg(m_table)
                               .toUtf8();
    r.sqliteMs = Stopwatch::medianOf(3, [&] { plain.run(sql); });
    return r;
}

BenchmarkResult CatchEntryBenchmark::saveReturnRow()
{
    TDataModule1& data = m_program->dataModule();
    CatchEntryTab& entry = m_program->catchWindow().entryTab();
    Table& year = data.TableSumar();
    Table& members = data.TableClenove();
    const int memberCount = members.recordCount();
    BenchmarkResult r{
        QStringLiteral("catch window: save a typed return row, return marked (per row)"), 0, 0};
    r.oursMs =
        Stopwatch::medianOf(3,
                            [&] {
                                for (int i = 0; i < savedRows; ++i) {
                                    members.moveToPosition(int((qint64(i) * 7919) % memberCount));
                                    entry.navigator().perform(DbNavigator::Button::Insert);
                                    year.fieldByName(QStringLiteral("DOCHAZKA")).setAsInteger(3);
                                    year.fieldByName(QStringLiteral("KAPR_KS")).setAsInteger(2);
                                    year.fieldByName(QStringLiteral("KAPR_KG")).setValue(3.5);
                                    entry.navigator().perform(DbNavigator::Button::Post);
                                }
                            }) /
        savedRows;
    // The same three writes by hand, each row in its own transaction.
    PlainConnection plain(m_directory);
    const QByteArray writes =
        QStringLiteral("BEGIN; INSERT INTO %1 (CLEN_CISLO, PRIJMENI, DOCHAZKA, KAPR_KS, KAPR_KG) "
                       "VALUES ('1', 'x', 3, 2, 3.5); UPDATE Povol SET MP_VRACENO = 'ANO' WHERE "
                       "CLEN_CISLO = '1' AND ROK = %2 AND MP_VRACENO = 'NE'; UPDATE Clenove SET "
                       "LAST_SUMAR_MP = %2 WHERE CLEN_CISLO = '1'; COMMIT;")
            .arg(m_table, m_table.mid(4))
            .toUtf8();
    r.sqliteMs = Stopwatch::medianOf(3,
                                     [&] {
                                         for (int i = 0; i < savedRows; ++i)
                                             plain.run(writes);
                                     }) /
                 savedRows;
    return r;
}
