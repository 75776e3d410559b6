#include "ParadoxBlockChain.h"

#include "ParadoxEncoding.h"
#include "ParadoxError.h"
#include "ParadoxHeader.h"

#include <vector>

namespace {
constexpr int blockHeaderSize = 6;
}

ParadoxBlockChain::ParadoxBlockChain(const QString& path, QByteArrayView file,
                                     const ParadoxHeader& header)
    : m_path(path)
    , m_file(file)
    , m_header(header)
{
    // The last block may be cut short after its last record, so a partial one counts.
    const qsizetype dataBytes = file.size() - header.headerSize();
    m_blocksInFile = int((dataBytes + header.blockSize() - 1) / header.blockSize());
    std::vector<bool> visited(m_blocksInFile + 1, false);
    qint64 records = 0;
    int previous = 0;
    for (int number = header.firstBlock(); number != 0;) {
        checkBlockNumber(number);
        if (visited[number])
            fail(QStringLiteral("řetěz datových bloků se zacyklil"));
        visited[number] = true;
        const Block block = readBlock(number, previous);
        m_blocks.append(block);
        records += block.recordCount;
        previous = number;
        number = ParadoxEncoding::littleEndian16(file, block.recordsStart - blockHeaderSize);
    }
    if (records != header.recordCount())
        fail(QStringLiteral("datové bloky obsahují %1 záznamů, hlavička udává %2")
                 .arg(records)
                 .arg(header.recordCount()));
}

void ParadoxBlockChain::fail(const QString& what) const
{
    throw ParadoxError::damaged(m_path, what);
}

void ParadoxBlockChain::checkBlockNumber(int number) const
{
    if (number > m_blocksInFile)
        fail(QStringLiteral("datový blok %1 leží mimo soubor").arg(number));
}

ParadoxBlockChain::Block ParadoxBlockChain::readBlock(int number, int expectedPrevious) const
{
    const qsizetype start = m_header.headerSize() + qsizetype(number - 1) * m_header.blockSize();
    if (start + blockHeaderSize > m_file.size())
        fail(QStringLiteral("datový blok %1 leží mimo soubor").arg(number));
    const int previous = ParadoxEncoding::littleEndian16(m_file, start + 2);
    if (previous != expectedPrevious)
        fail(QStringLiteral("datový blok %1 neodkazuje zpět na blok %2")
                 .arg(number)
                 .arg(expectedPrevious));
    // The offset of the block's last record; negative when the block is empty.
    const int lastRecordOffset = qint16(ParadoxEncoding::littleEndian16(m_file, start + 4));
    const int recordSize = m_header.recordSize();
    const int recordCount = lastRecordOffset < 0 ? 0 : lastRecordOffset / recordSize + 1;
    const qsizetype recordsEnd = start + blockHeaderSize + qsizetype(recordCount) * recordSize;
    if ((lastRecordOffset >= 0 && lastRecordOffset % recordSize != 0) ||
        blockHeaderSize + recordCount * recordSize > m_header.blockSize())
        fail(QStringLiteral("datový blok %1 udává neplatný počet záznamů").arg(number));
    if (recordsEnd > m_file.size())
        fail(QStringLiteral("datový blok %1 končí za koncem souboru").arg(number));
    return {start + blockHeaderSize, recordCount};
}
