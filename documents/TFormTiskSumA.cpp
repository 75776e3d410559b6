#include "TFormTiskSumA.h"

#include "TotalsReportLayout.h"

using namespace Qt::StringLiterals;

namespace {

struct Column {
    const char16_t* title;
    double titleLeft;
    const char* species;
    double left;
};

// The first column is wider: carp is the bulk of every chapter's catch.
constexpr double carpWidth = 16.4;

const Column columns[] = {
    {u"Kapr", 61.4, "KAPR", 53.7},
    {u"Lín", 78.3, "LIN", 74.3},
    {u"Cejn vel.", 91.0, "CEJN_VEL", 90.2},
    {u"Tloušť", 110.1, "TLOUST", 108.2},
    {u"Okoun", 127.0, "OKOUN", 125.1},
    {u"Parma", 143.9, "PARMA", 142.1},
    {u"Ostroretka", 156.6, "OSTRORETKA", 159.0},
    {u"Štika", 179.9, "STIKA", 175.9},
    {u"Candát", 192.6, "CANDAT", 192.9},
    {u"Sumec", 209.6, "SUMEC", 209.8},
    {u"Úhoř", 228.6, "UHOR", 226.7},
    {u"Pstruh ob", 241.3, "PSTRUH_OB", 243.7},
    {u"Pstruh duh", 258.2, "PSTRUH_DUH", 260.6},
};

} // namespace

TFormTiskSumA::TFormTiskSumA(DataSet& totals, DataSet& setup)
    : m_report(u"TFormTiskSumA"_s)
{
    m_report.setTitle(u"Sumář úlovků – položky 01 - 13"_s);
    TotalsReportLayout layout(m_report, totals, setup,
                              {u"Druhové položky  01 - 13"_s, 217.0, 251.6});
    layout.addColumnTitle(36.0, u"Doch"_s);
    for (const Column& column : columns) {
        layout.addColumnTitle(column.titleLeft, QString::fromUtf16(column.title));
        layout.addSpecies(QLatin1String(column.species), column.left,
                          &column == &columns[0] ? carpWidth : TotalsReportLayout::columnWidth);
    }
}
