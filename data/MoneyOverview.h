#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class Database;
class Query;

// What the chapter took for fees and permits on one day or over a period: a total per issue
// day in SumPovol.DB and a cash listing by payment kind and unit amount in VYCETKA.DB, both
// rewritten whole in one transaction. The tally keeps every distinct amount of a fee item,
// so the listing always adds up to the money taken.
class MoneyOverview {
public:
    enum class Outcome { Done, WrongDates };
    // The drop-down of the named list: all payments, or those holding one fee item.
    enum class Kind { All, Entry, Training, Card, Membership, Brigade };

    explicit MoneyOverview(Database& db);

    // The payments issued from `from` to `to` inclusive. WrongDates, with nothing written,
    // when the period ends before it starts. Throws EngineError; the tables are then as they
    // were.
    Outcome compute(const QDate& from, const QDate& to);
    Outcome computeDay(const QDate& day) { return compute(day, day); }

    int dayTotalsWritten() const { return m_dayTotals; }
    int listingRowsWritten() const { return m_listingRows; }

    // The payment kind a fee item is listed under ("MP povolenka" for every MP permit).
    static QString paymentKind(const QString& feeItem);

    // Rewrites and opens the named payments query: the payments of the period with their
    // members, by surname, optionally only those holding the fee item of `kind` (of exactly
    // `amount` when that is given and not "0"). Throws EngineError with the conversion
    // message, the query untouched, when the amount is no whole number.
    static void openNamedPayments(Query& query, const QDate& from, const QDate& to, Kind kind,
                                  const QString& amount);
    static QString kindField(Kind kind);

private:
    // Amount -> number of payments, per fee item in field order.
    using Tally = QList<QMap<qint64, qint64>>;

    Tally writeDayTotals(const QString& table, const QDate& from, const QDate& to);
    void writeListing(const QString& table, const Tally& tally);

    Database& m_db;
    int m_dayTotals = 0;
    int m_listingRows = 0;
};
