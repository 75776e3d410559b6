#pragma once

#include "FieldDef.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <ostream>

class Database;

// Every row of a stored table as the engine's cursor reads it, values in their canonical
// form (text, whole number, decimal number, date, yes/no; a blank field is a null value).
class TableRows {
public:
    TableRows(Database& db, const QString& tableName);

    const QList<FieldDef>& fields() const { return m_fields; }
    int count() const { return int(m_rows.size()); }
    const QList<QVariant>& row(int index) const { return m_rows.at(index); }
    QVariant value(int row, const QString& field) const;
    // One field of every row, as text ("" for a blank).
    QStringList column(const QString& field) const;
    // Each row rendered as one line, for comparing whole tables.
    QStringList lines() const;

private:
    QList<FieldDef> m_fields;
    QList<QList<QVariant>> m_rows;
};

// Readable failure output for Qt strings and field definitions.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const FieldDef& field, std::ostream* os);
