#pragma once

#include "Query.h"
#include "Report.h"

#include <QSet>
#include <QString>

class Database;
class ReportRunner;

// The awarded members of the current selection, each with every award the member holds
// listed under the name.
class TFormVyznam {
public:
    // The selection is the members window's query; the awards are read per member.
    TFormVyznam(Query& selection, Database& db);

    Report& report() { return m_report; }

    // "Tisk vyznamenanych". A member whom the selection holds more than once (once per
    // kind of award) is listed once.
    void run(ReportRunner& runner, bool printsDirectly);

private:
    void addHeader();
    void addDetail();
    void addAwards();

    Report m_report;
    Query& m_selection;
    Query m_awards;
    QSet<QString> m_listed;
};
