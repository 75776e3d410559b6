#include "TFormTPrehled.h"

#include "FeeColumnsLayout.h"
#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportSystemData.h"

using namespace Qt::StringLiterals;

namespace {

// The day, its money and its count of payments, before the fee columns.
struct Lead {
    const char* field;
    const char* title;
    double left;
    double width;
};
constexpr Lead leads[] = {
    {"VYDANO", "Den", 0, 20}, {"CELKEM_KC", "Kč/den", 20, 16}, {"POCET_POVOLENEK", "ks", 36, 10}};
constexpr double feesLeft = 46;

} // namespace

TFormTPrehled::TFormTPrehled(DataSet& dayTotals, DataSet& setup, bool localPermits)
    : m_report(localPermits ? u"TFormTPrehled_MI"_s : u"TFormTPrehled"_s)
{
    m_report.setTitle(u"Přehled vybraných peněz"_s);
    using V = FeeColumnsLayout::Variant;
    FeeColumnsLayout layout(m_report, localPermits ? V::OverviewLocal : V::Overview, dayTotals,
                            u"TableSumPovol"_s, setup);
    layout.addHeading(1, u"Přehled  vybraných peněz za povolenky"_s);
    layout.addHeadingField(110, u"NAZEV_ORGANIZACE"_s, 65);
    layout.addHeading(180, u"ze dne"_s);
    layout.header()
        .add<ReportSystemData>(200, FeeColumnsLayout::headingTop, ReportSystemData::Kind::Date)
        ->setFontSize(14);
    layout.addGroupHeading(0, feesLeft, u"Vydáno dne  /   Kč  /  počet"_s);
    for (const Lead& lead : leads) {
        const QString field = QLatin1String(lead.field);
        layout.addColumnTitle(lead.left, lead.width, QString::fromUtf8(lead.title));
        Printable* value = layout.addRowValue(lead.left, lead.width, field, 10);
        if (lead.left == 0) {
            auto* day = static_cast<ReportField*>(value);
            day->setMask(u"dd.mm.yyyy"_s);
            day->setAlignment(Printable::Align::Left);
            day->setLeft(0.5);
        } else {
            layout.addSum(lead.left, lead.width, field, 8);
        }
    }
    layout.addFeeColumns(feesLeft);
}
