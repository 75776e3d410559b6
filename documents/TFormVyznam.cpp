#include "TFormVyznam.h"

#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportRunner.h"
#include "ReportSystemData.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double largeFont = 14;
constexpr double smallFont = 10;
constexpr double headerHeight = 16;
constexpr double rowHeight = 5.5;
constexpr double numberLeft = 1;
constexpr double surnameLeft = 24;
constexpr double nameLeft = 60;
constexpr double streetLeft = 102;
constexpr double postCodeLeft = 143;
constexpr double townLeft = 155;
constexpr double rightEdge = 190;

void sideLines(ReportBand& band)
{
    band.frame().left = true;
    band.frame().right = true;
}

} // namespace

TFormVyznam::TFormVyznam(Query& selection, Database& db)
    : m_report(u"TFormVyznam"_s)
    , m_selection(selection)
    , m_awards(db)
{
    m_report.setTitle(u"Vyznamenaní členové"_s);
    // A secretary may want the list in a spreadsheet too.
    m_report.setListReport(true);
    PageSetup& page = m_report.page();
    page.paper = PageSetup::Paper::A4;
    page.orientation = QPageLayout::Portrait;
    page.margins = QMarginsF(10, 10, 10, 10);
    m_report.setDataSet(&selection, u"QueryClenove"_s);
    m_awards.setSql({u"select * from vyznam"_s, u"WHERE (Clen_cislo=:Clen_Cislo)"_s,
                     u"order by Clen_Cislo,Druh_Vyznamenani"_s});
    addHeader();
    addDetail();
    addAwards();
    m_report.beforePrint = [this](Report&) {
        m_listed.clear();
    };
}

void TFormVyznam::addHeader()
{
    ReportBand* header = m_report.addBand(BandKind::PageHeader, headerHeight);
    header->frame() = {true, true, true, true, 1};
    header->add<ReportLabel>(numberLeft, 1.5, u"Vyznamenaní členové"_s)->setFontSize(largeFont);
    header->add<ReportSystemData>(80, 1.5, ReportSystemData::Kind::Date)->setFontSize(largeFont);
    for (const auto& [left, text] :
         {std::pair{numberLeft, u"členské číslo"_s}, std::pair{surnameLeft, u"jméno"_s},
          std::pair{streetLeft, u"adresa"_s}}) {
        auto* heading = header->add<ReportLabel>(left, 10, text);
        heading->setFontSize(smallFont);
        heading->setBold(true);
    }
}

void TFormVyznam::addDetail()
{
    ReportBand* detail = m_report.addBand(BandKind::Detail, rowHeight);
    detail->setTopFrame(true);
    sideLines(*detail);
    const struct {
        const char* field;
        double left;
        double right;
    } fields[] = {
        {"CLEN_CISLO", numberLeft, surnameLeft}, {"PRIJMENI", surnameLeft, nameLeft},
        {"JMENO", nameLeft, streetLeft},         {"ULICE", streetLeft, postCodeLeft},
        {"PSC", postCodeLeft, townLeft},         {"OBEC", townLeft, rightEdge},
    };
    for (const auto& field : fields) {
        auto* item =
            detail->add<ReportField>(field.left, 0.5, &m_selection, QLatin1String(field.field));
        item->setName(QLatin1String(field.field));
        item->setFontSize(smallFont);
        item->setBold(true);
        item->setFitWidth(field.right - field.left - 1);
    }
    detail->beforePrint = [this](ReportBand&, bool& print) {
        const QString number = m_selection.fieldByName(u"CLEN_CISLO"_s).asString();
        print = !m_listed.contains(number);
        m_listed.insert(number);
    };
}

void TFormVyznam::addAwards()
{
    ReportBand* awards = m_report.addBand(BandKind::SubDetail, rowHeight);
    awards->setDataSet(&m_awards);
    sideLines(*awards);
    auto* day =
        awards->add<ReportField>(surnameLeft, 0.5, &m_awards, u"DATUM_UDELENI"_s, u"dd.mm.yyyy"_s);
    day->setName(u"DATUM_UDELENI"_s);
    day->setFontSize(smallFont);
    auto* kind = awards->add<ReportField>(nameLeft, 0.5, &m_awards, u"DRUH_VYZNAMENANI"_s);
    kind->setName(u"DRUH_VYZNAMENANI"_s);
    kind->setFontSize(smallFont);
    kind->setFitWidth(rightEdge - nameLeft - 1);
}

void TFormVyznam::run(ReportRunner& runner, bool printsDirectly)
{
    if (!m_selection.isActive())
        m_selection.open();
    runner.run(m_report, printsDirectly);
}
