#include "FeeColumnsLayout.h"

#include "DataSet.h"
#include "Report.h"
#include "ReportBand.h"
#include "ReportExpression.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportShape.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

constexpr double headerHeight = 21;
constexpr double rowHeight = 5;
constexpr double summaryHeight = 8;
constexpr double titleFont = 10;

// The overview's titles; the other variants differ in a few.
const QList<FeeColumnsLayout::Column>& overviewColumns()
{
    static const QList<FeeColumnsLayout::Column> columns{
        {u"ZAPISNE"_s, u"Zápis"_s},       {u"SKOLENI"_s, u"Škol"_s},
        {u"LEGITIMACE"_s, u"Legit"_s},    {u"CLEN_PRISP"_s, u"Čl.př."_s},
        {u"MAN_POPLATEK"_s, u"man."_s},   {u"BRIGADA"_s, u"brig."_s},
        {u"STANOVY_ZEB"_s, u"stan"_s},    {u"POSTOVNE"_s, u"pošt."_s},
        {u"MP_ROCNI"_s, u"rok"_s},        {u"MP_MESICNI"_s, u"měsíc"_s},
        {u"MP_14_DNU"_s, u"14 dnů"_s},    {u"MP_TYDEN"_s, u"týden"_s},
        {u"MP_CELOREP"_s, u"celorep."_s}, {u"MP_MISTNI"_s, u"místní"_s},
        {u"MP_RAD"_s, u" řád"_s},         {u"PS_ROCNI"_s, u"rok"_s},
        {u"PS_MESICNI"_s, u"měsíc"_s},    {u"PS_TYDEN"_s, u"týden"_s},
        {u"PS_CELOREP"_s, u"celorep."_s}, {u"PS_MISTNI"_s, u"místní"_s},
        {u"PS_RAD"_s, u"PS řád"_s}};
    return columns;
}

QHash<QString, QString> titleChanges(FeeColumnsLayout::Variant variant)
{
    using V = FeeColumnsLayout::Variant;
    const QHash<QString, QString> shortPermits{{u"MP_MESICNI"_s, u"měs"_s},
                                               {u"MP_CELOREP"_s, u"rep."_s},
                                               {u"PS_MESICNI"_s, u"měs"_s},
                                               {u"PS_CELOREP"_s, u"rep."_s}};
    QHash<QString, QString> changes;
    switch (variant) {
    case V::Overview:
        break;
    case V::OverviewLocal:
        changes = shortPermits;
        changes.insert(u"PS_RAD"_s, u"PS ř."_s);
        break;
    case V::Named:
        changes = {{u"MAN_POPLATEK"_s, u"man"_s}, {u"POSTOVNE"_s, u"post"_s}};
        break;
    case V::NamedLocal:
        changes = shortPermits;
        changes.insert(u"POSTOVNE"_s, u"post"_s);
        break;
    }
    return changes;
}

QString groupOf(const QString& field)
{
    if (field.startsWith(u"MP_"_s))
        return u"Povolenky pro mimo pstruhové revíry"_s;
    if (field.startsWith(u"PS_"_s))
        return u"Povolenky pro pstruhové revíry"_s;
    if (field.startsWith(u"MI_"_s))
        return u"Povolenky pro místní revíry"_s;
    return u"Administrativní poplatky"_s;
}

} // namespace

QList<FeeColumnsLayout::Column> FeeColumnsLayout::feeColumns(Variant variant)
{
    QList<Column> columns = overviewColumns();
    const QHash<QString, QString> changes = titleChanges(variant);
    for (Column& column : columns)
        column.title = changes.value(column.field, column.title);
    if (hasLocalPermits(variant)) {
        const bool named = variant == Variant::NamedLocal;
        columns << Column{u"MI_ROCNI"_s, u"rok"_s} << Column{u"MI_MESICNI"_s, u"měs"_s}
                << Column{u"MI_TYDEN"_s, u"týden"_s} << Column{u"MI_CELOREP"_s, u"rep."_s}
                << Column{u"MI_MISTNI"_s, named ? u"mis"_s : u"místní"_s}
                << Column{u"MI_RAD"_s, u"Mi ř."_s};
    }
    return columns;
}

