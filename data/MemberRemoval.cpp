#include "MemberRemoval.h"

#include "Database.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

const QString registerTable = QStringLiteral("Clenove");
const QString removedTable = QStringLiteral("Vyrazeni");
const QStringList memberRecordTables{QStringLiteral("Povol"), QStringLiteral("Brigady"),
                                     QStringLiteral("Vyznam")};

// The numbers as one bound value: any number of members, no character of a number read as SQL.
QString asJsonArray(const QStringList& numbers)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(numbers)).toJson(QJsonDocument::Compact));
}

const QString inListed = QStringLiteral("CLEN_CISLO IN (SELECT value FROM json_each(?))");

} // namespace

MemberRemoval::MemberRemoval(Database& db)
    : m_db(db)
{
}

QString MemberRemoval::sharedFields(const QString& from, const QString& to) const
{
    const TableDef& source = m_db.tableDef(from);
    QStringList fields;
    for (const QString& name : m_db.tableDef(to).fieldNames())
        if (source.fieldIndex(name) >= 0)
            fields << Database::quoteIdentifier(name);
    return fields.join(QLatin1Char(','));
}

int MemberRemoval::deleteListed(const QString& table, const QString& numbersJson)
{
    const QString stored = m_db.requireTable(table);
    const int deleted = m_db.run(
        QStringLiteral("DELETE FROM %1 WHERE %2").arg(Database::quoteIdentifier(stored), inListed),
        {numbersJson});
    m_db.touch(stored);
    return deleted;
}

int MemberRemoval::removeMembers(const QStringList& numbers)
{
    const QString members = m_db.requireTable(registerTable);
    const QString removed = m_db.requireTable(removedTable);
    const QString listed = asJsonArray(numbers);
    const QString fields = sharedFields(members, removed);
    Database::Transaction tx(m_db);
    // A member removed before is replaced by the record of now.
    deleteListed(removed, listed);
    m_db.run(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 WHERE %4")
                 .arg(Database::quoteIdentifier(removed), fields,
                      Database::quoteIdentifier(members), inListed),
             {listed});
    for (const QString& table : memberRecordTables)
        deleteListed(table, listed);
    const int gone = deleteListed(members, listed);
    tx.commit();
    return gone;
}

MemberRemoval::Return MemberRemoval::returnMember(const QString& number)
{
    const QString members = m_db.requireTable(registerTable);
    const QString removed = m_db.requireTable(removedTable);
    Database::Transaction tx(m_db);
    SqlStatement taken = m_db.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE CLEN_CISLO = ?")
                                          .arg(Database::quoteIdentifier(members)));
    taken.bind(1, number);
    if (taken.step())
        return Return::NumberTaken;
    const int back =
        m_db.run(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 WHERE "
                                "CLEN_CISLO = ?")
                     .arg(Database::quoteIdentifier(members), sharedFields(removed, members),
                          Database::quoteIdentifier(removed)),
                 {number});
    if (back == 0)
        return Return::NotRemoved;
    m_db.run(QStringLiteral("DELETE FROM %1 WHERE CLEN_CISLO = ?")
                 .arg(Database::quoteIdentifier(removed)),
             {number});
    tx.commit();
    m_db.touch(members);
    m_db.touch(removed);
    return Return::Returned;
}

int MemberRemoval::deleteAllRemoved()
{
    const QString removed = m_db.requireTable(removedTable);
    Database::Transaction tx(m_db);
    const int deleted =
        m_db.run(QStringLiteral("DELETE FROM %1").arg(Database::quoteIdentifier(removed)), {});
    tx.commit();
    m_db.touch(removed);
    return deleted;
}
