#include "ParadoxRecordDecoder.h"

#include "ParadoxEncoding.h"
#include "ParadoxError.h"
#include "ParadoxHeader.h"
#include "ParadoxMemoFile.h"

#include <QDateTime>

#include <cmath>

namespace {
using Type = ParadoxField::Type;
using E = ParadoxEncoding;

constexpr int blobPointerSize = 10;
constexpr qint64 msPerDay = 24 * 60 * 60 * 1000;
constexpr int bcdDigits = 32;

int nibble(QByteArrayView bytes, int position)
{
    const int byte = quint8(bytes[position / 2]);
    return position % 2 ? byte & 0x0F : byte >> 4;
}
} // namespace

ParadoxRecordDecoder::ParadoxRecordDecoder(const QString& path, const ParadoxHeader& header,
                                           const ParadoxMemoFile* memoFile)
    : m_path(path)
    , m_header(header)
    , m_memoFile(memoFile)
    , m_codePage(header.codePage())
{
}

QVariantList ParadoxRecordDecoder::decode(QByteArrayView record) const
{
    QVariantList values;
    values.reserve(m_header.fields().size());
    qsizetype at = 0;
    for (int i = 0; i < m_header.fields().size(); ++i) {
        const int size = m_header.fields()[i].size();
        values.append(decodeField(i, record.sliced(at, size)));
        at += size;
    }
    return values;
}

void ParadoxRecordDecoder::failValue(int index, const QString& what) const
{
    throw ParadoxError::damaged(
        m_path, QStringLiteral("pole %1 obsahuje %2").arg(m_header.fields()[index].name(), what));
}

QVariant ParadoxRecordDecoder::decodeField(int index, QByteArrayView bytes) const
{
    if (E::isBlank(bytes))
        return {};
    switch (m_header.fields()[index].type()) {
    case Type::Alpha:
        return decodeText(bytes, TrailingBlanks::Remove);
    case Type::Short:
    case Type::Long:
    case Type::AutoIncrement:
        return E::decodeInteger(bytes);
    case Type::Number:
    case Type::Currency:
        return E::decodeDouble(bytes);
    case Type::Bcd:
        return decodeBcd(m_header.decimals()[index], bytes);
    case Type::Date:
        return E::dateFromDays(E::decodeInteger(bytes));
    case Type::Time: {
        const QVariant time = decodeTime(bytes);
        if (time.isNull())
            failValue(index, QStringLiteral("čas mimo den"));
        return time;
    }
    case Type::Timestamp: {
        const QVariant timestamp = decodeTimestamp(bytes);
        if (timestamp.isNull())
            failValue(index, QStringLiteral("neplatný okamžik"));
        return timestamp;
    }
    case Type::Logical:
        return (quint8(bytes[0]) & 0x7F) != 0;
    case Type::Bytes:
        return bytes.toByteArray();
    case Type::Memo: {
        const QByteArray text = blobBytes(bytes);
        return text.isEmpty() ? QVariant() : decodeText(text, TrailingBlanks::Keep);
    }
    case Type::FormattedMemo: {
        // Its text sits among binary formatting records, NULs included; it is handed on
        // whole, byte for character, for whoever understands the formatting.
        const QByteArray formatted = blobBytes(bytes);
        return formatted.isEmpty() ? QVariant() : QVariant(m_codePage.decode(formatted));
    }
    case Type::Blob:
    case Type::Graphic:
    case Type::Ole: {
        const QByteArray blob = blobBytes(bytes);
        return blob.isEmpty() ? QVariant() : QVariant(blob);
    }
    }
    return {};
}

QVariant ParadoxRecordDecoder::decodeText(QByteArrayView bytes, TrailingBlanks blanks) const
{
    const qsizetype nul = bytes.indexOf('\0');
    QString text = m_codePage.decode(nul < 0 ? bytes : bytes.first(nul));
    while (blanks == TrailingBlanks::Remove && !text.isEmpty() && text.back() == QLatin1Char(' '))
        text.chop(1);
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant ParadoxRecordDecoder::decodeTime(QByteArrayView bytes) const
{
    const qint32 ms = E::decodeInteger(bytes);
    if (ms < 0 || ms >= msPerDay)
        return {};
    return QTime::fromMSecsSinceStartOfDay(ms);
}

QVariant ParadoxRecordDecoder::decodeTimestamp(QByteArrayView bytes) const
{
    const double ms = E::decodeDouble(bytes);
    // Paradox's own range ends with the year 9999; programs that stored only a time left
    // values just before the year 1, which are kept as they are.
    if (!std::isfinite(ms) || std::abs(ms) > 3.2e14)
        return {};
    const qint64 whole = std::llround(ms);
    const qint64 days = whole / msPerDay - (whole % msPerDay < 0 ? 1 : 0);
    const QDate date = E::dateFromDays(days);
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(whole - days * msPerDay));
    return QDateTime(date, time, Qt::UTC);
}

// 17 bytes: the sign bit and the number of decimals, then 32 decimal digits, the last
// `decimals` of them after the point. A negative number stores every digit as 15 - digit.
QVariant ParadoxRecordDecoder::decodeBcd(int decimals, QByteArrayView bytes) const
{
    const bool negative = !(quint8(bytes[0]) & 0x80);
    const int flip = negative ? 0x0F : 0;
    double value = 0;
    for (int i = 0; i < bcdDigits; ++i) {
        const int digit = nibble(bytes, i + 2) ^ flip;
        value = value * 10 + std::min(digit, 9);
    }
    value /= std::pow(10.0, decimals);
    return negative ? -value : value;
}

QByteArray ParadoxRecordDecoder::blobBytes(QByteArrayView bytes) const
{
    // A table with memo fields never opens without its memo file.
    Q_ASSERT(m_memoFile);
    return m_memoFile->blob(bytes.first(bytes.size() - blobPointerSize),
                            bytes.last(blobPointerSize));
}
