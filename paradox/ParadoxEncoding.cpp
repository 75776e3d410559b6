#include "ParadoxEncoding.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {
// QDate::toJulianDay() of 31 December 0000, the day before a Paradox date 1.
constexpr qint64 julianDayBeforeFirstParadoxDay = 1721425;
} // namespace

bool ParadoxEncoding::isBlank(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return byte == 0; });
}

quint16 ParadoxEncoding::littleEndian16(QByteArrayView bytes, qsizetype at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

quint32 ParadoxEncoding::littleEndian32(QByteArrayView bytes, qsizetype at)
{
    return quint32(littleEndian16(bytes, at)) | quint32(littleEndian16(bytes, at + 2)) << 16;
}

void ParadoxEncoding::putLittleEndian16(QByteArray& bytes, qsizetype at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void ParadoxEncoding::putLittleEndian32(QByteArray& bytes, qsizetype at, quint32 value)
{
    putLittleEndian16(bytes, at, quint16(value & 0xFFFF));
    putLittleEndian16(bytes, at + 2, quint16(value >> 16));
}

quint64 ParadoxEncoding::bigEndian(QByteArrayView bytes)
{
    quint64 value = 0;
    for (char byte : bytes)
        value = value << 8 | quint8(byte);
    return value;
}

QByteArray ParadoxEncoding::toBigEndian(quint64 value, int size)
{
    QByteArray bytes(size, '\0');
    for (int i = size - 1; i >= 0; --i, value >>= 8)
        bytes[i] = char(value & 0xFF);
    return bytes;
}

qint32 ParadoxEncoding::decodeInteger(QByteArrayView bytes)
{
    const int bits = int(bytes.size()) * 8;
    const quint64 signBit = quint64(1) << (bits - 1);
    const quint64 stored = bigEndian(bytes) ^ signBit;
    // Sign-extend from the field's width.
    const qint64 value =
        (stored & signBit) ? qint64(stored) - qint64(signBit << 1) : qint64(stored);
    return qint32(value);
}

QByteArray ParadoxEncoding::encodeInteger(qint32 value, int size)
{
    const quint64 signBit = quint64(1) << (size * 8 - 1);
    const quint64 mask = (signBit << 1) - 1;
    return toBigEndian((quint64(qint64(value)) & mask) ^ signBit, size);
}

double ParadoxEncoding::decodeDouble(QByteArrayView bytes)
{
    constexpr quint64 signBit = quint64(1) << 63;
    const quint64 stored = bigEndian(bytes);
    return std::bit_cast<double>((stored & signBit) ? stored ^ signBit : ~stored);
}

QByteArray ParadoxEncoding::encodeDouble(double value)
{
    constexpr quint64 signBit = quint64(1) << 63;
    const quint64 bits = std::bit_cast<quint64>(value);
    return toBigEndian((bits & signBit) ? ~bits : bits ^ signBit, 8);
}

QDate ParadoxEncoding::dateFromDays(qint64 days)
{
    return QDate::fromJulianDay(days + julianDayBeforeFirstParadoxDay);
}

qint64 ParadoxEncoding::daysFromDate(QDate date)
{
    return date.toJulianDay() - julianDayBeforeFirstParadoxDay;
}
