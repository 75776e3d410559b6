#include "EngineBenchmark.h"

#include "CzechCollation.h"
#include "DataModel.h"
#include "Database.h"
#include "EngineError.h"
#include "Query.h"
#include "Stopwatch.h"
#include "Table.h"

#include <sqlite3.h>

#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

namespace {
const QString memberOrder =
    QStringLiteral("PRIJMENI COLLATE CZECH, CLEN_CISLO COLLATE CZECH, rowid");
// The figures held against plain SQLite's: enough runs that a median outlasts a busy spell.
constexpr int comparedRuns = 9;
} // namespace

EngineBenchmark::EngineBenchmark(const QString& dataDirectory, int workingYear)
    : m_directory(dataDirectory)
    , m_year(workingYear)
    , m_db(new Database(dataDirectory))
{
    const QString path = QDir(dataDirectory).filePath(QLatin1String(Database::FileName));
    if (sqlite3_open_v2(path.toUtf8().constData(), &m_plain, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        throw EngineError(QStringLiteral("Nelze otevřít %1 přímo.").arg(path));
    CzechCollation::registerOn(m_plain);
}

EngineBenchmark::~EngineBenchmark()
{
    m_members.reset();
    sqlite3_close_v2(m_plain);
    delete m_db;
}

void EngineBenchmark::plainStep(const QString& sql, bool readEveryColumn,
                                const QList<QByteArray>& binds)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_plain, utf8.constData(), -1, &st, nullptr) != SQLITE_OK)
        throw EngineError(QString::fromUtf8(sqlite3_errmsg(m_plain)));
    for (int i = 0; i < binds.size(); ++i)
        sqlite3_bind_text(st, i + 1, binds[i].constData(), int(binds[i].size()), SQLITE_STATIC);
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        if (!readEveryColumn) {
            m_sink += sqlite3_column_int64(st, 0);
            continue;
        }
        for (int c = 0; c < columns; ++c) {
            // Text is what the windows show, so plain SQLite converts every value too.
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            m_sink += text ? QString::fromUtf8(text, sqlite3_column_bytes(st, c)).size() : 0;
        }
    }
    sqlite3_finalize(st);
}

QStringList EngineBenchmark::sampleMemberNumbers(int count)
{
    QStringList numbers;
    Query q(*m_db);
    q.setSql({QStringLiteral("select CLEN_CISLO from CLENOVE")});
    q.open();
    const int total = q.recordCount();
    for (int i = 0; i < count && total > 0; ++i) {
        q.gotoBookmark((qint64(i) * 7919) % total);
        numbers << q.field(0).asString();
    }
    return numbers;
}

BenchmarkResult EngineBenchmark::openAllTables()
{
    const QStringList names = m_db->tableNames();
    BenchmarkResult r{QStringLiteral("open all tables"), 0, 0};
    r.oursMs = Stopwatch::medianOf(3, [&] {
        std::vector<std::unique_ptr<Table>> tables;
        for (const QString& name : names) {
            auto t = std::make_unique<Table>(*m_db, name + QStringLiteral(".DB"));
            if (DataModel::table(name).secondaryIndex == QLatin1String("PRIJMENI"))
                t->setIndexFieldNames(QStringLiteral("PRIJMENI"));
            t->open();
            m_sink += t->recordCount();
            tables.push_back(std::move(t));
        }
    });
    r.sqliteMs = Stopwatch::medianOf(3, [&] {
        for (const QString& name : names) {
            const bool members = DataModel::table(name).secondaryIndex == QLatin1String("PRIJMENI");
            plainStep(QStringLiteral("SELECT rowid FROM \"%1\" ORDER BY %2")
                          .arg(name, members ? memberOrder : QStringLiteral("rowid")),
                      false);
        }
    });
    return r;
}

BenchmarkResult EngineBenchmark::locateMember()
{
    const QStringList numbers = sampleMemberNumbers(500);
    Table& members = openMembersBySurname();
    BenchmarkResult r{QStringLiteral("locate member by number (each)"), 0, 0};
    r.oursMs = Stopwatch::medianOf(
                   3,
                   [&] {
                       for (const QString& n : numbers)
                           m_sink +=
                               members.locate(QStringLiteral("CLEN_CISLO"), n.toUpper()) ? 1 : 0;
                   }) /
               double(std::max<qsizetype>(1, numbers.size()));
    r.sqliteMs =
        Stopwatch::medianOf(
            3,
            [&] {
                for (const QString& n : numbers)
                    plainStep(QStringLiteral("SELECT rowid FROM Clenove WHERE CLEN_CISLO = ?"),
                              false, {n.toUpper().toUtf8()});
            }) /
        double(std::max<qsizetype>(1, numbers.size()));
    return r;
}

