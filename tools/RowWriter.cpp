#include "RowWriter.h"

RowWriter::RowWriter(Database& db, const QString& tableName)
    : m_table(db, tableName)
{
    m_table.open();
}

void RowWriter::append()
{
    m_table.append();
}

void RowWriter::set(const QString& fieldName, const QVariant& value)
{
    m_table.setValue(indexOf(fieldName), value);
}

void RowWriter::post()
{
    m_table.post();
}

int RowWriter::indexOf(const QString& fieldName)
{
    auto it = m_indexes.constFind(fieldName);
    if (it == m_indexes.constEnd())
        it = m_indexes.insert(fieldName, m_table.fieldByName(fieldName).index());
    return it.value();
}

void RowWriter::appendRow(const QVariantMap& values)
{
    append();
    for (auto it = values.begin(); it != values.end(); ++it)
        set(it.key(), it.value());
    post();
}
