#include "MembersBenchmark.h"

#include "CzechCollation.h"
#include "Database.h"
#include "EngineError.h"
#include "Messages.h"
#include "ProgramStart.h"
#include "Stopwatch.h"
#include "TDataModule1.h"
#include "TFClenove.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>

namespace {
constexpr int moves = 50;
constexpr int locates = 200;
} // namespace

MembersBenchmark::MembersBenchmark(const QString& dataDirectory)
{
    Messages::setResponder(
        [](Messages::Kind, const QString&, Messages::Buttons) { return Messages::Answer::Ok; });
    m_program =
        std::make_unique<ProgramStart>(dataDirectory, QCoreApplication::applicationDirPath(),
                                       QDir(dataDirectory).filePath(QStringLiteral("TALU.ini")));
    if (!m_program->start())
        throw EngineError(QStringLiteral("Program nad %1 nenastartoval.").arg(dataDirectory));
    m_program->membersWindow().show();
    QCoreApplication::processEvents();

    const QString path = QDir(dataDirectory).filePath(QLatin1String(Database::FileName));
    if (sqlite3_open_v2(path.toUtf8().constData(), &m_plain, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        throw EngineError(QStringLiteral("Nelze otevřít %1 přímo.").arg(path));
    CzechCollation::registerOn(m_plain);
    Table& members = m_program->dataModule().TableClenove();
    const int total = members.recordCount();
    for (int i = 0; i < locates && total > 0; ++i)
        m_numbers << members.recordAt(int((qint64(i) * 7919) % total))
                         .value(members.fieldIndex(QStringLiteral("CLEN_CISLO")))
                         .toString()
                         .toUtf8();
}

MembersBenchmark::~MembersBenchmark()
{
    m_program.reset();
    sqlite3_close_v2(m_plain);
    Messages::setResponder({});
}

QList<BenchmarkResult> MembersBenchmark::runAll()
{
    return {moveToMember(Repaint::Included), moveToMember(Repaint::Left), displayFilter(),
            locateByNumber()};
}

void MembersBenchmark::plainRun(const char* sql, const QList<QByteArray>& binds)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(m_plain, sql, -1, &st, nullptr) != SQLITE_OK)
        throw EngineError(QString::fromUtf8(sqlite3_errmsg(m_plain)));
    for (int run = 0; run < qMax(1, int(binds.size())); ++run) {
        sqlite3_reset(st);
        if (!binds.isEmpty())
            sqlite3_bind_text(st, 1, binds[run].constData(), int(binds[run].size()), SQLITE_STATIC);
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                m_sink += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
    }
    sqlite3_finalize(st);
}

BenchmarkResult MembersBenchmark::moveToMember(Repaint repaint)
{
    Table& members = m_program->dataModule().TableClenove();
    TFClenove& window = m_program->membersWindow();
    const int total = members.recordCount();
    BenchmarkResult r{repaint == Repaint::Included
                          ? QStringLiteral("members window: move to another member, repainted "
                                           "(per move)")
                          : QStringLiteral("members window: move to another member (per move)"),
                      0, 0};
    // Without the repaint this is the member-change rule with every input, grid and label
    // following it; the repaint is what the screen then shows of it.
    window.setUpdatesEnabled(repaint == Repaint::Included);
    r.oursMs =
        Stopwatch::medianOf(3,
                            [&] {
                                for (int i = 0; i < moves; ++i) {
                                    members.moveToPosition(int((qint64(i) * 104729) % total));
                                    QCoreApplication::processEvents();
                                }
                            }) /
        moves;
    window.setUpdatesEnabled(true);
    QCoreApplication::processEvents();
    r.sqliteMs = plainMemberReads();
    return r;
}

double MembersBenchmark::plainMemberReads()
{
    const QList<QByteArray> numbers = m_numbers.mid(0, moves);
    return Stopwatch::medianOf(3,
                               [&] {
                                   plainRun("SELECT * FROM Clenove WHERE CLEN_CISLO = ?1", numbers);
                                   plainRun("SELECT * FROM Povol WHERE CLEN_CISLO = ?1", numbers);
                                   plainRun("SELECT * FROM Brigady WHERE CLEN_CISLO = ?1", numbers);
                                   plainRun("SELECT * FROM Vyznam WHERE CLEN_CISLO = ?1", numbers);
                                   plainRun("SELECT BRIG_HODIN FROM PovolSet WHERE KATEGORIE = ?1",
                                            QList<QByteArray>(moves, QByteArrayLiteral("dospělý")));
                               }) /
           moves;
}

BenchmarkResult MembersBenchmark::displayFilter()
{
    TFClenove& window = m_program->membersWindow();
    BenchmarkResult r{QStringLiteral("members window: display filter \"Ženy\""), 0, 0};
    r.oursMs = Stopwatch::medianOf(
        3, [&] { window.runDisplayFilter(DisplayFilter::Kind::All); },
        [&] {
            window.runDisplayFilter(DisplayFilter::Kind::Women);
            QCoreApplication::processEvents();
        });
    window.runDisplayFilter(DisplayFilter::Kind::All);
    r.sqliteMs = Stopwatch::medianOf(3, [&] {
        plainRun("SELECT rowid FROM Clenove WHERE ZENA = 1 "
                 "ORDER BY PRIJMENI COLLATE CZECH, CLEN_CISLO COLLATE CZECH");
        plainRun("SELECT * FROM Clenove WHERE ZENA = 1 ORDER BY PRIJMENI COLLATE CZECH");
    });
    return r;
}

BenchmarkResult MembersBenchmark::locateByNumber()
{
    Table& members = m_program->dataModule().TableClenove();
    BenchmarkResult r{QStringLiteral("members window: locate by member number (per locate)"), 0, 0};
    // The rule that follows the move is timed above; this is the search alone.
    members.setNotificationsEnabled(false);
    r.oursMs = Stopwatch::medianOf(3,
                                   [&] {
                                       for (const QByteArray& number : std::as_const(m_numbers))
                                           members.locate(QStringLiteral("CLEN_CISLO"),
                                                          QString::fromUtf8(number));
                                   }) /
               double(m_numbers.size());
    members.setNotificationsEnabled(true);
    r.sqliteMs = Stopwatch::medianOf(
                     3,
                     [&] {
                         plainRun("SELECT rowid FROM Clenove WHERE CLEN_CISLO = ?1 COLLATE NOCASE",
                                  m_numbers);
                     }) /
                 double(m_numbers.size());
    return r;
}
