#pragma once

#include "FieldDef.h"

#include <QList>
#include <QString>
#include <QStringList>

// A table of the data model: its name in the database (the file name without extension),
// its fields in stored order and its keys.
struct TableDef {
    TableDef() = default;
    TableDef(QString name, QList<FieldDef> fields, QString primaryKey = {},
             QString secondaryIndex = {}, QStringList searchIndexes = {})
        : name(std::move(name))
        , fields(std::move(fields))
        , primaryKey(std::move(primaryKey))
        , secondaryIndex(std::move(secondaryIndex))
        , searchIndexes(std::move(searchIndexes))
    {
    }

    QString name;
    QList<FieldDef> fields;
    QString primaryKey;     // unique key field, empty for tables without one
    QString secondaryIndex; // field of the case-insensitive secondary order, or empty
    // Fields the program filters by all the time (a member's payments, brigades and
    // awards); indexed for speed only, they define no order.
    QStringList searchIndexes;
    // Fields a row may never leave blank (the keys that tie a row to its member, its
    // category or its district); stored as NOT NULL.
    QStringList requiredFields;

    int fieldIndex(const QString& fieldName) const;
    QStringList fieldNames() const;
    bool isRequired(const QString& fieldName) const;
};
