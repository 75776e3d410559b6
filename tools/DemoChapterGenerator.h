#pragma once

#include "DemoCatchPlanner.h"
#include "DemoHistoryPlanner.h"
#include "DemoHouseholdFactory.h"
#include "DemoRandom.h"
#include "RowWriter.h"

#include <QString>

class Database;

// Fills a new data directory with a believable chapter to try the program on, or to
// measure it with: households of members, removed members, payments of recent years,
// brigade work, awards and the summary year's catch returns. The same seed always gives
// the same chapter. The caller holds the transaction the rows are written in.
class DemoChapterGenerator {
public:
    static constexpr int DefaultMembers = 300;

    DemoChapterGenerator(Database& db, quint32 seed, int year);

    // Writes that many members (0 = the default size).
    void generate(int members);

private:
    QString nextNumber();
    void writeRemoved(const QString& number);
    void writeMember(RowWriter& table, const DemoMember& member);
    void writePayments(const DemoMember& member, const DemoHistoryPlanner::History& history);
    void writeBrigades(const DemoMember& member, const DemoHistoryPlanner::History& history);
    void writeAwards(const DemoMember& member, const DemoHistoryPlanner::History& history);
    void writeReturn(const DemoMember& member, bool trout);

    int m_year;
    QString m_chapterNumber;
    DemoRandom m_random;
    DemoHouseholdFactory m_people;
    DemoHistoryPlanner m_history;
    DemoCatchPlanner m_catches;
    RowWriter m_members;
    RowWriter m_removed;
    RowWriter m_payments;
    RowWriter m_brigades;
    RowWriter m_awards;
    RowWriter m_mpReturns;
    RowWriter m_psReturns;
    int m_lastNumber = 0;
    int m_returnsWritten = 0;
};
