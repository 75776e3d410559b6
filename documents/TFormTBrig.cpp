#include "TFormTBrig.h"

#include "MemberGroup.h"
#include "MemberListHeader.h"
#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportRunner.h"
#include "ReportShape.h"

#include <QLocale>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace {

constexpr double detailFont = 10;
constexpr double summaryFont = 12;
constexpr double detailHeight = 5.5;
constexpr double summaryHeight = 9;
constexpr int orderLineIndex = 17;

const QList<ListColumn>& columns()
{
    static const QList<ListColumn> list{
        {0.5, 13, u"Čl. číslo"_s}, {15, 28, u"Příjmení"_s},           {44, 19, u"Jméno"_s},
        {64, 77, u"Adresa"_s},     {142, 48, u"Pož/Odp.   Splnil"_s},
    };
    return list;
}

struct DetailField {
    const char* field;
    double left;
    double width;
    bool right;
};

QString hoursText(double hours)
{
    return QLocale(QLocale::Czech).toString(hours, 'g', 8);
}

} // namespace

TFormTBrig::TFormTBrig(Database& db, DataSet& setup)
    : m_report(u"TFormTBrig"_s)
    , m_query(db)
{
    m_report.setTitle(u"Plnění brigád"_s);
    // A secretary may want the list in a spreadsheet too.
    m_report.setListReport(true);
    PageSetup& page = m_report.page();
    page.paper = PageSetup::Paper::A4;
    page.orientation = QPageLayout::Portrait;
    page.margins = QMarginsF(10, 10, 10, 10);
    m_query.setSql(storedQuery());
    m_report.setDataSet(&m_query, u"QueryBrig"_s);
    m_header = std::make_unique<MemberListHeader>(
        *m_report.addBand(BandKind::PageHeader, MemberListHeader::height), setup,
        u"Plnění brigád"_s);
    m_header->addColumnHeadings(columns());
    m_header->selection()->onPrint = [this](Printable&, QString& text) {
        text = m_selection;
    };
    m_header->count()->onPrint = [this](Printable&, QString& text) {
        text = QString::number(m_query.recordCount()) + u" členů"_s;
    };
    addDetail();
    addSummary();
    m_report.beforePrint = [this, &setup](Report&) {
        if (!setup.isActive())
            setup.open();
        setup.first();
        resetCounters();
    };
}

TFormTBrig::~TFormTBrig() = default;

QStringList TFormTBrig::storedQuery()
{
    return {
        u"SELECT C.clen_cislo, C.jmeno, C.prijmeni, C.ulice, C.obec, C.psc,"_s,
        u"       P.brig_hodin,"_s,
        u"       0 AS Odpracoval"_s,
        u"FROM Clenove C, PovolSet P"_s,
        u"WHERE((C.clen_cislo NOT IN (SELECT B.clen_cislo  FROM Brigady B WHERE EXTRACT(YEAR FROM B.datum) = :rok )) and"_s,
        u"      (C.kategorie=P.kategorie))"_s,
        u"GROUP BY C.clen_cislo, C.jmeno, C.prijmeni, C.ulice, C.obec, C.psc,"_s,
        u"         P.brig_hodin"_s,
        u"UNION"_s,
        u"SELECT C.clen_cislo, C.jmeno, C.prijmeni, C.ulice, C.obec, C.psc,"_s,
        u"       P.brig_hodin,"_s,
        u"       SUM(B.hodin) AS Odpracoval"_s,
        u"FROM Clenove C, Brigady B, Povolset P"_s,
        u"WHERE ((C.clen_cislo=B.clen_cislo) and (EXTRACT(YEAR FROM B.datum) = :rok)"_s,
        u"       and (C.\"kategorie\"=P.\"kategorie\"))"_s,
        u"GROUP BY C.clen_cislo, C.jmeno, C.prijmeni, C.ulice, C.obec, C.psc,"_s,
        u"         P.brig_hodin"_s,
        u"ORDER BY Prijmeni"_s,
    };
}

