#pragma once

#include "ParadoxField.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

// The header of a Paradox table file, checked against itself and against the file's size
// before any of it is believed.
class ParadoxHeader {
public:
    // Throws ParadoxError naming the path.
    ParadoxHeader(const QString& path, QByteArrayView file);

    const QList<ParadoxField>& fields() const { return m_fields; }
    // Digits after the point of each field; only BCD fields have any.
    const QList<int>& decimals() const { return m_decimals; }
    int recordSize() const { return m_recordSize; }
    int headerSize() const { return m_headerSize; }
    int blockSize() const { return m_blockSize; }
    int recordCount() const { return m_recordCount; }
    int firstBlock() const { return m_firstBlock; }
    // 0 for tables older than Paradox 4, whose headers have no code page.
    int codePage() const { return m_codePage; }
    bool hasBlobFields() const;

private:
    void readFixedPart(QByteArrayView file);
    void readFieldDescriptors(QByteArrayView file);
    void readFieldNames(QByteArrayView file, qsizetype namesStart);
    void checkRecordSize() const;
    int fieldDescriptorsStart() const;
    int tableNameLength() const;
    ParadoxField::Type fieldType(int code, int fieldNumber) const;
    void checkFieldSize(ParadoxField::Type type, int size, int fieldNumber) const;
    [[noreturn]] void fail(const QString& what) const;

    QString m_path;
    int m_versionByte = 0;
    int m_recordSize = 0;
    int m_headerSize = 0;
    int m_blockSize = 0;
    int m_recordCount = 0;
    int m_firstBlock = 0;
    int m_fieldCount = 0;
    int m_codePage = 0;
    QList<ParadoxField> m_fields;
    QList<int> m_decimals;
};
