#pragma once

#include "DesignPositions.h"
#include "PrintSettings.h"
#include "Report.h"

#include <memory>

class ReportBand;

// A document printed onto pre-printed stationery: one title band of movable
// items, shifted at every print by the offsets the settings keep for this document.
class StationeryReport {
public:
    StationeryReport(const QString& name, PrintSettings::Document document);
    virtual ~StationeryReport();
    StationeryReport(const StationeryReport&) = delete;
    StationeryReport& operator=(const StationeryReport&) = delete;

    Report& report() { return m_report; }
    // Without settings nothing moves and the optional items keep their defaults.
    void setPrintSettings(const PrintSettings* settings) { m_settings = settings; }

protected:
    ReportBand& band() { return *m_band; }
    const PrintSettings* settings() const { return m_settings; }
    // Called by the derived constructor once every item is laid out.
    void recordDesign();
    // Fills what each print takes from the current records.
    virtual void fill() = 0;

private:
    void beforePrint();

    Report m_report;
    PrintSettings::Document m_document;
    ReportBand* m_band;
    std::unique_ptr<DesignPositions> m_design;
    const PrintSettings* m_settings = nullptr;
};
