#pragma once

#include "Report.h"

class DataSet;
class Printable;

// The named payments list: every payment of the named payments query (QueryJmen) with its
// member and fee items, and the sums of the list. With the local permits it is the variant
// TFormJmenovite_MI.
class TFormJmenovite {
public:
    TFormJmenovite(DataSet& payments, DataSet& setup, bool localPermits);

    Report& report() { return m_report; }
    // " " for today's list, "od 1.1.2024 do 31.3.2024" for a period.
    void setRangeCaption(const QString& caption);

private:
    Report m_report;
    Printable* m_range = nullptr;
};
