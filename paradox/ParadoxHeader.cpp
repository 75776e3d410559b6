#include "ParadoxHeader.h"

#include "ParadoxCodePage.h"
#include "ParadoxEncoding.h"
#include "ParadoxError.h"

#include <QDir>

#include <algorithm>

namespace {
using Type = ParadoxField::Type;
using E = ParadoxEncoding;

constexpr int blockHeaderSize = 6;
constexpr int blobPointerSize = 10;
constexpr int bcdSize = 17;
constexpr int maxBcdDecimals = 32;
constexpr int fixedHeaderSize = 0x58;
constexpr int extendedHeaderSize = 0x78;
constexpr int codePageOffset = 0x6A;
// Paradox 4 (version byte 5) added the part of the header that holds the code page.
constexpr int firstVersionWithCodePage = 5;
constexpr int firstVersionWithLongTableName = 12;

struct TypeCode {
    int code;
    Type type;
};

constexpr TypeCode typeCodes[] = {
    {0x01, Type::Alpha},         {0x02, Type::Date},      {0x03, Type::Short},
    {0x04, Type::Long},          {0x05, Type::Currency},  {0x06, Type::Number},
    {0x09, Type::Logical},       {0x0C, Type::Memo},      {0x0D, Type::Blob},
    {0x0E, Type::FormattedMemo}, {0x0F, Type::Ole},       {0x10, Type::Graphic},
    {0x14, Type::Time},          {0x15, Type::Timestamp}, {0x16, Type::AutoIncrement},
    {0x17, Type::Bcd},           {0x18, Type::Bytes},
};

bool isBlobType(Type type)
{
    return type == Type::Memo || type == Type::Blob || type == Type::FormattedMemo ||
           type == Type::Ole || type == Type::Graphic;
}

// The size a fixed-size type must have; 0 for types whose size the table chooses.
int fixedSize(Type type)
{
    switch (type) {
    case Type::Logical:
        return 1;
    case Type::Short:
        return 2;
    case Type::Date:
    case Type::Long:
    case Type::Time:
    case Type::AutoIncrement:
        return 4;
    case Type::Currency:
    case Type::Number:
    case Type::Timestamp:
        return 8;
    case Type::Bcd:
        return bcdSize;
    default:
        return 0;
    }
}
} // namespace

ParadoxHeader::ParadoxHeader(const QString& path, QByteArrayView file)
    : m_path(path)
{
    readFixedPart(file);
    readFieldDescriptors(file);
    checkRecordSize();
}

bool ParadoxHeader::hasBlobFields() const
{
    return std::any_of(m_fields.begin(), m_fields.end(),
                       [](const ParadoxField& field) { return isBlobType(field.type()); });
}

void ParadoxHeader::fail(const QString& what) const
{
    throw ParadoxError::damaged(m_path, what);
}

void ParadoxHeader::readFixedPart(QByteArrayView file)
{
    if (file.size() < fixedHeaderSize)
        fail(QStringLiteral("hlavička je kratší, než má být"));
    m_recordSize = E::littleEndian16(file, 0x00);
    m_headerSize = E::littleEndian16(file, 0x02);
    const int fileType = quint8(file[0x04]);
    const int blockKiB = quint8(file[0x05]);
    m_recordCount = int(std::min<quint32>(E::littleEndian32(file, 0x06), 0x7FFFFFFF));
    m_firstBlock = E::littleEndian16(file, 0x0E);
    m_fieldCount = E::littleEndian16(file, 0x21);
    m_versionByte = quint8(file[0x39]);

    if (fileType != 0 && fileType != 2)
        throw ParadoxError(
            QStringLiteral("Soubor %1 není datová tabulka Paradoxu (typ souboru %2).")
                .arg(QDir::toNativeSeparators(m_path))
                .arg(fileType));
    if (m_versionByte < 3 || m_versionByte > 12)
        fail(QStringLiteral("neznámá verze souboru (%1)").arg(m_versionByte));
    if (blockKiB < 1 || blockKiB > 32)
        fail(QStringLiteral("neplatná velikost bloku (%1 KiB)").arg(blockKiB));
    m_blockSize = blockKiB * 1024;
    if (m_headerSize < fieldDescriptorsStart() || m_headerSize > file.size())
        fail(QStringLiteral("hlavička je kratší, než udává"));
    if (m_fieldCount < 1 || m_fieldCount > 255)
        fail(QStringLiteral("neplatný počet polí (%1)").arg(m_fieldCount));
    if (m_versionByte >= firstVersionWithCodePage)
        m_codePage = E::littleEndian16(file, codePageOffset);
}

