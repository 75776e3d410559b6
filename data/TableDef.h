#pragma once

#include "FieldDef.h"

#include <QList>
#include <QString>

// A table of the data model: its name in the database (the file name without extension),
// its fields in stored order and its keys.
struct TableDef {
    QString name;
    QList<FieldDef> fields;
    QString primaryKey;     // unique key field, empty for tables without one
    QString secondaryIndex; // field of the case-insensitive secondary order, or empty

    int fieldIndex(const QString& fieldName) const;
};
