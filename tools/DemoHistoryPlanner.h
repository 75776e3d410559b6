#pragma once

#include "DemoMember.h"

#include <QDate>
#include <QList>
#include <QString>

class DemoRandom;

// A demo member's recent years in the chapter: the payment records with the fees and
// permits bought, brigade work, awards, and whether each catch return came back. The
// records follow the rules the program relies on: items copied from the category's fees
// of that year, a return mark on every record with a permit of its kind (and an honorary
// permit only for honorary members), the brigade fee only after a year short of hours.
class DemoHistoryPlanner {
public:
    // Payment years kept per member, the last being the working year.
    static constexpr int Years = 5;

    struct Payment {
        int year = 0;
        QList<int> items; // the 27 fee items in stored order
        QDate issued;
        QString mpMark;
        QString psMark;

        int total() const;
    };
    struct Brigade {
        QDate date;
        double hours = 0;
        QString work;
        QString recorder;
    };
    struct Award {
        QString kind;
        QDate date;
    };
    struct History {
        QList<Payment> payments;
        QList<Brigade> brigades;
        QList<Award> awards;
        // The working year's returns were handed in.
        bool mpReturned = false;
        bool psReturned = false;
    };

    DemoHistoryPlanner(DemoRandom& random, int year);

    // Also sets the member's last years with a return handed in.
    History plan(DemoMember& member);

private:
    // The permit kinds (fee item names) a member buys year after year; empty = none.
    struct Habits {
        QString mp;
        QString ps;
        QString mi;
    };
    struct Returns {
        bool mp = false;
        bool ps = false;
    };

    Habits habitsOf();
    QString thisYear(const QString& usual);
    double planBrigades(const DemoMember& member, int year, History& history);
    void planYear(const DemoMember& member, int year, const Habits& habits, bool owesBrigade,
                  History& history);
    Payment payment(const DemoMember& member, int year, const QStringList& charged,
                    const QDate& issued, const Returns& returns);
    QStringList mainItems(const DemoMember& member, int year, const Habits& habits,
                          bool owesBrigade);
    void planAwards(const DemoMember& member, History& history);
    QDate issueDay(int year);

    DemoRandom& m_random;
    int m_year;
};
