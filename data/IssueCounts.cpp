#include "IssueCounts.h"

#include "DataModel.h"
#include "Database.h"

#include <QHash>
#include <QList>
#include <QPair>

namespace {

QString countWhere(const QString& condition)
{
    return QStringLiteral("count(CASE WHEN %1 THEN 1 END)").arg(condition);
}

QString markedSql(const QString& water)
{
    return QStringLiteral("coalesce(%1_VRACENO, '') <> ''").arg(water);
}

// The columns of the count, in this order: the fee items, MP and PS honorary permits, MP and
// PS returns handed in.
QStringList countColumns()
{
    QStringList columns;
    for (const QString& item : DataModel::feeItems())
        columns << countWhere(Database::quoteIdentifier(item) + QStringLiteral(" > 0"));
    const auto mp = IssueCounts::permitIssuedSql(QStringLiteral("MP"));
    // A PS mark on a payment with only a local permit is no honorary PS permit.
    const auto psOrMi = IssueCounts::permitIssuedSql(QStringLiteral("PS")) +
                        QStringLiteral(" OR ") + IssueCounts::permitIssuedSql(QStringLiteral("MI"));
    columns << countWhere(markedSql(QStringLiteral("MP")) + QStringLiteral(" AND NOT ") + mp)
            << countWhere(markedSql(QStringLiteral("PS")) + QStringLiteral(" AND NOT (") + psOrMi +
                          QLatin1Char(')'))
            << countWhere(QStringLiteral("MP_VRACENO = 'ANO'"))
            << countWhere(QStringLiteral("PS_VRACENO = 'ANO'"));
    return columns;
}

qint64 sumOf(const QHash<QString, qint64>& counts, const QStringList& items)
{
    qint64 sum = 0;
    for (const QString& item : items)
        sum += counts.value(item);
    return sum;
}

} // namespace

IssueCounts::IssueCounts(Database& db)
    : m_db(db)
{
}

QString IssueCounts::permitIssuedSql(const QString& water)
{
    QStringList above;
    for (const QString& item : DataModel::permitItems(water))
        above << QStringLiteral("coalesce(%1, 0) > 0").arg(Database::quoteIdentifier(item));
    return QLatin1Char('(') + above.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

void IssueCounts::count(int year)
{
    Database::Transaction tx(m_db);
    SqlStatement st = m_db.prepare(
        QStringLiteral("SELECT %1 FROM %2 WHERE ROK = ?")
            .arg(countColumns().join(QStringLiteral(", ")),
                 Database::quoteIdentifier(m_db.requireTable(QStringLiteral("Povol")))));
    st.bind(1, year);
    st.step();
    QHash<QString, qint64> counts;
    const QStringList& items = DataModel::feeItems();
    for (int i = 0; i < items.size(); ++i)
        counts.insert(items[i], st.integer(i));
    const int honorary = int(items.size());
    const qint64 mpHonorary = st.integer(honorary);
    const qint64 psHonorary = st.integer(honorary + 1);

    QList<QPair<QString, qint64>> figures{{QStringLiteral("ROK"), year}};
    for (const QString& item : items)
        figures.append({item, counts.value(item)});
    figures << qMakePair(QStringLiteral("MP_CESTNA"), mpHonorary)
            << qMakePair(QStringLiteral("PS_CESTNA"), psHonorary)
            << qMakePair(QStringLiteral("MI_CESTNA"), qint64(0))
            << qMakePair(QStringLiteral("MP_CELKEM"),
                         sumOf(counts, DataModel::permitItems(QStringLiteral("MP"))) + mpHonorary)
            << qMakePair(QStringLiteral("PS_CELKEM"),
                         sumOf(counts, DataModel::permitItems(QStringLiteral("PS"))) + psHonorary)
            << qMakePair(QStringLiteral("MI_CELKEM"),
                         sumOf(counts, DataModel::permitItems(QStringLiteral("MI"))))
            << qMakePair(QStringLiteral("MP_VRACENO"), st.integer(honorary + 2))
            << qMakePair(QStringLiteral("PS_VRACENO"), st.integer(honorary + 3));
    store(figures);
    tx.commit();
}

void IssueCounts::store(const QList<QPair<QString, qint64>>& figures)
{
    const QString table = m_db.requireTable(QStringLiteral("NumPovol"));
    QStringList assignments;
    QStringList names;
    QList<QVariant> values;
    for (const auto& [name, value] : figures) {
        assignments << Database::quoteIdentifier(name) + QStringLiteral(" = ?");
        names << Database::quoteIdentifier(name);
        values << value;
    }
    const QString quoted = Database::quoteIdentifier(table);
    // The one row holds the figures; data that lost it get it again.
    const int updated = m_db.run(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = (SELECT min(rowid) "
                                                "FROM %1)")
                                     .arg(quoted, assignments.join(QStringLiteral(", "))),
                                 values);
    if (updated == 0)
        m_db.run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                     .arg(quoted, names.join(QStringLiteral(", ")),
                          QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(','))),
                 values);
    m_db.touch(table);
}
