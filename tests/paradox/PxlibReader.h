#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Reads a table with pxlib, as an independent second opinion. Only the types it reads
// correctly are given (Alpha, Short, Long, AutoIncrement, Number, Currency, Date,
// Logical); other fields, and any field pxlib reads as blank, come as a null QVariant.
class PxlibReader {
public:
    static QList<QVariantList> readAll(const QString& path);
};
