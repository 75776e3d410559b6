#pragma once

#include "TableDef.h"

#include <QHash>
#include <QList>
#include <QVariant>
#include <QVariantMap>

class Database;

// Appends rows to one table with the checks the engine makes on the secretary's input (kinds,
// text lengths, required keys), straight into the table without a cursor's view: a large
// chapter writes millions of values, and a view kept in order would make that quadratic.
class RowWriter {
public:
    // Which blank keys post() refuses: those the data model requires of the table, or only
    // those its stored layout marks (older data taken over as they are).
    enum class Keys { OfModel, OfStoredLayout };

    RowWriter(Database& db, const QString& tableName, Keys keys = Keys::OfModel);

    void append();
    // Throws EngineError for a field the table does not have or a value it cannot take.
    void set(const QString& fieldName, const QVariant& value);
    // Throws EngineError for a required field left blank.
    void post();
    // One whole row: appended, every named field set, posted.
    void appendRow(const QVariantMap& values);

private:
    int indexOf(const QString& fieldName);

    Database& m_db;
    TableDef m_def;
    QString m_insertSql;
    QStringList m_required;
    QList<QVariant> m_row;
    QHash<QString, int> m_indexes;
};
