#include "StationeryReport.h"

#include "ReportBand.h"

namespace {
// Tall enough for any of the cards; they never run onto a second page.
constexpr double titleBandHeight = 180;
} // namespace

StationeryReport::StationeryReport(const QString& name, PrintSettings::Document document)
    : m_report(name)
    , m_document(document)
    , m_band(m_report.addBand(BandKind::Title, titleBandHeight))
{
    m_report.beforePrint = [this](Report&) {
        beforePrint();
    };
}

StationeryReport::~StationeryReport() = default;

void StationeryReport::recordDesign()
{
    m_design = std::make_unique<DesignPositions>(m_report);
}

void StationeryReport::beforePrint()
{
    const int down = m_settings ? m_settings->rowOffset(m_document) : 0;
    const int right = m_settings ? m_settings->columnOffset(m_document) : 0;
    m_design->applyOffsets(down, right);
    fill();
}
