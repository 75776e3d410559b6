#pragma once

#include "StationeryReport.h"

class DataSet;
class ReportLabel;

// The permit card: the angler's card number and name in the head line of the permit.
class TFormTPovol : public StationeryReport {
public:
    explicit TFormTPovol(DataSet& members);

    // Names longer than this are printed smaller to fit the form's box.
    static constexpr int longNameLength = 14;

protected:
    void fill() override;

private:
    DataSet& m_members;
    ReportLabel* m_name;
};
