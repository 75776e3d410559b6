#include "ChapterOperations.h"

#include "Database.h"

#include <QDate>

namespace {
const QStringList memberRecordTables{QStringLiteral("Povol"), QStringLiteral("Brigady"),
                                     QStringLiteral("Vyznam")};
} // namespace

ChapterOperations::ChapterOperations(Database& db)
    : m_db(db)
{
}

int ChapterOperations::change(const QString& table, const QString& sqlTemplate,
                              const QList<QVariant>& binds)
{
    const QString stored = m_db.requireTable(table);
    const int changed = m_db.run(sqlTemplate.arg(Database::quoteIdentifier(stored)), binds);
    // Cursors on the table read it anew before their next move.
    m_db.touch(stored);
    return changed;
}

void ChapterOperations::moveMemberRecords(const QString& from, const QString& to)
{
    Database::Transaction tx(m_db);
    for (const QString& table : memberRecordTables)
        change(table, QStringLiteral("UPDATE %1 SET CLEN_CISLO = ? WHERE CLEN_CISLO = ?"),
               {to, from});
    tx.commit();
}

void ChapterOperations::removeMemberRecords(const QString& number, Payments payments)
{
    Database::Transaction tx(m_db);
    if (payments == Payments::KeepUnassigned)
        change(QStringLiteral("Povol"),
               QStringLiteral("UPDATE %1 SET CLEN_CISLO = ? WHERE CLEN_CISLO = ?"),
               {unassignedNumber(), number});
    else
        change(QStringLiteral("Povol"), QStringLiteral("DELETE FROM %1 WHERE CLEN_CISLO = ?"),
               {number});
    for (const QString& table : {QStringLiteral("Brigady"), QStringLiteral("Vyznam")})
        change(table, QStringLiteral("DELETE FROM %1 WHERE CLEN_CISLO = ?"), {number});
    tx.commit();
}

void ChapterOperations::setFeeYear(int year)
{
    Database::Transaction tx(m_db);
    change(QStringLiteral("PovolSet"), QStringLiteral("UPDATE %1 SET ROK = ? WHERE ROK IS NOT ?"),
           {year, year});
    tx.commit();
}

int ChapterOperations::deleteBrigadesUpTo(int year)
{
    Database::Transaction tx(m_db);
    // A blank date is no date up to the year: such rows stay, as with the filter on dates.
    const int removed =
        change(QStringLiteral("Brigady"), QStringLiteral("DELETE FROM %1 WHERE DATUM <= ?"),
               {QDate(year, 12, 31)});
    tx.commit();
    return removed;
}