void TFormTBrig::addDetail()
{
    ReportBand* detail = m_report.addBand(BandKind::Detail, detailHeight);
    static const DetailField fields[] = {
        {"CLEN_CISLO", 0.5, 13, false}, {"PRIJMENI", 15, 28, false},   {"JMENO", 44, 19, false},
        {"ulice", 64, 36, false},       {"psc", 101, 10, false},       {"obec", 112, 29, false},
        {"brig_hodin", 142, 12, true},  {"Odpracoval", 155, 12, true},
    };
    for (const DetailField& field : fields) {
        auto* item =
            detail->add<ReportField>(field.left, 0.5, &m_query, QLatin1String(field.field));
        item->setName(QLatin1String(field.field));
        item->setFontSize(detailFont);
        item->setFitWidth(field.width);
        if (field.right) {
            item->setWidth(field.width);
            item->setAlignment(Printable::Align::Right);
        }
    }
    auto* mark = detail->add<ReportLabel>(172, 0.5, QString());
    mark->setName(u"Splnil"_s);
    mark->setFontSize(detailFont);
    mark->onPrint = [this](Printable&, QString& text) {
        text = m_mark;
    };
    MemberListHeader::addColumnRules(*detail, columns());
    detail->beforePrint = [this](ReportBand&, bool& print) {
        countRow(print);
    };
}

void TFormTBrig::addSummary()
{
    ReportBand* summary = m_report.addBand(BandKind::Summary, summaryHeight);
    const auto text = [summary](double left, const QString& name, std::function<QString()> fill) {
        auto* label = summary->add<ReportLabel>(left, 2, QString());
        label->setName(name);
        label->setFontSize(summaryFont);
        label->onPrint = [fill = std::move(fill)](Printable&, QString& printed) {
            printed = fill();
        };
    };
    text(0.5, u"Splnilo"_s, [this] {
        return u"Celkem   splnilo / nesplnilo : "_s + QString::number(m_fulfilled) + u" / "_s +
               QString::number(m_notFulfilled) + u" členů"_s;
    });
    summary->add<ReportShape>(ReportShape::Kind::VerticalLine, 112, 0, 0, summaryHeight);
    text(114, u"Zbyva"_s,
         [this] { return u"Zbývá odpracovat "_s + hoursText(m_missing) + u" hodin"_s; });
}

void TFormTBrig::resetCounters()
{
    m_fulfilled = 0;
    m_notFulfilled = 0;
    m_missing = 0;
}

void TFormTBrig::countRow(bool& print)
{
    const double required = m_query.fieldByName(u"brig_hodin"_s).value().toDouble();
    const double worked = m_query.fieldByName(u"Odpracoval"_s).value().toDouble();
    const bool fulfilled = worked >= required;
    if (fulfilled) {
        m_mark = u"OK"_s;
        ++m_fulfilled;
    } else {
        m_mark = u"  "_s;
        m_missing += required - worked;
        ++m_notFulfilled;
    }
    print = !fulfilled || m_complete;
}

void TFormTBrig::run(ReportRunner& runner, const QString& group, int year, bool alphabetical,
                     bool complete, bool printsDirectly)
{
    m_complete = complete;
    m_header->title()->setCaption(u"Brigády  "_s + QString::number(year));
    m_selection = group.isEmpty() ? u"Všichni"_s : u"Sekce "_s + group;
    if (!complete)
        m_selection += u" - bez BRIG"_s;
    m_query.close();
    m_query.setSqlLine(orderLineIndex,
                       alphabetical ? u"ORDER BY PRIJMENI"_s : u"ORDER BY CLEN_CISLO"_s);
    m_query.setParam(u"rok"_s, year);
    m_query.open();
    if (!group.isEmpty()) {
        m_query.setFilter(MemberGroup::filter(group));
        m_query.setFiltered(true);
    }
    const auto closeQuery = qScopeGuard([this] {
        m_query.setFiltered(false);
        m_query.setFilter(QString());
        m_query.close();
    });
    runner.run(m_report, printsDirectly);
}