FeeColumnsLayout::FeeColumnsLayout(Report& report, Variant variant, DataSet& data,
                                   const QString& dataSetName, DataSet& setup)
    : m_report(report)
    , m_variant(variant)
    , m_data(data)
    , m_setup(setup)
    , m_dataSetName(dataSetName)
    , m_header(report.addBand(BandKind::PageHeader, headerHeight))
    , m_detail(report.addBand(BandKind::Detail, rowHeight))
    , m_summary(report.addBand(BandKind::Summary, summaryHeight))
{
    PageSetup& page = report.page();
    page.paper = PageSetup::Paper::A4;
    page.orientation = QPageLayout::Landscape;
    page.margins = QMarginsF(10, 10, 10, 10);
    report.setDataSet(&data, dataSetName);
    report.setListReport(true);
    for (ReportBand* band : {m_header, m_summary})
        band->frame() = ReportBand::Frame{true, true, true, true, 1};
    report.beforePrint = [&data, &setup](Report&) {
        for (DataSet* dataSet : {&data, &setup})
            if (!dataSet->isActive())
                dataSet->open();
        setup.first();
    };
    m_summary->add<ReportLabel>(1, 1.5, u"Celkem"_s)->setFontSize(titleFont);
}

Printable* FeeColumnsLayout::addHeading(double left, const QString& text)
{
    auto* item = m_header->add<ReportLabel>(left, headingTop, text);
    item->setFontSize(14);
    return item;
}

Printable* FeeColumnsLayout::addHeadingField(double left, const QString& field, double room)
{
    auto* item = m_header->add<ReportField>(left, headingTop, &m_setup, field);
    item->setFontSize(14);
    item->setFitWidth(room);
    item->setName(field);
    return item;
}

void FeeColumnsLayout::addColumnTitle(double left, double width, const QString& title)
{
    auto* item = m_header->add<ReportLabel>(left + 0.5, titleTop, title);
    item->setFontSize(titleFont);
    item->setFitWidth(width - 0.5);
}

void FeeColumnsLayout::addGroupHeading(double left, double width, const QString& text)
{
    auto* item = m_header->add<ReportLabel>(left + 0.5, groupTop, text);
    item->setFontSize(titleFont);
    item->setFitWidth(width - 1);
    item->setName(text);
    m_header->add<ReportShape>(ReportShape::Kind::HorizontalLine, left, groupTop + 5, width, 0);
}

Printable* FeeColumnsLayout::addRowValue(double left, double width, const QString& field,
                                         double fontSize)
{
    auto* item = m_detail->add<ReportField>(left, 0.5, &m_data, field);
    item->setWidth(width - 0.5);
    item->setAlignment(Printable::Align::Right);
    item->setFontSize(fontSize);
    item->setName(field);
    return item;
}

Printable* FeeColumnsLayout::addSum(double left, double width, const QString& field,
                                    double fontSize)
{
    const QString sum = u"SUM(%1.%2)"_s.arg(m_dataSetName, field);
    auto* item = m_summary->add<ReportExpression>(left, 2, sum);
    item->setWidth(width - 0.5);
    item->setAlignment(Printable::Align::Right);
    item->setFontSize(fontSize);
    item->setName(sum);
    return item;
}

void FeeColumnsLayout::addFeeColumns(double left)
{
    const QList<Column> columns = feeColumns(m_variant);
    const double width = (pageWidth - left) / double(columns.size());
    const bool local = hasLocalPermits(m_variant);
    const double valueFont = local ? 8 : 10;
    const double sumFont = local ? 7 : 8;
    QString group;
    double groupLeft = left;
    for (int i = 0; i <= columns.size(); ++i) {
        const double x = left + i * width;
        const QString next = i < columns.size() ? groupOf(columns[i].field) : QString();
        if (next != group) {
            if (!group.isEmpty())
                addGroupHeading(groupLeft, x - groupLeft, group);
            addRule(x);
            group = next;
            groupLeft = x;
        }
        if (i == columns.size())
            break;
        addColumnTitle(x, width, columns[i].title);
        addRowValue(x, width, columns[i].field, valueFont);
        addSum(x, width, columns[i].field, sumFont);
    }
}

void FeeColumnsLayout::addRule(double left)
{
    m_header->add<ReportShape>(ReportShape::Kind::VerticalLine, left, groupTop, 0,
                               headerHeight - groupTop);
    for (ReportBand* band : {m_detail, m_summary})
        band->add<ReportShape>(ReportShape::Kind::VerticalLine, left, 0, 0, band->height());
}
