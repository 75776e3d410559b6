#include "TFormTAdresar.h"

#include "MemberGroup.h"
#include "MemberListHeader.h"
#include "Query.h"
#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportRunner.h"

#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace {

constexpr double detailFont = 10;
constexpr double detailHeight = 5.5;
constexpr int orderLineIndex = 2;

struct DetailField {
    const char* field;
    double left;
    double width;
};

const QList<ListColumn>& columns()
{
    static const QList<ListColumn> list{
        {0.5, 13, u"Čl. číslo"_s}, {15, 28, u"Příjmení"_s},    {44, 19, u"Jméno"_s},
        {64, 77, u"Adresa"_s},     {142, 19, u"Datum nar."_s}, {162, 28, QString()},
    };
    return list;
}

} // namespace

TFormTAdresar::TFormTAdresar(Query& selection, DataSet& setup)
    : m_report(u"TFormTAdresar"_s)
    , m_selection(selection)
{
    m_report.setTitle(u"Adresář členů"_s);
    // A secretary may want the list in a spreadsheet too.
    m_report.setListReport(true);
    PageSetup& page = m_report.page();
    page.paper = PageSetup::Paper::A4;
    page.orientation = QPageLayout::Portrait;
    page.margins = QMarginsF(10, 10, 10, 10);
    page.framed = true;
    m_report.setDataSet(&selection, u"QueryClenove"_s);
    m_header = std::make_unique<MemberListHeader>(
        *m_report.addBand(BandKind::PageHeader, MemberListHeader::height), setup,
        u"Adresář členů  "_s);
    m_header->addColumnHeadings(columns());
    m_header->selection()->onPrint = [this](Printable&, QString& text) {
        text = m_caption;
    };
    m_header->count()->onPrint = [this](Printable&, QString& text) {
        text = QString::number(m_count) + u" členů"_s;
    };
    addDetail();
    m_report.beforePrint = [this, &setup](Report&) {
        if (!setup.isActive())
            setup.open();
        setup.first();
        m_count = m_selection.recordCount();
    };
}

TFormTAdresar::~TFormTAdresar() = default;

void TFormTAdresar::addDetail()
{
    ReportBand* detail = m_report.addBand(BandKind::Detail, detailHeight);
    static const DetailField fields[] = {
        {"CLEN_CISLO", 0.5, 13}, {"PRIJMENI", 15, 28}, {"JMENO", 44, 19},
        {"ULICE", 64, 36},       {"PSC", 101, 10},     {"OBEC", 112, 29},
    };
    for (const DetailField& field : fields) {
        auto* item =
            detail->add<ReportField>(field.left, 0.5, &m_selection, QLatin1String(field.field));
        item->setName(QLatin1String(field.field));
        item->setFontSize(detailFont);
        item->setFitWidth(field.width);
        item->setBold(QLatin1String(field.field) == "PRIJMENI"_L1);
    }
    auto* born =
        detail->add<ReportField>(142, 0.5, &m_selection, u"DATUM_NAROZENI"_s, u"dd.mm.yyyy"_s);
    born->setName(u"DATUM_NAROZENI"_s);
    born->setFontSize(detailFont);
    born->setWidth(18);
    born->setAlignment(Printable::Align::Right);
    detail->add<ReportLabel>(163, 0.5, u"......................."_s)->setFontSize(detailFont);
    MemberListHeader::addColumnRules(*detail, columns());
}

QString TFormTAdresar::orderLine(bool alphabetical)
{
    return alphabetical ? u"ORDER BY PRIJMENI,CLEN_CISLO"_s : u"ORDER BY CLEN_CISLO"_s;
}

void TFormTAdresar::reorder(bool alphabetical)
{
    m_selection.close();
    m_selection.setSqlLine(orderLineIndex, orderLine(alphabetical));
    m_selection.open();
}

void TFormTAdresar::runWithCaption(ReportRunner& runner, const QString& caption,
                                   bool printsDirectly)
{
    m_caption = caption;
    const auto clearCaption = qScopeGuard([this] { m_caption.clear(); });
    runner.run(m_report, printsDirectly);
}

void TFormTAdresar::printAll(ReportRunner& runner, const QString& caption, bool alphabetical,
                             bool printsDirectly)
{
    reorder(alphabetical);
    runWithCaption(runner, caption, printsDirectly);
}

void TFormTAdresar::printGroup(ReportRunner& runner, const QString& caption, const QString& group,
                               const QString& displayFilter, bool alphabetical, bool printsDirectly)
{
    if (group.isEmpty())
        return;
    reorder(alphabetical);
    QString filter = MemberGroup::filter(group);
    if (!displayFilter.isEmpty())
        filter += u" and "_s + displayFilter;
    m_selection.setFilter(filter);
    m_selection.setFiltered(true);
    const auto filterOff = qScopeGuard([this] {
        m_selection.setFiltered(false);
        m_selection.setFilter(QString());
    });
    runWithCaption(runner, caption + u" skup."_s + group, printsDirectly);
}
