#include "ParadoxMemoFile.h"

#include "ParadoxEncoding.h"
#include "ParadoxError.h"

#include <QDir>

namespace {
using E = ParadoxEncoding;

constexpr int singleBlobBlock = 2;
constexpr int subAllocatedBlock = 3;
constexpr int singleBlobIndex = 0xFF;
constexpr int singleBlobHeaderSize = 9;
constexpr int subAllocatedSlotsStart = 12;
constexpr int subAllocatedSlotSize = 5;
constexpr int subAllocatedSlots = 64;
constexpr int paragraph = 16;
constexpr int memoBlockSize = 4096;
} // namespace

ParadoxMemoFile::ParadoxMemoFile(const QString& tablePath, const QString& memoPath,
                                 QByteArray bytes)
    : m_tablePath(tablePath)
    , m_memoPath(memoPath)
    , m_bytes(std::move(bytes))
{
}

void ParadoxMemoFile::failMemoFile(const QString& what) const
{
    throw ParadoxError::damaged(m_memoPath, what);
}

// Either side may be the damaged one, so both are named.
void ParadoxMemoFile::failLengthMismatch(qsizetype blockStart) const
{
    throw ParadoxError::damaged(m_tablePath,
                                QStringLiteral("délka poznámky neodpovídá bloku na pozici %1 "
                                               "v souboru %2")
                                    .arg(blockStart)
                                    .arg(QDir::toNativeSeparators(m_memoPath)));
}

void ParadoxMemoFile::checkWithinFile(qsizetype start, qsizetype length) const
{
    if (start < 0 || length < 0 || start > m_bytes.size() || length > m_bytes.size() - start)
        throw ParadoxError::damaged(m_tablePath,
                                    QStringLiteral("odkaz na poznámku míří mimo soubor %1")
                                        .arg(QDir::toNativeSeparators(m_memoPath)));
}

QByteArray ParadoxMemoFile::blob(QByteArrayView leader, QByteArrayView pointer) const
{
    const quint32 location = E::littleEndian32(pointer, 0);
    const quint32 length = E::littleEndian32(pointer, 4);
    if (length <= quint32(leader.size()))
        return leader.first(length).toByteArray();
    const qsizetype blockStart = location & 0xFFFFFF00u;
    const int index = int(location & 0xFFu);
    // Block 0 is the memo file's own header.
    if (blockStart == 0)
        throw ParadoxError::damaged(m_tablePath,
                                    QStringLiteral("odkaz na poznámku míří do hlavičky souboru %1")
                                        .arg(QDir::toNativeSeparators(m_memoPath)));
    checkWithinFile(blockStart, 3);
    switch (quint8(m_bytes[blockStart])) {
    case singleBlobBlock:
        return singleBlob(blockStart, index, length);
    case subAllocatedBlock:
        return subAllocatedBlob(blockStart, index, length);
    default:
        failMemoFile(QStringLiteral("blok na pozici %1 nenese poznámku").arg(blockStart));
    }
}

QByteArray ParadoxMemoFile::singleBlob(qsizetype blockStart, int index, quint32 length) const
{
    if (index != singleBlobIndex)
        failMemoFile(QStringLiteral("blok na pozici %1 nese jedinou poznámku, odkaz však míří "
                                    "na její část")
                         .arg(blockStart));
    checkWithinFile(blockStart, singleBlobHeaderSize);
    if (E::littleEndian32(m_bytes, blockStart + 3) != length)
        failLengthMismatch(blockStart);
    const qsizetype dataStart = blockStart + singleBlobHeaderSize;
    checkWithinFile(dataStart, length);
    return m_bytes.sliced(dataStart, length);
}

QByteArray ParadoxMemoFile::subAllocatedBlob(qsizetype blockStart, int index, quint32 length) const
{
    if (index >= subAllocatedSlots)
        failMemoFile(
            QStringLiteral("odkaz míří na neexistující část bloku na pozici %1").arg(blockStart));
    const qsizetype slot = blockStart + subAllocatedSlotsStart + index * subAllocatedSlotSize;
    checkWithinFile(slot, subAllocatedSlotSize);
    const int paragraphs = quint8(m_bytes[slot + 1]);
    const int storedLength = (paragraphs - 1) * paragraph + quint8(m_bytes[slot + 4]);
    if (paragraphs == 0 || quint32(storedLength) != length)
        failLengthMismatch(blockStart);
    const qsizetype dataOffset = qsizetype(quint8(m_bytes[slot])) * paragraph;
    if (dataOffset + storedLength > memoBlockSize)
        failMemoFile(QStringLiteral("poznámka přesahuje blok na pozici %1").arg(blockStart));
    checkWithinFile(blockStart + dataOffset, storedLength);
    return m_bytes.sliced(blockStart + dataOffset, storedLength);
}