int ParadoxHeader::fieldDescriptorsStart() const
{
    return m_versionByte >= firstVersionWithCodePage ? extendedHeaderSize : fixedHeaderSize;
}

int ParadoxHeader::tableNameLength() const
{
    return m_versionByte >= firstVersionWithLongTableName ? 261 : 79;
}

void ParadoxHeader::readFieldDescriptors(QByteArrayView file)
{
    const QByteArrayView header = file.first(m_headerSize);
    const qsizetype start = fieldDescriptorsStart();
    // Each field: type and size bytes; then the table name pointer and one name pointer
    // per field, which mean nothing outside the program that wrote them.
    const qsizetype namesStart =
        start + m_fieldCount * 2 + 4 + m_fieldCount * 4 + tableNameLength();
    if (namesStart > header.size())
        fail(QStringLiteral("hlavička je kratší, než udává"));
    for (int i = 0; i < m_fieldCount; ++i) {
        const Type type = fieldType(quint8(header[start + i * 2]), i + 1);
        const int declaredSize = quint8(header[start + i * 2 + 1]);
        checkFieldSize(type, declaredSize, i + 1);
        const bool isBcd = type == Type::Bcd;
        m_fields.append(ParadoxField(QString(), type, isBcd ? bcdSize : declaredSize));
        m_decimals.append(isBcd ? declaredSize : 0);
    }
    readFieldNames(header, namesStart);
}

void ParadoxHeader::readFieldNames(QByteArrayView header, qsizetype namesStart)
{
    const ParadoxCodePage codePage(m_codePage);
    qsizetype at = namesStart;
    for (int i = 0; i < m_fieldCount; ++i) {
        const qsizetype end = header.indexOf('\0', at);
        if (end < 0)
            fail(QStringLiteral("název pole %1 nekončí v hlavičce").arg(i + 1));
        const ParadoxField& field = m_fields[i];
        m_fields[i] =
            ParadoxField(codePage.decode(header.sliced(at, end - at)), field.type(), field.size());
        at = end + 1;
    }
}

ParadoxField::Type ParadoxHeader::fieldType(int code, int fieldNumber) const
{
    const auto found = std::find_if(std::begin(typeCodes), std::end(typeCodes),
                                    [code](const TypeCode& entry) { return entry.code == code; });
    if (found == std::end(typeCodes))
        fail(QStringLiteral("pole %1 má neznámý typ %2").arg(fieldNumber).arg(code));
    return found->type;
}

void ParadoxHeader::checkFieldSize(Type type, int size, int fieldNumber) const
{
    bool valid;
    if (type == Type::Bcd)
        valid = size <= maxBcdDecimals;
    else if (isBlobType(type))
        valid = size >= blobPointerSize;
    else if (fixedSize(type) > 0)
        valid = size == fixedSize(type);
    else
        valid = size >= 1;
    if (!valid)
        fail(QStringLiteral("pole %1 má neplatnou délku %2").arg(fieldNumber).arg(size));
}

void ParadoxHeader::checkRecordSize() const
{
    int sum = 0;
    for (const ParadoxField& field : m_fields)
        sum += field.size();
    if (m_recordSize != sum)
        fail(QStringLiteral("délka záznamu %1 neodpovídá součtu délek polí %2")
                 .arg(m_recordSize)
                 .arg(sum));
    if (m_recordSize > m_blockSize - blockHeaderSize)
        fail(QStringLiteral("záznam je delší než datový blok"));
}
