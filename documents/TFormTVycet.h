#pragma once

#include "Report.h"

class DataSet;

// The cash listing: what was taken by payment kind and unit amount (VYCETKA.DB), the kind
// named once per run of equal kinds, and the period of the day totals with the grand total.
class TFormTVycet {
public:
    TFormTVycet(DataSet& listing, DataSet& dayTotals, DataSet& setup);

    Report& report() { return m_report; }

    // "Od  1.3.2024  do   5.3.2024", "Dne  1.3.2024", or "Dne  " with no day totals.
    static QString periodText(DataSet& dayTotals);

private:
    void addTitle(DataSet& setup);
    void addDetail(DataSet& listing);
    void addSummary(DataSet& dayTotals);

    Report m_report;
    // The kind of the row printed last; cleared at the start of each run.
    QString m_shownKind;
};
