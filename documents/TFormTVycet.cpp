#include "TFormTVycet.h"

#include "DataSet.h"
#include "DateText.h"
#include "Field.h"
#include "ReportBand.h"
#include "ReportExpression.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportShape.h"
#include "ReportSystemData.h"

using namespace Qt::StringLiterals;

namespace {

const QString dataSetName = u"TableVycetka"_s;
const QString amountTimesCount = u"TableVycetka.HODNOTA * TableVycetka.POCET"_s;
constexpr double rowHeight = 6;
constexpr double valueFont = 10;
// Left edges of the four columns and the right edge of the last.
constexpr double columns[] = {0, 60, 100, 140, 190};

Printable* rightAligned(Printable* item, int column, const QString& name)
{
    item->setLeft(columns[column] + 1);
    item->setWidth(columns[column + 1] - columns[column] - 2);
    item->setAlignment(Printable::Align::Right);
    item->setName(name);
    return item;
}

void addColumnRules(ReportBand& band)
{
    for (double rule : columns)
        band.add<ReportShape>(ReportShape::Kind::VerticalLine, rule, 0, 0, band.height());
}

} // namespace

TFormTVycet::TFormTVycet(DataSet& listing, DataSet& dayTotals, DataSet& setup)
    : m_report(u"TFormTVycet"_s)
{
    m_report.setTitle(u"Soupiska poplatků"_s);
    m_report.setListReport(true);
    PageSetup& page = m_report.page();
    page.paper = PageSetup::Paper::A4;
    page.orientation = QPageLayout::Portrait;
    page.margins = QMarginsF(10, 10, 10, 10);
    m_report.setDataSet(&listing, dataSetName);
    m_report.beforePrint = [this, &listing, &dayTotals, &setup](Report&) {
        m_shownKind.clear();
        for (DataSet* data : {&listing, &dayTotals, &setup})
            if (!data->isActive())
                data->open();
        setup.first();
    };
    addTitle(setup);
    addDetail(listing);
    addSummary(dayTotals);
}

QString TFormTVycet::periodText(DataSet& dayTotals)
{
    const int count = dayTotals.recordCount();
    if (count == 0)
        return u"Dne  "_s;
    // Read by position, so the grid showing the day totals keeps its row.
    const int day = dayTotals.fieldByName(u"VYDANO"_s).index();
    const QString first = DateText::format(dayTotals.recordAt(0).value(day).toDate());
    const QString last = DateText::format(dayTotals.recordAt(count - 1).value(day).toDate());
    return first == last ? u"Dne  "_s + first : u"Od  "_s + first + u"  do   "_s + last;
}

void TFormTVycet::addTitle(DataSet& setup)
{
    ReportBand* title = m_report.addBand(BandKind::Title, 40);
    auto* chapter = title->add<ReportField>(0, 2, &setup, u"NAZEV_ORGANIZACE"_s);
    chapter->setFontSize(20);
    chapter->setName(u"NAZEV_ORGANIZACE"_s);
    title->add<ReportLabel>(0, 14, u"Soupiska poplatků a vydaných  známek"_s)->setFontSize(17);
    auto* date =
        title->add<ReportSystemData>(125, 14, ReportSystemData::Kind::Date, u"ze dne :  "_s);
    date->setFontSize(17);
    date->setName(u"Datum"_s);
    title->add<ReportShape>(ReportShape::Kind::HorizontalLine, 0, 25, 190, 0)->setPenWidth(2);
    const QStringList headings{u"Označení platby"_s, u"Jednotková cena"_s, u"Počet plateb"_s,
                               u"Celkem za platbu"_s};
    for (int i = 0; i < headings.size(); ++i)
        title->add<ReportLabel>(columns[i] + 1, 32, headings[i])->setFontSize(valueFont);
}

void TFormTVycet::addDetail(DataSet& listing)
{
    ReportBand* detail = m_report.addBand(BandKind::Detail, rowHeight);
    auto* kind = detail->add<ReportField>(1, 1, &listing, u"TYP_PLATBY"_s);
    kind->setName(u"TYP_PLATBY"_s);
    kind->setFitWidth(columns[1] - 2);
    // A run of equal kinds is named once, and only its first row draws a line over it.
    detail->beforePrint = [this, &listing](ReportBand& band, bool&) {
        const QString current = listing.fieldByName(u"TYP_PLATBY"_s).asString();
        band.setTopFrame(current != m_shownKind);
    };
    kind->onPrint = [this](Printable&, QString& text) {
        if (text == m_shownKind)
            text.clear();
        else
            m_shownKind = text;
    };
    rightAligned(detail->add<ReportField>(0, 1, &listing, u"HODNOTA"_s), 1, u"HODNOTA"_s);
    rightAligned(detail->add<ReportField>(0, 1, &listing, u"POCET"_s), 2, u"POCET"_s);
    rightAligned(detail->add<ReportExpression>(0, 1, amountTimesCount), 3, u"Celkem za platbu"_s)
        ->onPrint = [](Printable&, QString& text) {
        text += u",- Kč"_s;
    };
    for (const auto& item : detail->items())
        item->setFontSize(valueFont);
    addColumnRules(*detail);
}

void TFormTVycet::addSummary(DataSet& dayTotals)
{
    ReportBand* summary = m_report.addBand(BandKind::Summary, 12);
    summary->frame().top = true;
    auto* period = summary->add<ReportLabel>(1, 3, QString());
    period->setName(u"Obdobi"_s);
    period->onPrint = [&dayTotals](Printable&, QString& text) {
        text = periodText(dayTotals);
    };
    summary->add<ReportLabel>(75, 3, u"vybráno celkem :"_s);
    auto* total = summary->add<ReportExpression>(0, 3, u"SUM("_s + amountTimesCount + u')');
    rightAligned(total, 3, u"Vybráno celkem"_s);
    total->onPrint = [](Printable&, QString& text) {
        text += u",- Kč"_s;
    };
    for (const auto& item : summary->items())
        item->setFontSize(14);
}
