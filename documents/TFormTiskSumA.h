#pragma once

#include "Report.h"

class DataSet;

// The district totals for the union, first part: attendance and the species 01 – 13, one
// landscape line pair per district.
class TFormTiskSumA {
public:
    TFormTiskSumA(DataSet& totals, DataSet& setup);

    Report& report() { return m_report; }

private:
    Report m_report;
};
