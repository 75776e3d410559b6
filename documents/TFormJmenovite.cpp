#include "TFormJmenovite.h"

#include "FeeColumnsLayout.h"
#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportSystemData.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double numberWidth = 12;
constexpr double memberWidth = 42;

} // namespace

TFormJmenovite::TFormJmenovite(DataSet& payments, DataSet& setup, bool localPermits)
    : m_report(localPermits ? u"TFormJmenovite_MI"_s : u"TFormJmenovite"_s)
{
    m_report.setTitle(u"Vydané povolenky"_s);
    using V = FeeColumnsLayout::Variant;
    FeeColumnsLayout layout(m_report, localPermits ? V::NamedLocal : V::Named, payments,
                            u"QueryJmen"_s, setup);
    layout.addHeading(1, u"Vydané povolenky"_s);
    m_range = layout.addHeading(50, u" "_s);
    m_range->setName(u"Rozsah"_s);
    layout.addHeadingField(110, u"NAZEV_ORGANIZACE"_s, 65);
    layout.addHeading(180, u"ze dne"_s);
    ReportBand& header = layout.header();
    header.add<ReportSystemData>(200, FeeColumnsLayout::headingTop, ReportSystemData::Kind::Date)
        ->setFontSize(14);
    header
        .add<ReportSystemData>(245, FeeColumnsLayout::headingTop,
                               ReportSystemData::Kind::PageNumber, u"Strana "_s)
        ->setFontSize(10);
    layout.addColumnTitle(0, memberWidth, u"Člen"_s);
    const double valueFont = localPermits ? 8 : 10;
    layout.addRowValue(0, numberWidth, u"CLEN_CISLO"_s, valueFont);
    auto* surname =
        layout.detail().add<ReportField>(numberWidth + 1, 0.5, &payments, u"PRIJMENI"_s);
    surname->setName(u"PRIJMENI"_s);
    surname->setFontSize(valueFont);
    surname->setFitWidth(memberWidth - numberWidth - 1.5);
    layout.addSum(0, memberWidth, u"CELKEM_KC"_s, 8);
    layout.addFeeColumns(memberWidth);
}

void TFormJmenovite::setRangeCaption(const QString& caption)
{
    static_cast<ReportLabel*>(m_range)->setCaption(caption);
}
