#include "TotalsReportLayout.h"

#include "DataSet.h"
#include "Report.h"
#include "ReportBand.h"
#include "ReportExpression.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportShape.h"
#include "ReportSystemData.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double largeFont = 14.25; // 19 pixels at 96 dpi
constexpr double valueFont = 9.75;  // 13 pixels
constexpr double titleFont = 8;
constexpr double countTop = 0;
constexpr double weightTop = 4.2;
constexpr double middleTop = 2.1; // a row's single figure, between count and weight
constexpr double summaryCountTop = 2.1;
constexpr double summaryWeightTop = 6.3;
constexpr double summaryMiddleTop = 4.2;
const QString dataSetName = QStringLiteral("TableCSum");
constexpr double headerHeight = 19.8;
constexpr double detailHeight = 8.5;
constexpr double summaryHeight = 12.7;
constexpr double headingTop = 2.1;
constexpr double titleTop = 12.7;
constexpr double secondTitleTop = 16.0;
constexpr double unitsLeft = 48.7;
constexpr double daysLeft = 34.4;
constexpr double daysWidth = 11.6;
// The district's number and name end before the attendance column.
constexpr double districtRight = 33.4;
// The "ks" / "kg" labels take this much room before the first column.
constexpr double unitsWidth = 4.0;

} // namespace

TotalsReportLayout::TotalsReportLayout(Report& report, DataSet& totals, DataSet& setup,
                                       const Heading& heading)
    : m_header(report.addBand(BandKind::PageHeader, headerHeight))
    , m_detail(report.addBand(BandKind::Detail, detailHeight))
    , m_summary(report.addBand(BandKind::Summary, summaryHeight))
    , m_totals(totals)
    , m_previousRight(unitsLeft + unitsWidth)
{
    PageSetup& page = report.page();
    page.paper = PageSetup::Paper::A4;
    page.orientation = QPageLayout::Landscape;
    page.margins = QMarginsF(10, 10, 10, 10);
    report.setDataSet(&totals, dataSetName);
    // The header reads the kind from the totals and the year from Setup.db before the first
    // detail moves the totals onto their first row.
    report.beforePrint = [&totals, &setup](Report&) {
        for (DataSet* data : {&totals, &setup}) {
            if (!data->isActive())
                data->open();
            data->first();
        }
    };
    addHeading(setup, heading);
    addDistrictCells();
    addTotalsLine();
}

void TotalsReportLayout::addHeading(DataSet& setup, const Heading& heading)
{
    const auto large = [](Printable* item) {
        item->setFontSize(largeFont);
        return item;
    };
    addHeadingText(8.5, QStringLiteral("Sumář úlovků za rok "));
    large(m_header->add<ReportField>(57.1, headingTop, &setup, QStringLiteral("PRACOVNI_ROK_SUM")));
    large(m_header->add<ReportField>(82.5, headingTop, &setup, QStringLiteral("NAZEV_ORGANIZACE")))
        ->setFitWidth(154.5 - 82.5 - 1);
    addHeadingText(154.5, heading.items);
    large(m_header->add<ReportExpression>(heading.kindLeft, headingTop,
                                          QStringLiteral("IF(TableCSum.PSTRUHOVA, 'PS',' MP')")))
        ->setName(QStringLiteral("Druh"));
    m_header
        ->add<ReportSystemData>(heading.pageLeft, headingTop, ReportSystemData::Kind::PageNumber,
                                QStringLiteral("Strana "))
        ->setName(QStringLiteral("Strana"));
    addColumnTitle(0, QStringLiteral("Číslo   /  název revíru"));
}

