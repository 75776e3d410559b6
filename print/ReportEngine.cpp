#include "ReportEngine.h"

#include "DataSet.h"
#include "PageComposer.h"
#include "Query.h"
#include "Report.h"
#include "ReportExpression.h"
#include "ReportField.h"

#include <algorithm>

namespace {
constexpr double Tolerance = 0.001;
} // namespace

ReportEngine::ReportEngine(Report& report)
    : m_report(report)
    , m_today(QDate::currentDate())
{
}

ReportEngine::~ReportEngine() = default;

RenderedDocument ReportEngine::generate()
{
    m_document = RenderedDocument{};
    m_document.reportName = m_report.name();
    m_document.title = m_report.title();
    m_document.printedOn = m_today;
    m_expressions.clear();
    for (Printable* item : m_report.printables())
        if (auto* expression = dynamic_cast<ReportExpression*>(item))
            m_expressions << expression;
    resetAggregates();
    if (m_report.beforePrint)
        m_report.beforePrint(m_report);
    // Read after the event, which may set the paper up for this run.
    m_document.page = m_report.page();
    m_document.subject = m_report.subject();
    m_document.listReport = m_report.isListReport();
    if (m_document.listReport)
        collectColumns();
    m_composer = std::make_unique<PageComposer>(m_document, [this] { printPageHeaders(); });
    m_composer->startPage();
    printBands(BandKind::Title);
    printDetails();
    printBands(BandKind::Summary);
    m_composer.reset();
    return std::move(m_document);
}

PrintContext ReportEngine::context() const
{
    return PrintContext{m_report, m_metrics, m_composer->pageNumber(), m_today};
}

void ReportEngine::printPageHeaders()
{
    printBands(BandKind::PageHeader);
}

void ReportEngine::printBands(BandKind kind)
{
    for (ReportBand* band : m_report.bands(kind))
        printBand(*band);
}

bool ReportEngine::printBand(ReportBand& band)
{
    if (!band.isEnabled())
        return false;
    bool print = true;
    if (band.beforePrint)
        band.beforePrint(band, print);
    if (!print)
        return false;
    const double height = band.contentHeight(m_metrics);
    const bool spread = makeRoom(band, height);
    // After the page break, so the page header of a new page shows the sums of the pages
    // before it, and the detail's own sums include its row.
    if (band.kind() == BandKind::Detail)
        accumulate();
    placeBand(band, height, spread);
    return true;
}

bool ReportEngine::makeRoom(const ReportBand& band, double height)
{
    if (band.kind() == BandKind::PageHeader)
        return false;
    const bool spread = height > m_composer->bodyHeight() + Tolerance;
    m_composer->makeRoom(spread ? 0 : height);
    return spread;
}

void ReportEngine::placeBand(const ReportBand& band, double height, bool spread)
{
    m_document.bands << RenderedDocument::Band{
        band.kind(), band.name(), m_composer->pageNumber() - 1, m_composer->position(), height};
    const QRectF area = m_document.page.printableArea();
    QList<RenderedDocument::Item> items =
        band.render(context(), QPointF(area.left(), 0), QSizeF(area.width(), height), !spread);
    if (spread)
        m_composer->flow(std::move(items), height);
    else
        m_composer->place(std::move(items), height);
}

void ReportEngine::printDetails()
{
    if (DataSet* data = m_report.dataSet())
        printRowsOf(*data);
    else if (m_report.onNeedData)
        printRequestedDetails();
    else
        printDetail(false);
}

void ReportEngine::printRowsOf(DataSet& data)
{
    if (!data.isActive())
        data.open();
    data.first();
    if (data.eof()) {
        printDetail(false);
        return;
    }
    for (; !data.eof(); data.next())
        printDetail(true);
}

void ReportEngine::printRequestedDetails()
{
    bool moreData = true;
    m_report.onNeedData(moreData);
    while (moreData) {
        printDetail(true);
        moreData = false;
        m_report.onNeedData(moreData);
    }
}

void ReportEngine::printDetail(bool withSubDetails)
{
    bool suppressed = false;
    for (ReportBand* band : m_report.bands(BandKind::Detail))
        suppressed |= !printBand(*band);
    // The rows of a sub-detail belong to their master row and stay off the paper with it.
    if (!withSubDetails || suppressed)
        return;
    if (m_document.listReport)
        recordRow();
    for (ReportBand* band : m_report.bands(BandKind::SubDetail))
        printSubDetail(*band);
}

void ReportEngine::printSubDetail(ReportBand& band)
{
    Query* query = band.dataSet();
    if (!query)
        return;
    if (m_report.dataSet())
        query->setMaster(m_report.dataSet());
    // Opened for this master row only: a closed query does not follow the master as the
    // report moves on, so each row costs one query, not two.
    query->close();
    query->open();
    if (!query->isActive())
        return;
    for (query->first(); !query->eof(); query->next())
        printBand(band);
    query->close();
}

void ReportEngine::collectColumns()
{
    m_columns.clear();
    for (ReportBand* band : m_report.bands(BandKind::Detail))
        for (const auto& item : band->items())
            if (item->prints() && (dynamic_cast<ReportField*>(item.get()) ||
                                   dynamic_cast<ReportExpression*>(item.get())))
                m_columns << item.get();
    std::stable_sort(m_columns.begin(), m_columns.end(),
                     [](const Printable* a, const Printable* b) { return a->left() < b->left(); });
    for (const Printable* column : std::as_const(m_columns)) {
        QString title = column->name();
        if (title.isEmpty()) {
            if (const auto* field = dynamic_cast<const ReportField*>(column))
                title = field->field();
            else
                title = static_cast<const ReportExpression*>(column)->expressionText();
        }
        m_document.table.columns << title;
    }
}

void ReportEngine::recordRow()
{
    QList<QVariant> row;
    for (Printable* column : std::as_const(m_columns)) {
        if (!column->prints())
            row << QVariant();
        else if (auto* expression = dynamic_cast<ReportExpression*>(column))
            row << expression->expression().evaluate(m_report.dataSetLookup());
        else if (DataSet* data = static_cast<ReportField*>(column)->dataSet();
                 data && data->isActive())
            row << data->fieldByName(static_cast<ReportField*>(column)->field()).value();
        else
            row << QVariant();
    }
    m_document.table.rows << row;
}

void ReportEngine::resetAggregates()
{
    for (ReportExpression* expression : std::as_const(m_expressions))
        expression->expression().resetAggregates();
}

void ReportEngine::accumulate()
{
    const DataSetLookup data = m_report.dataSetLookup();
    for (ReportExpression* expression : std::as_const(m_expressions))
        expression->expression().accumulate(data);
}
