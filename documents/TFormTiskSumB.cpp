#include "TFormTiskSumB.h"

#include "TotalsReportLayout.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace {

struct Title {
    double left;
    const char16_t* first;
    const char16_t* second;
};

const Title titles[] = {
    {33.9, u"Docházka", nullptr},    {61.4, u"Lipan", nullptr},     {78.3, u"Siven", nullptr},
    {95.2, u"Amur", nullptr},        {108.2, u"Bolen", nullptr},    {119.3, u"Tolstol.", nullptr},
    {132.0, u"Maréna", u"peleď"},    {147.1, u"Karas", u"stř."},    {160.1, u"Jelec", u"jesen"},
    {173.8, u"Mník", u"jednov."},    {184.4, u"Podoust", nullptr},  {198.2, u"Ostatní", nullptr},
    {213.5, u"Celk. ks", nullptr},   {228.3, u"Celk. kg", nullptr}, {243.2, u"ks/doch.", nullptr},
    {258.0, u"kg / doch.", nullptr},
};

struct Species {
    const char* name;
    double left;
};

const Species species[] = {
    {"LIPAN", 57.4},        {"SIVEN", 74.3},         {"AMUR", 91.3},       {"BOLEN", 106.9},
    {"TOLSTOLOBIK", 120.4}, {"MARENA_PELED", 132.3}, {"KARAS_STR", 144.7}, {"JESEN", 157.4},
    {"MNIK", 170.4},        {"PODOUSTEV", 183.9},    {"OSTATNI", 196.3},
};

QString text(const char16_t* utf16)
{
    return utf16 ? QString::fromUtf16(utf16) : QString();
}

} // namespace

TFormTiskSumB::TFormTiskSumB(DataSet& totals, DataSet& setup)
    : m_report(u"TFormTiskSumB"_s)
{
    m_report.setTitle(u"Sumář úlovků – položky 14 - 24"_s);
    TotalsReportLayout layout(m_report, totals, setup, {u"položky  14 - 24"_s, 214.8, 260.1});
    layout.addHeadingText(238.9, u"Statistika "_s);
    for (const Title& title : titles)
        layout.addColumnTitle(title.left, text(title.first), text(title.second));
    for (const Species& s : species)
        layout.addSpecies(QLatin1String(s.name), s.left);
    const QString count = TotalsReportLayout::countMask();
    const QString weight = TotalsReportLayout::weightMask();
    layout.addFigure(211.7, u"TableCSum.SUMA_KS"_s, count, u"SUM(TableCSum.SUMA_KS)"_s, count);
    layout.addFigure(227.3, u"TableCSum.SUMA_KG"_s, weight, u"SUM(TableCSum.SUMA_KG)"_s, weight);
    // The statistics are the mean of the districts' catch per day, not the chapter's whole
    // catch per day: a small district weighs as much as a large one.
    const std::pair<double, const char*> perDay[] = {{243.4, "SUMA_KS"}, {260.4, "SUMA_KG"}};
    for (const auto& [left, total] : perDay) {
        const QString ratio = u"TableCSum."_s + QLatin1String(total) + u" / TableCSum.DOCHAZKA"_s;
        layout.addFigure(left, ratio, TotalsReportLayout::ratioMask(), u"AVERAGE("_s + ratio + u')',
                         TotalsReportLayout::summaryRatioMask());
    }
}