BenchmarkResult EngineBenchmark::filterWomen()
{
    Table& members = openMembersBySurname();
    BenchmarkResult r{QStringLiteral("filter ZENA=true and count"), 0, 0};
    // Switching the filter off again shows all members, work of its own that is not timed.
    r.oursMs = Stopwatch::medianOf(
        3, [&] { members.setFiltered(false); },
        [&] {
            members.setFilter(QStringLiteral("ZENA=true"));
            members.setFiltered(true);
            m_sink += members.recordCount();
        });
    r.sqliteMs = Stopwatch::medianOf(3, [&] {
        plainStep(QStringLiteral("SELECT rowid FROM Clenove WHERE ZENA = 1 ORDER BY ") +
                      memberOrder,
                  false);
    });
    return r;
}

BenchmarkResult EngineBenchmark::walkMembers()
{
    Table& members = openMembersBySurname();
    BenchmarkResult r{QStringLiteral("walk members in PRIJMENI order reading every field"), 0, 0};
    std::tie(r.oursMs, r.sqliteMs) = Stopwatch::mediansInTurns(
        comparedRuns,
        [&] {
            for (members.first(); !members.eof(); members.next())
                for (int f = 0; f < members.fieldCount(); ++f)
                    m_sink += members.field(f).asString().size();
        },
        [&] { plainStep(QStringLiteral("SELECT * FROM Clenove ORDER BY ") + memberOrder, true); });
    return r;
}

BenchmarkResult EngineBenchmark::joinPayments()
{
    const QString sql = QStringLiteral("select * from CLENOVE,POVOL where "
                                       "(CLENOVE.CLEN_CISLO=POVOL.CLEN_CISLO) and (POVOL.ROK=%1)")
                            .arg(m_year);
    BenchmarkResult r{QStringLiteral("join members and payments of the year"), 0, 0};
    std::tie(r.oursMs, r.sqliteMs) = Stopwatch::mediansInTurns(
        comparedRuns,
        [&] {
            Query q(*m_db);
            q.setSql({sql});
            q.open();
            for (q.first(); !q.eof(); q.next())
                for (int f = 0; f < q.fieldCount(); ++f)
                    m_sink += q.field(f).asString().size();
        },
        [&] { plainStep(sql, true); });
    return r;
}

BenchmarkResult EngineBenchmark::postMemberEdit()
{
    Table& members = openMembersBySurname();
    const int edits = 50;
    BenchmarkResult r{QStringLiteral("post a member's changed surname (each)"), 0, 0};
    const auto changeOurs = [&] {
        for (int i = 0; i < edits; ++i) {
            members.gotoBookmark(members.bookmark());
            members.edit();
            Field surname = members.fieldByName(QStringLiteral("PRIJMENI"));
            const QString name = surname.asString();
            surname.setAsString(name.endsWith(QLatin1Char('x')) ? name.chopped(1)
                                                                : name.left(19) + QLatin1Char('x'));
            members.post();
        }
    };
    std::tie(r.oursMs, r.sqliteMs) =
        Stopwatch::mediansInTurns(comparedRuns, changeOurs, [&] { changeFirstSurnames(edits); });
    r.oursMs /= edits;
    r.sqliteMs /= edits;
    return r;
}

void EngineBenchmark::changeFirstSurnames(int edits)
{
    // The same change as ours: the surname of one member, toggled, each in its own commit.
    sqlite3_stmt* read = nullptr;
    sqlite3_stmt* write = nullptr;
    sqlite3_prepare_v2(m_plain,
                       "SELECT rowid, PRIJMENI FROM Clenove WHERE rowid = "
                       "(SELECT min(rowid) FROM Clenove)",
                       -1, &read, nullptr);
    sqlite3_prepare_v2(m_plain, "UPDATE Clenove SET PRIJMENI = ? WHERE rowid = ?", -1, &write,
                       nullptr);
    for (int i = 0; i < edits; ++i) {
        sqlite3_reset(read);
        if (sqlite3_step(read) != SQLITE_ROW)
            break;
        const qint64 rowid = sqlite3_column_int64(read, 0);
        QByteArray name(reinterpret_cast<const char*>(sqlite3_column_text(read, 1)));
        sqlite3_reset(read);
        name = name.endsWith('x') ? name.chopped(1) : name.left(19) + 'x';
        sqlite3_reset(write);
        sqlite3_bind_text(write, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(write, 2, rowid);
        sqlite3_step(write);
    }
    sqlite3_finalize(read);
    sqlite3_finalize(write);
}

Table& EngineBenchmark::openMembersBySurname()
{
    m_members = std::make_unique<Table>(*m_db, QStringLiteral("Clenove.DB"));
    m_members->setIndexFieldNames(QStringLiteral("PRIJMENI"));
    m_members->open();
    return *m_members;
}

QList<BenchmarkResult> EngineBenchmark::runAll()
{
    return {openAllTables(), locateMember(), filterWomen(),
            walkMembers(),   joinPayments(), postMemberEdit()};
}
