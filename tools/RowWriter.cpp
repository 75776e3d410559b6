#include "RowWriter.h"

#include "DataModel.h"
#include "Database.h"
#include "EngineError.h"
#include "FieldValue.h"
#include "SqlStatement.h"

RowWriter::RowWriter(Database& db, const QString& tableName, Keys keys)
    : m_db(db)
    , m_def(db.tableDef(db.requireTable(tableName)))
    , m_insertSql(db.insertSql(m_def.name))
    , m_required(m_def.requiredFields)
{
    if (keys == Keys::OfModel)
        m_required += DataModel::table(m_def.name).requiredFields;
}

void RowWriter::append()
{
    m_row = QList<QVariant>(m_def.fields.size());
}

void RowWriter::set(const QString& fieldName, const QVariant& value)
{
    const int i = indexOf(fieldName);
    m_row[i] = FieldValue::normalize(m_def.fields[i], value);
}

void RowWriter::post()
{
    for (const QString& field : std::as_const(m_required)) {
        const QVariant& v = m_row.value(m_def.fieldIndex(field));
        if (v.isNull() || v.toString().trimmed().isEmpty())
            throw EngineError(
                QStringLiteral("Záznam nelze uložit: pole %1 musí být vyplněno.").arg(field),
                EngineError::Kind::Required);
    }
    SqlStatement& insert = m_db.cached(m_insertSql);
    for (int i = 0; i < m_row.size(); ++i)
        insert.bind(i + 1, m_row[i]);
    insert.run();
    // Cursors open on the table read it anew before their next move.
    m_db.touch(m_def.name);
}

int RowWriter::indexOf(const QString& fieldName)
{
    auto it = m_indexes.constFind(fieldName);
    if (it == m_indexes.constEnd()) {
        const int i = m_def.fieldIndex(fieldName);
        if (i < 0)
            throw EngineError(QStringLiteral("Pole %1 neexistuje.").arg(fieldName),
                              EngineError::Kind::Missing);
        it = m_indexes.insert(fieldName, i);
    }
    return it.value();
}

void RowWriter::appendRow(const QVariantMap& values)
{
    append();
    for (auto it = values.begin(); it != values.end(); ++it)
        set(it.key(), it.value());
    post();
}
