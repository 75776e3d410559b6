#include "ReportTestData.h"

#include "DataModel.h"
#include "Report.h"
#include "ReportEngine.h"
#include "RowWriter.h"
#include "Table.h"

#include <stdexcept>

ReportTestData::ReportTestData()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary directory");
    m_db = std::make_unique<Database>(m_dir.path(), Database::OpenMode::CreateNew);
    for (const char* name : {"Clenove", "Vyznam", "VYCETKA"})
        m_db->createTable(DataModel::table(QLatin1String(name)));
}

void ReportTestData::append(const QString& table, const QVariantMap& values)
{
    RowWriter(*m_db, table).appendRow(values);
}

void ReportTestData::appendPayments(int count)
{
    Database::Transaction tx(*m_db);
    Table t(*m_db, QStringLiteral("VYCETKA.db"));
    t.open();
    for (int i = 1; i <= count; ++i) {
        t.append();
        t.fieldByName(QStringLiteral("TYP_PLATBY")).setAsString(QStringLiteral("P%1").arg(i));
        t.fieldByName(QStringLiteral("HODNOTA")).setAsInteger(i);
        t.fieldByName(QStringLiteral("POCET")).setAsInteger(2);
        t.post();
    }
    tx.commit();
}

RenderedDocument generate(Report& report)
{
    ReportEngine engine(report);
    engine.setToday(QDate(2012, 3, 5));
    return engine.generate();
}

QString bandLetters(const RenderedDocument& document)
{
    QString letters;
    for (const RenderedDocument::Band& band : document.bands)
        letters += QLatin1Char("HTDSU"[int(band.kind)]);
    return letters;
}

QStringList pageTexts(const RenderedDocument& document, int page)
{
    QStringList texts;
    for (const RenderedDocument::Item& item : document.pages.at(page).items)
        if (item.kind == RenderedDocument::Item::Kind::Text)
            texts << item.text;
    return texts;
}

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}
