#pragma once

#include "Report.h"

class DataSet;

// The money overview: one line per issue day of the day totals (SumPovol.DB) with its money,
// its count of payments and every fee item, and the sums of the period. With the local
// permits it is the variant TFormTPrehled_MI.
class TFormTPrehled {
public:
    TFormTPrehled(DataSet& dayTotals, DataSet& setup, bool localPermits);

    Report& report() { return m_report; }

private:
    Report m_report;
};
