#pragma once

#include "ParadoxField.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

// A Paradox table file (.DB) with its memo file (.MB), read strictly: every header field,
// block chain, record size and blob pointer is checked before use, so a damaged or
// truncated file throws ParadoxError and never crashes, hangs or allocates without bound.
//
// Values, one QVariant per field in the header's order; a blank field is a null QVariant:
// - Alpha, Memo, FormattedMemo: QString, decoded by the table's code page (1250, 852, 850,
//   437, 1252 and others the platform knows); trailing NULs and blanks of Alpha removed;
// - Short, Long, AutoIncrement: int; Number, Currency, Bcd: double;
// - Date: QDate; Time: QTime; Timestamp: QDateTime (no time zone, as stored);
// - Logical: bool; Bytes, Blob, Graphic, Ole: QByteArray.
class ParadoxTable {
public:
    // Reads and checks the header and the field descriptors; the records are read on demand.
    // Throws ParadoxError.
    explicit ParadoxTable(const QString& path);
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable&) = delete;
    ParadoxTable& operator=(const ParadoxTable&) = delete;

    const QString& path() const;
    const QList<ParadoxField>& fields() const;
    // The position of a field by name, letter case ignored; -1 when the table has none.
    int fieldIndex(const QString& name) const;
    // As the header says.
    int recordCount() const;
    // The header's code page (for example 1250); 0 when the header names none.
    int codePage() const;

    // Reads every record in file order and hands its values to the visitor, which returns
    // false to stop. Throws ParadoxError on damage found on the way.
    void forEachRecord(const std::function<bool(const QVariantList& values)>& visit) const;
    QList<QVariantList> readAll() const;

private:
    class Reader;
    std::unique_ptr<Reader> m_reader;
};
