#include "MailingList.h"

#include "DataSet.h"
#include "Database.h"
#include "Table.h"

namespace {

// How far back from the current row a household is looked for: members of one household
// are neighbours in surname order, give or take a few other families.
constexpr int householdReach = 15;
constexpr int progressStep = 200;

struct Columns {
    int surname, name, title, street, town, postCode, woman;
};

Columns columnsOf(const DataSet& members)
{
    const auto index = [&members](const char* name) {
        const int i = members.fieldIndex(QLatin1String(name));
        if (i < 0)
            throw EngineError(QStringLiteral("Výběr členů nemá pole %1.").arg(QLatin1String(name)),
                              EngineError::Kind::State);
        return i;
    };
    return {index("PRIJMENI"), index("JMENO"), index("TITUL"), index("ULICE"),
            index("OBEC"),     index("PSC"),   index("ZENA")};
}

MailingList::Envelope envelopeOf(const QList<QVariant>& row, const Columns& c)
{
    MailingList::Envelope e;
    e.surname = row.at(c.surname).toString();
    e.name = row.at(c.name).toString();
    e.title = row.at(c.title).toString();
    e.street = row.at(c.street).toString();
    e.town = row.at(c.town).toString();
    e.postCode = row.at(c.postCode).toString();
    e.woman = row.at(c.woman).toBool();
    return e;
}

// The household row for the member, searched from a little before the current row to the
// end; -1 when there is none.
int householdOf(const QList<MailingList::Envelope>& list, int current,
                const MailingList::Envelope& member)
{
    for (int i = qMax(0, current - householdReach); i < list.size(); ++i) {
        const MailingList::Envelope& row = list.at(i);
        if (row.street == member.street && row.town == member.town &&
            MailingList::sameFamily(row.surname, member.surname, member.woman))
            return i;
    }
    return -1;
}

// Blank text is stored as null, as the table cursors store it.
QVariant blankAsNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

MailingList::MailingList(Database& db)
    : m_db(db)
{
}

bool MailingList::sameFamily(const QString& rowSurname, const QString& memberSurname,
                             bool memberIsWoman)
{
    if (rowSurname.isEmpty() || memberSurname.isEmpty())
        return false;
    const int length = int(rowSurname.size());
    int same = 0;
    for (int i = 0; i < length; ++i)
        if (i < memberSurname.size() && rowSurname.at(i) == memberSurname.at(i))
            ++same;
    if (same == length)
        return true;
    if (memberIsWoman && double(same) / length > 0.5)
        return true;
    // Malá and Malý: the feminine and masculine forms of one adjective surname.
    return same == length - 1 && rowSurname.endsWith(QChar(u'á')) &&
           memberSurname.endsWith(QChar(u'ý'));
}

QList<MailingList::Envelope> MailingList::envelopesOf(DataSet& members, bool mergeHouseholds,
                                                      const Progress& progress)
{
    const Columns columns = columnsOf(members);
    const int total = members.recordCount();
    QList<Envelope> list;
    int current = -1;
    for (int i = 0; i < total; ++i) {
        const Envelope member = envelopeOf(members.recordAt(i), columns);
        const int household = mergeHouseholds ? householdOf(list, current, member) : -1;
        if (household >= 0) {
            ++list[household].enclosed;
            // The old list cursor moved on past the row it had just changed.
            current = qMin(household + 1, int(list.size()) - 1);
        } else {
            list.append(member);
            current = int(list.size()) - 1;
        }
        if (progress && ((i + 1) % progressStep == 0 || i + 1 == total))
            progress(i + 1, total);
    }
    return list;
}

int MailingList::rebuild(DataSet& members, bool mergeHouseholds, const Progress& progress)
{
    const QList<Envelope> list = envelopesOf(members, mergeHouseholds, progress);
    write(list);
    return int(list.size());
}

QString MailingList::stored() const
{
    return Database::quoteIdentifier(m_db.requireTable(QStringLiteral("ZPRAVOD")));
}

void MailingList::write(const QList<Envelope>& envelopes)
{
    const QString table = stored();
    Database::Transaction tx(m_db);
    m_db.run(QStringLiteral("DELETE FROM %1").arg(table), {});
    const QString insert =
        QStringLiteral("INSERT INTO %1 (PRIJMENI, JMENO, TITUL, ZENA, ULICE, OBEC, PSC, "
                       "VYTISKNUTO, PRILOHA) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .arg(table);
    for (const Envelope& e : envelopes)
        m_db.run(insert,
                 {blankAsNull(e.surname), blankAsNull(e.name), blankAsNull(e.title), e.woman,
                  blankAsNull(e.street), blankAsNull(e.town), blankAsNull(e.postCode), false,
                  // A row alone at its address keeps PRILOHA blank, as the old list did.
                  e.enclosed > 0 ? QVariant(qint64(e.enclosed)) : QVariant()});
    m_db.touch(m_db.requireTable(QStringLiteral("ZPRAVOD")));
    tx.commit();
}

int MailingList::markMade(Table& list, int count)
{
    if (count <= 0 || !list.isActive() || list.isEmpty())
        return 0;
    const int from = list.position();
    const int to = qMin(from + count, list.recordCount());
    QList<qint64> rows;
    for (int i = from; i < to; ++i)
        rows << list.bookmarkAt(i);
    markPrinted(list, rows);
    list.moveToPosition(qMin(to, list.recordCount() - 1));
    return to - from;
}

void MailingList::markPrinted(Table& list, const QList<qint64>& rows)
{
    const QString update =
        QStringLiteral("UPDATE %1 SET VYTISKNUTO = 1 WHERE rowid = ?").arg(stored());
    {
        Database::Transaction tx(m_db);
        for (qint64 row : rows)
            m_db.run(update, {row});
        m_db.touch(m_db.requireTable(QStringLiteral("ZPRAVOD")));
        tx.commit();
    }
    list.refresh();
}

int MailingList::remaining()
{
    SqlStatement st = m_db.prepare(
        QStringLiteral("SELECT COUNT(*) FROM %1 WHERE VYTISKNUTO IS NOT 1").arg(stored()));
    st.step();
    return int(st.integer(0));
}
