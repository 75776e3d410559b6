#include "MemberListHeader.h"

#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportShape.h"
#include "ReportSystemData.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double largeFont = 14;
constexpr double smallFont = 10;
constexpr double boxLeft = 140;
constexpr double boxHeight = 17;
constexpr double headingTop = 19;
constexpr double nameLeft = 38;
constexpr double dayLeft = 101;
constexpr double dateLeft = 116;

} // namespace

MemberListHeader::MemberListHeader(ReportBand& band, DataSet& setup, const QString& title)
    : m_band(band)
{
    band.frame().bottom = true;
    m_title = band.add<ReportLabel>(0, 2, title);
    m_title->setName(u"Titulek"_s);
    m_title->setFontSize(largeFont);
    auto* name = band.add<ReportField>(nameLeft, 2, &setup, u"NAZEV_ORGANIZACE"_s);
    name->setFontSize(largeFont);
    name->setFitWidth(dayLeft - nameLeft - 1);
    band.add<ReportLabel>(dayLeft, 2, u"ke dni"_s)->setFontSize(largeFont);
    band.add<ReportSystemData>(dateLeft, 2, ReportSystemData::Kind::Date)->setFontSize(largeFont);
    band.add<ReportShape>(ReportShape::Kind::Rectangle, boxLeft, 0.5, printableWidth - boxLeft,
                          boxHeight);
    m_selection = addBoxText(1.5);
    m_selection->setName(u"Vyber"_s);
    m_count = addBoxText(6.5);
    m_count->setName(u"Pocet"_s);
    auto* page = band.add<ReportSystemData>(boxLeft + 1, 11.5, ReportSystemData::Kind::PageNumber,
                                            u"Strana "_s);
    page->setFontSize(smallFont);
}

ReportLabel* MemberListHeader::addBoxText(double top)
{
    auto* label = m_band.add<ReportLabel>(boxLeft, top, QString());
    label->setFontSize(smallFont);
    label->setWidth(printableWidth - boxLeft);
    label->setFitWidth(printableWidth - boxLeft);
    label->setAlignment(Printable::Align::Centre);
    return label;
}

void MemberListHeader::addColumnHeadings(const QList<ListColumn>& columns)
{
    for (const ListColumn& column : columns)
        if (!column.heading.isEmpty())
            m_band.add<ReportLabel>(column.left, headingTop, column.heading)
                ->setFontSize(smallFont);
}

void MemberListHeader::addColumnRules(ReportBand& band, const QList<ListColumn>& columns)
{
    for (qsizetype i = 1; i < columns.size(); ++i)
        band.add<ReportShape>(ReportShape::Kind::VerticalLine, columns.at(i).left - 1, 0, 0,
                              band.height());
}
