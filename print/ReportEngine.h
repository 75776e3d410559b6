#pragma once

#include "PrintContext.h"
#include "RenderedDocument.h"
#include "TextMetrics.h"

#include <QDate>
#include <QList>

#include <memory>

class DataSet;
class PageComposer;
class Printable;
class Report;
class ReportBand;
class ReportExpression;

// Generates a report into a rendered document: runs its events, walks its data and lays its
// bands down the pages. Page headers open every page; on the first page the title follows;
// then the details; the summary closes the report.
class ReportEngine {
public:
    explicit ReportEngine(Report& report);
    ~ReportEngine();

    // The date the system data print; today unless set.
    void setToday(const QDate& date) { m_today = date; }

    // Errors of the datasets and expressions come out as EngineError. The report's dataset
    // is left after its last row, as the old engine left it.
    RenderedDocument generate();

private:
    PrintContext context() const;
    void printPageHeaders();
    void printBands(BandKind kind);
    bool printBand(ReportBand& band);
    // Begins a new page when the band does not fit; true for a band taller than a page,
    // which is spread over pages from where it stands.
    bool makeRoom(const ReportBand& band, double height);
    void placeBand(const ReportBand& band, double height, bool spread);
    void printDetails();
    void printRowsOf(DataSet& data);
    void printRequestedDetails();
    void printDetail(bool withSubDetails);
    void printSubDetail(ReportBand& band);
    // The data printables of the detail bands, left to right, as the columns of the table.
    void collectColumns();
    void recordRow();
    void resetAggregates();
    void accumulate();

    Report& m_report;
    QDate m_today;
    TextMetrics m_metrics;
    RenderedDocument m_document;
    std::unique_ptr<PageComposer> m_composer;
    QList<ReportExpression*> m_expressions;
    QList<Printable*> m_columns;
};
