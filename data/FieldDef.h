#pragma once

#include <QString>

// The kinds of value a field can hold; the stored SQLite type is derived from it.
enum class FieldType { Text, Memo, Integer, Float, Date, Boolean };

// One field of a table: its name, kind and, for text, the most characters it takes.
struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;

    bool operator==(const FieldDef&) const = default;

    static FieldDef text(const QString& name, int size) { return {name, FieldType::Text, size}; }
    static FieldDef memo(const QString& name) { return {name, FieldType::Memo, 0}; }
    static FieldDef integer(const QString& name) { return {name, FieldType::Integer, 0}; }
    static FieldDef real(const QString& name) { return {name, FieldType::Float, 0}; }
    static FieldDef date(const QString& name) { return {name, FieldType::Date, 0}; }
    static FieldDef boolean(const QString& name) { return {name, FieldType::Boolean, 0}; }

    // The column type written into the schema. It carries the field kind and the text size,
    // so any table in the database can be read back without the data model.
    QString sqlType() const;
    static FieldDef fromSqlType(const QString& name, const QString& declaredType);
};
