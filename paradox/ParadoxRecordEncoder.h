#pragma once

#include "ParadoxCodePage.h"
#include "ParadoxField.h"

#include <QByteArray>
#include <QList>
#include <QVariant>

// Turns a row of values into the bytes of one record of a table being written. Only the
// types the writer offers: Alpha, Short, Long, Number, Date and Logical.
class ParadoxRecordEncoder {
public:
    // Throws ParadoxError for a field the writer cannot write.
    ParadoxRecordEncoder(const QString& path, const QList<ParadoxField>& fields);

    int recordSize() const { return m_recordSize; }
    // Throws ParadoxError for a value that does not fit its field; rowNumber counts from 1.
    QByteArray encode(const QVariantList& row, int rowNumber) const;

    static bool isWritable(ParadoxField::Type type);
    static int requiredSize(ParadoxField::Type type);

private:
    // Each takes the row number for its error message.
    QByteArray encodeField(const ParadoxField& field, const QVariant& value, int row) const;
    QByteArray encodeAlpha(const ParadoxField& field, const QVariant& value, int row) const;
    QByteArray encodeInteger(const ParadoxField& field, const QVariant& value, qint64 limit,
                             int row) const;
    QByteArray encodeNumber(const ParadoxField& field, const QVariant& value, int row) const;
    QByteArray encodeDate(const ParadoxField& field, const QVariant& value, int row) const;
    [[noreturn]] void failValue(int row, const ParadoxField& field, const QString& what) const;

    QString m_path;
    QList<ParadoxField> m_fields;
    ParadoxCodePage m_codePage;
    int m_recordSize = 0;
};
