#include "DisplayFilter.h"

#include "DataSet.h"
#include "LocalSql.h"

namespace {
const QString orderByName = QStringLiteral(" ORDER BY PRIJMENI ");
}

QList<DisplayFilter> DisplayFilter::all()
{
    return {
        {Kind::All, QStringLiteral("Všichni"), QStringLiteral("Žádný filtr")},
        {Kind::Women, QStringLiteral("Ženy"), QStringLiteral("Zobrazeny pouze ženy")},
        {Kind::Sponsors, QStringLiteral("Sponzoři"), QStringLiteral("Zobrazeni pouze sponzoři")},
        {Kind::Notes, QStringLiteral("Záznam"), QStringLiteral("Členové s neprojednaným záznamem")},
        {Kind::Unpaid, QStringLiteral("Bez známky"),
         QStringLiteral("nezaplatil členský příspěvek")},
        {Kind::Category, QStringLiteral("Kateg"),
         QStringLiteral("Zobrazeni členové věkové kategorie")}};
}

void DisplayFilter::applyTo(DataSet& members, int summaryYear, const QString& category) const
{
    switch (kind) {
    case Kind::All:
        members.setFilter({});
        break;
    case Kind::Women:
        members.setFilter(QStringLiteral("ZENA=true"));
        break;
    case Kind::Sponsors:
        members.setFilter(QStringLiteral("SPONZOR=true"));
        break;
    case Kind::Notes:
        members.setFilter(QStringLiteral("POZOR<>''"));
        break;
    case Kind::Unpaid:
        // A member who never paid has not paid: the window shows the members its selection
        // lists.
        members.setFilter(QStringLiteral("LAST_CLENSTVI<") + QString::number(summaryYear) +
                          QStringLiteral(" or LAST_CLENSTVI=''"));
        break;
    case Kind::Category:
        // A category is data: compared whole, a trailing '*' in it is no pattern.
        members.setExactFilter(QStringLiteral("KATEGORIE"), category);
        break;
    }
    members.setFiltered(kind != Kind::All);
}

QString DisplayFilter::noun() const
{
    switch (kind) {
    case Kind::All:
        return QStringLiteral("členů");
    case Kind::Women:
        return QStringLiteral("žen");
    case Kind::Sponsors:
        return QStringLiteral("sponzorů");
    case Kind::Notes:
        return QStringLiteral("záznamů");
    case Kind::Unpaid:
        return QStringLiteral("bez členství");
    case Kind::Category:
        return QStringLiteral("kategorie");
    }
    return {};
}

QStringList DisplayFilter::selectionLines(int summaryYear, const QString& category) const
{
    const QString select = QStringLiteral("select * from CLENOVE");
    const QString year = QString::number(summaryYear);
    switch (kind) {
    case Kind::All:
        return {select, QStringLiteral(" "), QStringLiteral(" ")};
    case Kind::Women:
        return {select, QStringLiteral("where (ZENA=true)"), orderByName};
    case Kind::Sponsors:
        return {select, QStringLiteral("where (SPONZOR=true)"), orderByName};
    case Kind::Notes:
        return {select, QStringLiteral("where (POZOR<>'')"), orderByName};
    case Kind::Unpaid:
        return {select,
                QStringLiteral("where (LAST_CLENSTVI<") + year +
                    QStringLiteral(") or (LAST_CLENSTVI is null)"),
                orderByName};
    case Kind::Category:
        return {select, QStringLiteral("where KATEGORIE=") + LocalSql::quoted(category),
                orderByName};
    }
    return {};
}

QString DisplayFilter::selectionCaption(int summaryYear, const QString& category) const
{
    switch (kind) {
    case Kind::All:
        return QStringLiteral("Všichni členové");
    case Kind::Women:
        return QStringLiteral("Pouze ženy");
    case Kind::Sponsors:
        return QStringLiteral("Pouze sponzoři");
    case Kind::Notes:
        return QStringLiteral("Členové se záznamem");
    case Kind::Unpaid:
        return QStringLiteral("Nezaplatili členství ") + QString::number(summaryYear);
    case Kind::Category:
        return QStringLiteral("Kat. ") + category;
    }
    return {};
}
