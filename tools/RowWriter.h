#pragma once

#include "Table.h"

#include <QHash>
#include <QVariant>
#include <QVariantMap>

class Database;

// Appends rows to one table through the engine's own cursor, so that generated data passes
// the same checks (kinds, text lengths) as the secretary's input. Field positions are looked
// up once per name, because a large chapter sets millions of values.
class RowWriter {
public:
    RowWriter(Database& db, const QString& tableName);

    void append();
    // Throws EngineError for a field the table does not have or a value it cannot take.
    void set(const QString& fieldName, const QVariant& value);
    void post();
    // One whole row: appended, every named field set, posted.
    void appendRow(const QVariantMap& values);

private:
    int indexOf(const QString& fieldName);

    Table m_table;
    QHash<QString, int> m_indexes;
};
