#include "ParadoxRecordEncoder.h"

#include "ParadoxEncoding.h"
#include "ParadoxError.h"

#include <QDir>

#include <cmath>
#include <limits>

namespace {
using Type = ParadoxField::Type;
using E = ParadoxEncoding;

constexpr char logicalFalse = char(0x80);
constexpr char logicalTrue = char(0x81);
constexpr int largestAlpha = 255;
// The lowest value of each width encodes as all zeros, which means blank.
constexpr qint64 shortLimit = std::numeric_limits<qint16>::max();
constexpr qint64 longLimit = std::numeric_limits<qint32>::max();
} // namespace

ParadoxRecordEncoder::ParadoxRecordEncoder(const QString& path, const QList<ParadoxField>& fields)
    : m_path(path)
    , m_fields(fields)
    , m_codePage(ParadoxCodePage::czechWindows)
{
    for (const ParadoxField& field : fields) {
        const bool sizeFits = field.type() == Type::Alpha
                                  ? field.size() >= 1 && field.size() <= largestAlpha
                                  : field.size() == requiredSize(field.type());
        if (!isWritable(field.type()) || !sizeFits)
            throw ParadoxError(QStringLiteral("Do tabulky %1 nelze zapsat pole %2 tohoto typu "
                                              "a délky %3.")
                                   .arg(QDir::toNativeSeparators(path), field.name())
                                   .arg(field.size()));
        m_recordSize += field.size();
    }
}

bool ParadoxRecordEncoder::isWritable(Type type)
{
    return type == Type::Alpha || requiredSize(type) > 0;
}

int ParadoxRecordEncoder::requiredSize(Type type)
{
    switch (type) {
    case Type::Logical:
        return 1;
    case Type::Short:
        return 2;
    case Type::Long:
    case Type::Date:
        return 4;
    case Type::Number:
        return 8;
    default:
        return 0;
    }
}

QByteArray ParadoxRecordEncoder::encode(const QVariantList& row, int rowNumber) const
{
    if (row.size() != m_fields.size())
        throw ParadoxError(QStringLiteral("Do tabulky %1 nelze zapsat řádek %2: má %3 hodnot "
                                          "místo %4.")
                               .arg(QDir::toNativeSeparators(m_path))
                               .arg(rowNumber)
                               .arg(row.size())
                               .arg(m_fields.size()));
    QByteArray record;
    record.reserve(m_recordSize);
    for (int i = 0; i < m_fields.size(); ++i)
        record += row[i].isNull() ? QByteArray(m_fields[i].size(), '\0')
                                  : encodeField(m_fields[i], row[i], rowNumber);
    return record;
}

void ParadoxRecordEncoder::failValue(int row, const ParadoxField& field, const QString& what) const
{
    throw ParadoxError(QStringLiteral("Do tabulky %1 nelze zapsat řádek %2: pole %3 %4.")
                           .arg(QDir::toNativeSeparators(m_path))
                           .arg(row)
                           .arg(field.name(), what));
}

QByteArray ParadoxRecordEncoder::encodeField(const ParadoxField& field, const QVariant& value,
                                             int row) const
{
    switch (field.type()) {
    case Type::Alpha:
        return encodeAlpha(field, value, row);
    case Type::Short:
        return encodeInteger(field, value, shortLimit, row);
    case Type::Long:
        return encodeInteger(field, value, longLimit, row);
    case Type::Number:
        return encodeNumber(field, value, row);
    case Type::Date:
        return encodeDate(field, value, row);
    case Type::Logical:
        return QByteArray(1, value.toBool() ? logicalTrue : logicalFalse);
    default:
        failValue(row, field, QStringLiteral("má typ, který nelze zapsat"));
    }
}

QByteArray ParadoxRecordEncoder::encodeAlpha(const ParadoxField& field, const QVariant& value,
                                             int row) const
{
    QByteArray bytes = m_codePage.encode(value.toString());
    if (bytes.size() > field.size())
        failValue(row, field, QStringLiteral("je delší než %1 znaků").arg(field.size()));
    // A NUL inside would end the text early for every reader.
    if (bytes.contains('\0'))
        failValue(row, field, QStringLiteral("obsahuje znak NUL"));
    bytes.resize(field.size(), '\0');
    return bytes;
}

QByteArray ParadoxRecordEncoder::encodeInteger(const ParadoxField& field, const QVariant& value,
                                               qint64 limit, int row) const
{
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok || number < -limit || number > limit)
        failValue(row, field, QStringLiteral("nemá celé číslo od %1 do %2").arg(-limit).arg(limit));
    return E::encodeInteger(qint32(number), field.size());
}

QByteArray ParadoxRecordEncoder::encodeNumber(const ParadoxField& field, const QVariant& value,
                                              int row) const
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        failValue(row, field, QStringLiteral("nemá číslo"));
    return E::encodeDouble(number);
}

QByteArray ParadoxRecordEncoder::encodeDate(const ParadoxField& field, const QVariant& value,
                                            int row) const
{
    const QDate date = value.toDate();
    const qint64 days = date.isValid() ? E::daysFromDate(date) : 0;
    if (days < 1 || days > longLimit)
        failValue(row, field, QStringLiteral("nemá platné datum"));
    return E::encodeInteger(qint32(days), field.size());
}
