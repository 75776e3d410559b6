#include "RegisterCorrections.h"

#include "BirthNumber.h"
#include "Database.h"
#include "IssueCounts.h"

#include <QDate>

namespace {

const QString members = QStringLiteral("Clenove");
const QString payments = QStringLiteral("Povol");

// How often the progress is told while rows are walked.
constexpr int progressStep = 500;

} // namespace

RegisterCorrections::RegisterCorrections(Database& db, Progress progress)
    : m_db(db)
    , m_progress(std::move(progress))
{
}

QString RegisterCorrections::stored(const QString& table) const
{
    return Database::quoteIdentifier(m_db.requireTable(table));
}

int RegisterCorrections::fieldWidth(const QString& field) const
{
    const TableDef& def = m_db.tableDef(m_db.requireTable(members));
    return def.fields.value(def.fieldIndex(field)).size;
}

void RegisterCorrections::tell(int done, int total) const
{
    if (m_progress && (done % progressStep == 0 || done == total))
        m_progress(done, total);
}

QList<RegisterCorrections::MemberValue> RegisterCorrections::readMembers(const QString& field,
                                                                         const QString& condition)
{
    // Read whole before anything is written, so no change can move a row under the walk.
    SqlStatement st =
        m_db.prepare(QStringLiteral("SELECT rowid, CLEN_CISLO, %1 FROM %2 WHERE %3")
                         .arg(Database::quoteIdentifier(field), stored(members), condition));
    QList<MemberValue> rows;
    while (st.step())
        rows.append({st.integer(0), st.text(1), st.text(2)});
    return rows;
}

bool RegisterCorrections::setMemberField(const QString& field, qint64 rowid, const QVariant& value)
{
    return m_db.run(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ? AND %2 IS NOT ?")
                        .arg(stored(members), Database::quoteIdentifier(field)),
                    {value, rowid, value}) > 0;
}

int RegisterCorrections::walkMembers(const QString& field, const QString& condition,
                                     const Rewrite& rewrite)
{
    Database::Transaction tx(m_db);
    const QList<MemberValue> rows = readMembers(field, condition);
    const int total = int(rows.size());
    tell(0, total);
    int changed = 0;
    for (int i = 0; i < total; ++i) {
        if (rewrite(rows[i]))
            ++changed;
        tell(i + 1, total);
    }
    // The cursors on the members read them anew before their next move.
    m_db.touch(m_db.requireTable(members));
    tx.commit();
    return changed;
}

int RegisterCorrections::formatPostcodes()
{
    const QString field = QStringLiteral("PSC");
    const int width = fieldWidth(field);
    return walkMembers(field, QStringLiteral("length(PSC) >= 4 AND substr(PSC, 4, 1) <> ' '"),
                       [&](const MemberValue& member) {
                           const QString spaced =
                               member.value.left(3) + QLatin1Char(' ') + member.value.mid(3);
                           if (spaced.size() > width) {
                               m_passedOver.append({member.number, member.value});
                               return false;
                           }
                           return setMemberField(field, member.rowid, spaced);
                       });
}

int RegisterCorrections::formatBirthNumbers()
{
    const QString field = QStringLiteral("RODNE_CISLO");
    const int width = fieldWidth(field);
    return walkMembers(
        field, QStringLiteral("length(RODNE_CISLO) >= 6"), [&](const MemberValue& member) {
            const QString dotted = BirthNumber::dotted(member.value);
            const BirthNumber number(dotted);
            if (!number.isDate() || dotted.size() > width) {
                m_passedOver.append({member.number, member.value});
                return false;
            }
            const bool rewritten = setMemberField(field, member.rowid, dotted);
            const bool marked =
                number.isWoman() && setMemberField(QStringLiteral("ZENA"), member.rowid, true);
            return rewritten || marked;
        });
}

int RegisterCorrections::fillBirthDates()
{
    const QString field = QStringLiteral("RODNE_CISLO");
    return walkMembers(
        field,
        QStringLiteral("coalesce(RODNE_CISLO, '') <> '' AND coalesce(DATUM_NAROZENI, '') = ''"),
        [&](const MemberValue& member) {
            const BirthNumber number(member.value);
            if (!number.isDate()) {
                m_passedOver.append({member.number, member.value});
                return false;
            }
            return setMemberField(QStringLiteral("DATUM_NAROZENI"), member.rowid,
                                  number.birthDate());
        });
}

int RegisterCorrections::deletePaymentsUpTo(int year)
{
    Database::Transaction tx(m_db);
    const int removed =
        m_db.run(QStringLiteral("DELETE FROM %1 WHERE ROK <= ?").arg(stored(payments)), {year});
    m_db.touch(m_db.requireTable(payments));
    tx.commit();
    return removed;
}

int RegisterCorrections::markOwedReturns()
{
    Database::Transaction tx(m_db);
    int marked = 0;
    for (const char* water : {"MP", "PS"}) {
        const QString mark = QLatin1String(water) + QStringLiteral("_VRACENO");
        marked += m_db.run(
            QStringLiteral("UPDATE %1 SET %2 = ? WHERE coalesce(%2, '') = '' AND %3")
                .arg(stored(payments), mark, IssueCounts::permitIssuedSql(QLatin1String(water))),
            {QStringLiteral("NE")});
    }
    m_db.touch(m_db.requireTable(payments));
    tx.commit();
    return marked;
}

int RegisterCorrections::recordPaidMemberships()
{
    Database::Transaction tx(m_db);
    const QString latestPaid =
        QStringLiteral("(SELECT max(p.ROK) FROM %1 p WHERE p.CLEN_CISLO = %2.CLEN_CISLO "
                       "AND p.CLEN_PRISP > 0)")
            .arg(stored(payments), stored(members));
    const int raised = m_db.run(QStringLiteral("UPDATE %1 SET LAST_CLENSTVI = %2 "
                                               "WHERE coalesce(LAST_CLENSTVI, 0) < %2")
                                    .arg(stored(members), latestPaid),
                                {});
    SqlStatement unknown = m_db.prepare(
        QStringLiteral("SELECT p.CLEN_CISLO FROM %1 p WHERE NOT EXISTS (SELECT 1 FROM %2 m "
                       "WHERE m.CLEN_CISLO = p.CLEN_CISLO) GROUP BY p.CLEN_CISLO "
                       "ORDER BY min(p.rowid)")
            .arg(stored(payments), stored(members)));
    while (unknown.step())
        m_passedOver.append({unknown.text(0), QString()});
    m_db.touch(m_db.requireTable(members));
    tx.commit();
    return raised;
}
