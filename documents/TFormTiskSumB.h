#pragma once

#include "Report.h"

class DataSet;

// The district totals for the union, second part: the species 14 – 24, the district's
// whole catch and its catch per fishing day, with the chapter's statistics in the summary.
class TFormTiskSumB {
public:
    TFormTiskSumB(DataSet& totals, DataSet& setup);

    Report& report() { return m_report; }

private:
    Report m_report;
};
