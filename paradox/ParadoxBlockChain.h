#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

class ParadoxHeader;

// The data blocks of a table in chain order, from the header's first block on. Walking the
// chain checks that every block lies within the file, is visited once and holds as many
// records as fit in it, and that the records add up to the header's count.
class ParadoxBlockChain {
public:
    struct Block {
        qsizetype recordsStart;
        int recordCount;
    };

    // Throws ParadoxError naming the path.
    ParadoxBlockChain(const QString& path, QByteArrayView file, const ParadoxHeader& header);

    const QList<Block>& blocks() const { return m_blocks; }

private:
    Block readBlock(int number, int expectedPrevious) const;
    void checkBlockNumber(int number) const;
    [[noreturn]] void fail(const QString& what) const;

    QString m_path;
    QByteArrayView m_file;
    const ParadoxHeader& m_header;
    int m_blocksInFile = 0;
    QList<Block> m_blocks;
};
