#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>

// The byte-level conventions of Paradox files, shared by the reader and the writer so that
// both sides agree on them: header words are little-endian; field values are big-endian
// with the sign bit flipped, so that all-zero bytes are left free to mean a blank.
class ParadoxEncoding {
public:
    static bool isBlank(QByteArrayView bytes);

    static quint16 littleEndian16(QByteArrayView bytes, qsizetype at);
    static quint32 littleEndian32(QByteArrayView bytes, qsizetype at);
    static void putLittleEndian16(QByteArray& bytes, qsizetype at, quint16 value);
    static void putLittleEndian32(QByteArray& bytes, qsizetype at, quint32 value);

    // Short, Long and the types built on Long (Date, Time, AutoIncrement): 2 or 4 bytes.
    static qint32 decodeInteger(QByteArrayView bytes);
    static QByteArray encodeInteger(qint32 value, int size);

    // Number, Currency and Timestamp: an IEEE double whose bytes are all inverted when it
    // is negative, so that the stored bytes sort like the numbers.
    static double decodeDouble(QByteArrayView bytes);
    static QByteArray encodeDouble(double value);

    // Dates count days from 1 January 0001 (that day is 1) in the proleptic Gregorian
    // calendar, as QDate's Julian days do from their own origin.
    static QDate dateFromDays(qint64 days);
    static qint64 daysFromDate(QDate date);

private:
    static quint64 bigEndian(QByteArrayView bytes);
    static QByteArray toBigEndian(quint64 value, int size);
};
