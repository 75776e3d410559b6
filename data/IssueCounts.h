#pragma once

#include <QString>

class Database;

// The figures of the "Info" tab: for one year, how many payments hold each fee item, the
// honorary permits, the permits of each kind of water in all and the catch returns handed
// in, stored with the year in the one row of NumPovol.DB.
class IssueCounts {
public:
    explicit IssueCounts(Database& db);

    // Counts the payments of the year and stores the figures, in one transaction.
    void count(int year);

    // The SQL condition that a payment holds a permit of the kind of water ("MP", "PS", "MI");
    // a blank amount is no permit.
    static QString permitIssuedSql(const QString& water);

private:
    void store(const QList<QPair<QString, qint64>>& figures);

    Database& m_db;
};
