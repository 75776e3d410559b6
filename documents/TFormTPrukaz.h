#pragma once

#include "StationeryReport.h"

class DataSet;
class ReportField;
class ReportLabel;

// The membership card, printed onto the union's card form in landscape.
class TFormTPrukaz : public StationeryReport {
public:
    TFormTPrukaz(DataSet& members, DataSet& setup);

protected:
    void fill() override;

private:
    DataSet& m_members;
    ReportField* m_birth;
    ReportLabel* m_name;
    ReportLabel* m_address;
};
