#include "TestDataDir.h"

#include "DataModel.h"
#include "DataSet.h"
#include "Table.h"

#include <gtest/gtest.h>

#include <stdexcept>

TestDataDir::TestDataDir(const QStringList& tables)
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary directory");
    m_db = std::make_unique<Database>(m_dir.path(), Database::OpenMode::CreateNew);
    for (const QString& name : tables)
        createTable(name);
}

void TestDataDir::createTable(const QString& name)
{
    const TableDef def = DataModel::table(name);
    if (def.name.isEmpty())
        throw std::runtime_error("table not in the data model: " + name.toStdString());
    m_db->createTable(def);
}

void appendRow(Table& table, const QVariantMap& values)
{
    table.append();
    for (auto it = values.begin(); it != values.end(); ++it)
        table.fieldByName(it.key()).setValue(it.value());
    table.post();
}

QVariantMap member(const QString& number, const QString& surname, QVariantMap more)
{
    more.insert(QStringLiteral("CLEN_CISLO"), number);
    more.insert(QStringLiteral("PRIJMENI"), surname);
    return more;
}

QStringList columnOf(DataSet& data, const QString& field)
{
    QStringList values;
    for (data.first(); !data.eof(); data.next())
        values << data.fieldByName(field).asString();
    return values;
}

QStringList listOf(const char* separated)
{
    const QString text = QString::fromUtf8(separated);
    const QChar separator = text.contains(QLatin1Char('|')) ? QLatin1Char('|') : QLatin1Char(',');
    return text.split(separator, Qt::SkipEmptyParts);
}

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}
