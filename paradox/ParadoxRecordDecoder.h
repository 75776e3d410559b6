#pragma once

#include "ParadoxCodePage.h"

#include <QByteArrayView>
#include <QVariant>

class ParadoxHeader;
class ParadoxMemoFile;

// Turns the bytes of one record into values, one per field (see ParadoxTable for the types).
class ParadoxRecordDecoder {
public:
    // The memo file may be null when the table has no memo or blob fields.
    ParadoxRecordDecoder(const QString& path, const ParadoxHeader& header,
                         const ParadoxMemoFile* memoFile);

    // Throws ParadoxError for a value no Paradox program writes.
    QVariantList decode(QByteArrayView record) const;

private:
    enum class TrailingBlanks { Remove, Keep };

    QVariant decodeField(int index, QByteArrayView bytes) const;
    QVariant decodeText(QByteArrayView bytes, TrailingBlanks blanks) const;
    QVariant decodeTime(QByteArrayView bytes) const;
    QVariant decodeTimestamp(QByteArrayView bytes) const;
    QVariant decodeBcd(int decimals, QByteArrayView bytes) const;
    QByteArray blobBytes(QByteArrayView bytes) const;
    [[noreturn]] void failValue(int index, const QString& what) const;

    QString m_path;
    const ParadoxHeader& m_header;
    const ParadoxMemoFile* m_memoFile;
    ParadoxCodePage m_codePage;
};
