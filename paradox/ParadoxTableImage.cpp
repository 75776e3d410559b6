#include "ParadoxTableImage.h"

#include "ParadoxCodePage.h"
#include "ParadoxEncoding.h"
#include "ParadoxError.h"

#include <QDir>
#include <QFileInfo>

namespace {
using E = ParadoxEncoding;

constexpr int blockHeaderSize = 6;
constexpr int headerUnit = 0x800;
constexpr int descriptorsStart = 0x78;
constexpr int tableNameLength = 261;
constexpr int versionParadox7 = 12;
constexpr int nonKeyedTable = 2;
constexpr int largestBlockCount = 0xFFFF;
constexpr QByteArrayView sortOrderName("ascii\0", 6);

int typeCode(ParadoxField::Type type)
{
    switch (type) {
    case ParadoxField::Type::Alpha:
        return 0x01;
    case ParadoxField::Type::Date:
        return 0x02;
    case ParadoxField::Type::Short:
        return 0x03;
    case ParadoxField::Type::Long:
        return 0x04;
    case ParadoxField::Type::Number:
        return 0x06;
    case ParadoxField::Type::Logical:
        return 0x09;
    default:
        return 0;
    }
}
} // namespace

ParadoxTableImage::ParadoxTableImage(const QString& path, const QList<ParadoxField>& fields,
                                     const QList<QByteArray>& records)
    : m_path(path)
    , m_fields(fields)
    , m_records(records)
{
    for (const ParadoxField& field : fields)
        m_recordSize += field.size();
    // The smallest block a record fits in keeps small tables small.
    for (int kib : {2, 4, 8, 16, 32}) {
        if (m_recordSize <= kib * 1024 - blockHeaderSize) {
            m_blockKiB = kib;
            break;
        }
    }
    if (m_blockKiB == 0 || fields.isEmpty())
        throw ParadoxError(QStringLiteral("Tabulku %1 nelze zapsat: záznam je delší než "
                                          "největší blok Paradoxu.")
                               .arg(QDir::toNativeSeparators(path)));
    m_recordsPerBlock = (m_blockKiB * 1024 - blockHeaderSize) / m_recordSize;
    const qsizetype blockCount = (records.size() + m_recordsPerBlock - 1) / m_recordsPerBlock;
    if (blockCount > largestBlockCount)
        throw ParadoxError(QStringLiteral("Tabulku %1 nelze zapsat: má příliš mnoho záznamů.")
                               .arg(QDir::toNativeSeparators(path)));
    m_bytes = headerBytes(int(blockCount));
    for (int number = 1; number <= blockCount; ++number)
        m_bytes += blockBytes(number, int(blockCount), (number - 1) * m_recordsPerBlock);
}

QByteArray ParadoxTableImage::fieldDescriptors() const
{
    QByteArray descriptors;
    for (const ParadoxField& field : m_fields) {
        descriptors += char(typeCode(field.type()));
        descriptors += char(field.size());
    }
    return descriptors;
}

QByteArray ParadoxTableImage::headerBytes(int blockCount) const
{
    const ParadoxCodePage codePage(ParadoxCodePage::czechWindows);
    const int fieldCount = int(m_fields.size());
    QByteArray variablePart = fieldDescriptors();
    // The pointers are the writing program's memory addresses; readers ignore them.
    variablePart += QByteArray(4 + fieldCount * 4, '\0');
    const QByteArray tableName = codePage.encode(QFileInfo(m_path).fileName()).left(78);
    variablePart += tableName + QByteArray(tableNameLength - tableName.size(), '\0');
    for (const ParadoxField& field : m_fields)
        variablePart += codePage.encode(field.name()).replace('\0', ' ') + '\0';
    for (int i = 1; i <= fieldCount; ++i) {
        variablePart += char(i & 0xFF);
        variablePart += char(i >> 8);
    }
    variablePart += sortOrderName.toByteArray();

    const qsizetype usedSize = descriptorsStart + variablePart.size();
    QByteArray header((usedSize + headerUnit - 1) / headerUnit * headerUnit, '\0');
    writeFixedHeader(header, blockCount);
    E::putLittleEndian16(header, 0x51, quint16(usedSize));
    header.replace(descriptorsStart, variablePart.size(), variablePart);
    return header;
}

void ParadoxTableImage::writeFixedHeader(QByteArray& header, int blockCount) const
{
    const int fieldCount = int(m_fields.size());
    E::putLittleEndian16(header, 0x00, quint16(m_recordSize));
    E::putLittleEndian16(header, 0x02, quint16(header.size()));
    header[0x04] = char(nonKeyedTable);
    header[0x05] = char(m_blockKiB);
    E::putLittleEndian32(header, 0x06, quint32(m_records.size()));
    E::putLittleEndian16(header, 0x0A, quint16(blockCount));
    E::putLittleEndian16(header, 0x0C, quint16(blockCount));
    E::putLittleEndian16(header, 0x0E, quint16(blockCount > 0 ? 1 : 0));
    E::putLittleEndian16(header, 0x10, quint16(blockCount));
    E::putLittleEndian16(header, 0x21, quint16(fieldCount));
    E::putLittleEndian32(header, 0x25, 0xFF00FF00u); // no password
    header[0x2D] = 2;                                // change counters
    header[0x2E] = 1;
    E::putLittleEndian32(header, 0x30, quint32(descriptorsStart + fieldCount * 2));
    E::putLittleEndian32(header, 0x34, quint32(descriptorsStart));
    header[0x39] = char(versionParadox7);
    E::putLittleEndian16(header, 0x3A, quint16(blockCount));
    header[0x3E] = 0x1F;
    header[0x3F] = 0x0F;
    header[0x56] = 0x20;
    E::putLittleEndian16(header, 0x58, 0x010C);
    E::putLittleEndian16(header, 0x5A, 0x010C);
    E::putLittleEndian16(header, 0x64, quint16(fieldCount + 1));
    E::putLittleEndian16(header, 0x6A, quint16(ParadoxCodePage::czechWindows));
    header[0x6C] = 1;
    header[0x6D] = 1;
}

QByteArray ParadoxTableImage::blockBytes(int number, int blockCount, int firstRecord) const
{
    QByteArray block(m_blockKiB * 1024, '\0');
    const int count = int(std::min<qsizetype>(m_recordsPerBlock, m_records.size() - firstRecord));
    E::putLittleEndian16(block, 0, quint16(number < blockCount ? number + 1 : 0));
    E::putLittleEndian16(block, 2, quint16(number - 1));
    E::putLittleEndian16(block, 4, quint16((count - 1) * m_recordSize));
    for (int i = 0; i < count; ++i)
        block.replace(blockHeaderSize + i * m_recordSize, m_recordSize, m_records[firstRecord + i]);
    return block;
}
