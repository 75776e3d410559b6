#include "ReturnMarking.h"

#include "Database.h"

namespace {

const QString members = QStringLiteral("Clenove");
const QString payments = QStringLiteral("Povol");

// How often the progress is told while rows are walked.
constexpr int progressStep = 200;

} // namespace

ReturnMarking::ReturnMarking(Database& db, Progress progress)
    : m_db(db)
    , m_progress(std::move(progress))
{
}

QString ReturnMarking::notFoundNotice(const QString& number, const QString& surname)
{
    return QStringLiteral("Nenalezen člen číslo ") + number + QStringLiteral("  ") + surname +
           QStringLiteral(" .\r\nNeprovede se záznam odevzdaného sumáře!!!");
}

QString ReturnMarking::stored(const QString& table) const
{
    return Database::quoteIdentifier(m_db.requireTable(table));
}

int ReturnMarking::markHandedIn(const QString& catchTable, TDataModule1::Water kind, int year)
{
    m_unknown.clear();
    Database::Transaction tx(m_db);
    const QList<CatchRow> starts = readRunStarts(catchTable);
    const int total = int(starts.size());
    int changed = 0;
    for (int i = 0; i < total; ++i) {
        const CatchRow& row = starts[i];
        countAttendance(catchTable, row);
        if (!isRegistered(row.number))
            m_unknown.append({row.number, row.surname});
        else if (markMember(row.number, kind, year))
            ++changed;
        if (m_progress && ((i + 1) % progressStep == 0 || i + 1 == total))
            m_progress(i + 1, total);
    }
    // The cursors on these tables read them anew before their next move.
    for (const QString& table : {catchTable, members, payments})
        m_db.touch(m_db.requireTable(table));
    tx.commit();
    return changed;
}

QList<ReturnMarking::CatchRow> ReturnMarking::readRunStarts(const QString& table)
{
    // Read whole before anything is written, so no change can move a row under the walk.
    SqlStatement st = m_db.prepare(
        QStringLiteral("SELECT rowid, CLEN_CISLO, PRIJMENI, DOCHAZKA FROM %1 ORDER BY rowid")
            .arg(stored(table)));
    QList<CatchRow> starts;
    QString previous;
    while (st.step()) {
        const QString number = st.text(1);
        // A member whose rows are not adjacent is handled once per run, as in the old program.
        if (number == previous)
            continue;
        previous = number;
        starts.append({st.integer(0), number, st.text(2), st.integer(3)});
    }
    return starts;
}

void ReturnMarking::countAttendance(const QString& table, const CatchRow& row)
{
    // A return typed elsewhere without attendance still counts as one outing in the totals.
    if (row.attendance == 0)
        m_db.run(QStringLiteral("UPDATE %1 SET DOCHAZKA = 1 WHERE rowid = ?").arg(stored(table)),
                 {row.rowid});
}

bool ReturnMarking::isRegistered(const QString& number)
{
    SqlStatement& st =
        m_db.cached(QStringLiteral("SELECT 1 FROM %1 WHERE CLEN_CISLO = ?").arg(stored(members)));
    st.bind(1, number);
    const bool found = st.step();
    st.reset();
    return found;
}

bool ReturnMarking::markMember(const QString& number, TDataModule1::Water kind, int year)
{
    const bool trout = kind == TDataModule1::Water::PS;
    const QString mark = trout ? QStringLiteral("PS_VRACENO") : QStringLiteral("MP_VRACENO");
    const QString lastYear =
        trout ? QStringLiteral("LAST_SUMAR_PS") : QStringLiteral("LAST_SUMAR_MP");
    const int marked = m_db.run(QStringLiteral("UPDATE %1 SET %2 = 'ANO' WHERE CLEN_CISLO = ? "
                                               "AND ROK = ? AND %2 = 'NE'")
                                    .arg(stored(payments), mark),
                                {number, year});
    m_db.run(
        QStringLiteral("UPDATE %1 SET %2 = ? WHERE CLEN_CISLO = ?").arg(stored(members), lastYear),
        {year, number});
    return marked > 0;
}
