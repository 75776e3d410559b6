#pragma once

#include "ParadoxField.h"

#include <QByteArray>
#include <QList>

// The bytes of a whole new non-keyed table file: a header as Paradox 7 writes it (code
// page 1250, ASCII sort order, no key) followed by fully packed, chained data blocks.
class ParadoxTableImage {
public:
    // Records must all have the size the fields add up to. Throws ParadoxError when the
    // records are too long for any block or too many for a table.
    ParadoxTableImage(const QString& path, const QList<ParadoxField>& fields,
                      const QList<QByteArray>& records);

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray headerBytes(int blockCount) const;
    void writeFixedHeader(QByteArray& header, int blockCount) const;
    QByteArray fieldDescriptors() const;
    QByteArray blockBytes(int number, int blockCount, int firstRecord) const;

    QString m_path;
    QList<ParadoxField> m_fields;
    const QList<QByteArray>& m_records;
    int m_recordSize = 0;
    int m_blockKiB = 0;
    int m_recordsPerBlock = 0;
    QByteArray m_bytes;
};
