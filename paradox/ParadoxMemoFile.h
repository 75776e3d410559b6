#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The memo file (.MB) of a table: memos and blobs too long for their records, in blocks
// that hold either one of them or many small ones. A record points into it with the last
// ten bytes of a memo field.
class ParadoxMemoFile {
public:
    // The table's path names the side whose pointer is wrong; the memo path the side whose
    // blocks are.
    ParadoxMemoFile(const QString& tablePath, const QString& memoPath, QByteArray bytes);

    // The bytes a pointer stands for (its field's last ten bytes) after the leader, the
    // part of the memo the record keeps itself. Throws ParadoxError.
    QByteArray blob(QByteArrayView leader, QByteArrayView pointer) const;

private:
    QByteArray singleBlob(qsizetype blockStart, int index, quint32 length) const;
    QByteArray subAllocatedBlob(qsizetype blockStart, int index, quint32 length) const;
    void checkWithinFile(qsizetype start, qsizetype length) const;
    [[noreturn]] void failMemoFile(const QString& what) const;
    [[noreturn]] void failLengthMismatch(qsizetype blockStart) const;

    QString m_tablePath;
    QString m_memoPath;
    QByteArray m_bytes;
};
