#pragma once

#include "DesignPositions.h"
#include "Report.h"

#include <memory>

class DataSet;
class PrintSettings;
class ReportImage;
class ReportLabel;

// The attendance card, printed onto the pre-printed A5 card right after a permit is issued;
// it carries the member number as a barcode for the scanner at the desk. The card's feed
// offsets are the chapter's (DOCH_DRAD, DOCH_DSLOUP of Setup.db).
class TFormTiskDochMP {
public:
    TFormTiskDochMP(DataSet& members, DataSet& setup);
    ~TFormTiskDochMP();

    Report& report() { return m_report; }
    void setPrintSettings(const PrintSettings* settings) { m_settings = settings; }
    // The validity printed on the next cards; empty texts for permits shorter than a year.
    void setValidity(const QString& from, const QString& to);

private:
    void addItems(DataSet& members, DataSet& setup);
    void beforePrint();
    void drawBarcode();

    Report m_report;
    DataSet& m_members;
    DataSet& m_setup;
    const PrintSettings* m_settings = nullptr;
    ReportLabel* m_message = nullptr;
    ReportLabel* m_from = nullptr;
    ReportLabel* m_to = nullptr;
    ReportLabel* m_name = nullptr;
    ReportImage* m_barcode = nullptr;
    std::unique_ptr<DesignPositions> m_design;
};