void TotalsReportLayout::addDistrictCells()
{
    const auto field = [&](double left, double top, const char* name, double room) {
        auto* item = m_detail->add<ReportField>(left, top, &m_totals, QLatin1String(name));
        item->setFontSize(valueFont);
        item->setFitWidth(room);
        item->setName(QLatin1String(name));
    };
    field(19.1, countTop, "REVIR_CISLO", districtRight - 19.1);
    field(2.1, weightTop, "REVIR_NAZEV", districtRight - 2.1);
    addField(daysLeft, 1.9, daysWidth, u"DOCHAZKA"_s, countMask());
    for (double top : {countTop, weightTop})
        m_detail
            ->add<ReportLabel>(unitsLeft, top,
                               top == countTop ? QStringLiteral("ks") : QStringLiteral("kg"))
            ->setFontSize(valueFont);
    for (double rule : {districtRight, (daysLeft + daysWidth + unitsLeft) / 2})
        m_detail->add<ReportShape>(ReportShape::Kind::VerticalLine, rule, 0, 0, detailHeight);
}

void TotalsReportLayout::addTotalsLine()
{
    m_summary->add<ReportLabel>(2.1, 4.2, QStringLiteral("Celkem :"))->setFontSize(largeFont);
    m_summary->add<ReportLabel>(29.6, summaryCountTop, QStringLiteral("Docházka"))
        ->setFontSize(valueFont);
    addValue(*m_summary, 31.8, summaryWeightTop, daysLeft + daysWidth - 31.8, sumOf(u"DOCHAZKA"_s),
             countMask());
    m_summary->add<ReportLabel>(unitsLeft, summaryCountTop, QStringLiteral("ks"))
        ->setFontSize(valueFont);
    m_summary->add<ReportLabel>(unitsLeft, summaryWeightTop, QStringLiteral("kg"))
        ->setFontSize(valueFont);
}

void TotalsReportLayout::addHeadingText(double left, const QString& text)
{
    m_header->add<ReportLabel>(left, headingTop, text)->setFontSize(largeFont);
}

void TotalsReportLayout::addColumnTitle(double left, const QString& title,
                                        const QString& secondLine)
{
    m_header->add<ReportLabel>(left, titleTop, title)->setFontSize(titleFont);
    if (!secondLine.isEmpty())
        m_header->add<ReportLabel>(left, secondTitleTop, secondLine)->setFontSize(titleFont);
}

void TotalsReportLayout::addSpecies(const QString& species, double left, double width)
{
    addRuleBefore(left, width);
    const QString count = species + u"_KS"_s;
    const QString weight = species + u"_KG"_s;
    addField(left, countTop, width, count, countMask());
    addField(left, weightTop, width, weight, weightMask());
    addValue(*m_summary, left, summaryCountTop, width, sumOf(count), countMask());
    addValue(*m_summary, left, summaryWeightTop, width, sumOf(weight), weightMask());
}

void TotalsReportLayout::addFigure(double left, const QString& rowExpression,
                                   const QString& rowMask, const QString& summaryExpression,
                                   const QString& summaryMask)
{
    addRuleBefore(left, columnWidth);
    addValue(*m_detail, left, middleTop, columnWidth, rowExpression, rowMask);
    addValue(*m_summary, left, summaryMiddleTop, columnWidth, summaryExpression, summaryMask);
}

QString TotalsReportLayout::sumOf(const QString& field)
{
    return u"SUM("_s + dataSetName + u'.' + field + u')';
}

void TotalsReportLayout::addField(double left, double top, double width, const QString& field,
                                  const QString& mask)
{
    placeValue(m_detail->add<ReportField>(left, top, &m_totals, field, mask), width, field);
}

void TotalsReportLayout::addValue(ReportBand& band, double left, double top, double width,
                                  const QString& expression, const QString& mask)
{
    placeValue(band.add<ReportExpression>(left, top, expression, mask), width, expression);
}

void TotalsReportLayout::placeValue(Printable* item, double width, const QString& name)
{
    // Named after what it prints, so a test finds "KAPR_KS" or "SUM(TableCSum.KAPR_KS)".
    item->setName(name);
    item->setWidth(width);
    item->setAlignment(Printable::Align::Right);
    item->setFontSize(valueFont);
}

void TotalsReportLayout::addRuleBefore(double left, double width)
{
    // Columns stand close, some a little over each other; the rule takes the middle.
    m_detail->add<ReportShape>(ReportShape::Kind::VerticalLine, (m_previousRight + left) / 2, 0, 0,
                               detailHeight);
    m_previousRight = left + width;
}
