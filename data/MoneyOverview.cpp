#include "MoneyOverview.h"

#include "DataModel.h"
#include "Database.h"
#include "FieldDef.h"
#include "FieldValue.h"
#include "Query.h"
#include "SqlStatement.h"

namespace {

const QString dayTotalsFile = QStringLiteral("SumPovol.DB");
const QString listingFile = QStringLiteral("VYCETKA.DB");
const QString paymentsFile = QStringLiteral("Povol.DB");

QString columnList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted << Database::quoteIdentifier(name);
    return quoted.join(QStringLiteral(", "));
}

QString insertSql(const QString& table, const QStringList& columns)
{
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(Database::quoteIdentifier(table), columnList(columns),
             QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
}

// The sums of one issue day, fee items in field order with CELKEM_KC last.
struct DaySums {
    QString day; // ISO, as stored
    qint64 payments = 0;
    QList<qint64> sums;
};

} // namespace

MoneyOverview::MoneyOverview(Database& db)
    : m_db(db)
{
}

MoneyOverview::Outcome MoneyOverview::compute(const QDate& from, const QDate& to)
{
    if (to < from)
        return Outcome::WrongDates;
    m_dayTotals = 0;
    m_listingRows = 0;
    const QString dayTotals = m_db.requireTable(dayTotalsFile);
    const QString listing = m_db.requireTable(listingFile);
    Database::Transaction transaction(m_db);
    m_db.execute(QStringLiteral("DELETE FROM ") + Database::quoteIdentifier(dayTotals));
    m_db.execute(QStringLiteral("DELETE FROM ") + Database::quoteIdentifier(listing));
    writeListing(listing, writeDayTotals(dayTotals, from, to));
    transaction.commit();
    m_db.touch(dayTotals);
    m_db.touch(listing);
    return Outcome::Done;
}

MoneyOverview::Tally MoneyOverview::writeDayTotals(const QString& table, const QDate& from,
                                                   const QDate& to)
{
    const QStringList& items = DataModel::feeItems();
    const QStringList summed = QStringList(items) << QStringLiteral("CELKEM_KC");
    SqlStatement payments = m_db.prepare(
        QStringLiteral("SELECT VYDANO, %1 FROM %2 WHERE VYDANO >= ?1 AND VYDANO <= ?2 "
                       "ORDER BY VYDANO")
            .arg(columnList(summed), Database::quoteIdentifier(m_db.requireTable(paymentsFile))));
    payments.bind(1, from);
    payments.bind(2, to);
    const QString insert = insertSql(
        table, QStringList{QStringLiteral("VYDANO"), QStringLiteral("POCET_POVOLENEK")} << summed);
    const auto writeDay = [&](const DaySums& day) {
        SqlStatement& st = m_db.cached(insert);
        st.bind(1, day.day);
        st.bind(2, day.payments);
        for (int i = 0; i < day.sums.size(); ++i)
            st.bind(3 + i, day.sums[i]);
        st.run();
        ++m_dayTotals;
    };

    Tally tally(items.size());
    DaySums day;
    while (payments.step()) {
        const QString issued = payments.text(0);
        if (day.payments > 0 && issued != day.day) {
            writeDay(day);
            day = {};
        }
        if (day.payments == 0) {
            day.day = issued;
            day.sums = QList<qint64>(summed.size(), 0);
        }
        ++day.payments;
        for (int i = 0; i < summed.size(); ++i) {
            const qint64 amount = payments.integer(1 + i);
            day.sums[i] += amount;
            if (i < items.size() && amount != 0)
                ++tally[i][amount];
        }
    }
    if (day.payments > 0)
        writeDay(day);
    return tally;
}

void MoneyOverview::writeListing(const QString& table, const Tally& tally)
{
    const QString insert = insertSql(
        table, {QStringLiteral("TYP_PLATBY"), QStringLiteral("HODNOTA"), QStringLiteral("POCET")});
    const QStringList& items = DataModel::feeItems();
    for (int i = 0; i < items.size(); ++i) {
        const QString kind = paymentKind(items[i]);
        for (auto it = tally[i].cbegin(); it != tally[i].cend(); ++it) {
            SqlStatement& st = m_db.cached(insert);
            st.bind(1, kind);
            st.bind(2, it.key());
            st.bind(3, it.value());
            st.run();
            ++m_listingRows;
        }
    }
}

QString MoneyOverview::paymentKind(const QString& feeItem)
{
    static const QHash<QString, QString> single{
        {QStringLiteral("ZAPISNE"), QStringLiteral("Zápisné")},
        {QStringLiteral("SKOLENI"), QStringLiteral("Školení")},
        {QStringLiteral("LEGITIMACE"), QStringLiteral("Legitimace")},
        {QStringLiteral("CLEN_PRISP"), QStringLiteral("Členský příspěvek")},
        {QStringLiteral("MAN_POPLATEK"), QStringLiteral("Manip. poplatek")},
        {QStringLiteral("BRIGADA"), QStringLiteral("Brigáda")},
        {QStringLiteral("STANOVY_ZEB"), QStringLiteral("Stanovy ZEB")},
        {QStringLiteral("POSTOVNE"), QStringLiteral("Poštovné")},
        {QStringLiteral("MP_RAD"), QStringLiteral("MP řád")},
        {QStringLiteral("PS_RAD"), QStringLiteral("PS řád")},
        {QStringLiteral("MI_RAD"), QStringLiteral("MI řád")}};
    const auto found = single.constFind(feeItem);
    if (found != single.constEnd())
        return *found;
    // The permits of one kind of water share their kind whatever their length.
    return feeItem.left(2) + QStringLiteral(" povolenka");
}

QString MoneyOverview::kindField(Kind kind)
{
    switch (kind) {
    case Kind::All:
        return {};
    case Kind::Entry:
        return QStringLiteral("ZAPISNE");
    case Kind::Training:
        return QStringLiteral("SKOLENI");
    case Kind::Card:
        return QStringLiteral("LEGITIMACE");
    case Kind::Membership:
        return QStringLiteral("CLEN_PRISP");
    case Kind::Brigade:
        return QStringLiteral("BRIGADA");
    }
    return {};
}

void MoneyOverview::openNamedPayments(Query& query, const QDate& from, const QDate& to, Kind kind,
                                      const QString& amount)
{
    const QString field = kindField(kind);
    QStringList lines{QStringLiteral("select * from CLENOVE,POVOL"),
                      QStringLiteral("where (CLENOVE.CLEN_CISLO=POVOL.CLEN_CISLO) and "
                                     "(VYDANO >= :datumod)")};
    QVariant exact;
    if (!field.isEmpty()) {
        // The amount is bound, never pasted: what was typed cannot widen the list.
        if (!amount.trimmed().isEmpty())
            exact = FieldValue::normalize(FieldDef::integer(field), amount);
        const bool byAmount = exact.isValid() && exact.toLongLong() != 0;
        lines << (byAmount ? QStringLiteral("and (%1=:castka)") : QStringLiteral("and (%1>0)"))
                     .arg(field);
    }
    lines << QStringLiteral("and (VYDANO <= :datumdo)") << QStringLiteral(" ORDER BY PRIJMENI ");
    query.close();
    query.setSql(lines);
    query.setParam(QStringLiteral("datumod"), from);
    query.setParam(QStringLiteral("datumdo"), to);
    if (exact.isValid())
        query.setParam(QStringLiteral("castka"), exact);
    query.open();
    query.first();
}
