#pragma once

#include "Query.h"
#include "Report.h"

#include <QString>
#include <QStringList>

#include <memory>

class Database;
class DataSet;
class MemberListHeader;
class ReportRunner;

// Brigade fulfilment: for every member the hours the fee table requires of the member's
// category against the hours worked in the year, with the members who are short marked
// and the hours still owed added up.
class TFormTBrig {
public:
    TFormTBrig(Database& db, DataSet& setup);
    ~TFormTBrig();

    Report& report() { return m_report; }

    // "Tisk brigád skupiny" for the evaluated brigade year; an empty group lists everyone.
    // Without the complete list only the members short of hours print, while the summary
    // still counts every member.
    void run(ReportRunner& runner, const QString& group, int year, bool alphabetical, bool complete,
             bool printsDirectly);

    // The query as the chapter has always kept it; its last line is the order line.
    static QStringList storedQuery();

private:
    void addDetail();
    void addSummary();
    void countRow(bool& print);
    void resetCounters();

    Report m_report;
    Query m_query;
    std::unique_ptr<MemberListHeader> m_header;
    QString m_selection;
    QString m_mark;
    bool m_complete = true;
    int m_fulfilled = 0;
    int m_notFulfilled = 0;
    double m_missing = 0;
};
