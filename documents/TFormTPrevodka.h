#pragma once

#include "StationeryReport.h"

class DataSet;
class ReportField;
class ReportLabel;
class ReportMemo;

// The transfer form a member takes to another chapter: personal data, the notes kept about
// the member, the year paid for and the day of issue.
class TFormTPrevodka : public StationeryReport {
public:
    TFormTPrevodka(DataSet& members, DataSet& setup);

protected:
    void fill() override;

private:
    DataSet& m_members;
    ReportField* m_birthNumber;
    ReportLabel* m_name;
    ReportLabel* m_address;
    ReportMemo* m_notes;
    ReportLabel* m_today;
};
