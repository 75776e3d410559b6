#include "DateText.h"

#include <QRegularExpression>

namespace {
const QRegularExpression& datePattern()
{
    static const QRegularExpression p(
        QStringLiteral("^\\s*(\\d{1,2})\\s*\\.\\s*(\\d{1,2})\\s*\\.\\s*(\\d{4})\\s*$"));
    return p;
}
} // namespace

QString DateText::format(const QDate& date)
{
    if (!date.isValid())
        return {};
    // Built by hand into one buffer: every date shown in a grid or a walk passes here.
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (year < 1 || year > 9999)
        return QString::number(day) + QLatin1Char('.') + QString::number(month) + QLatin1Char('.') +
               QString::number(year);
    char16_t text[10];
    int length = 0;
    const auto putNumber = [&](int value, int digits) {
        for (int i = digits - 1; i >= 0; --i)
            text[length + i] = char16_t(u'0' + value % 10), value /= 10;
        length += digits;
    };
    putNumber(day, day < 10 ? 1 : 2);
    text[length++] = u'.';
    putNumber(month, month < 10 ? 1 : 2);
    text[length++] = u'.';
    putNumber(year, year < 10 ? 1 : year < 100 ? 2 : year < 1000 ? 3 : 4);
    return QString(reinterpret_cast<const QChar*>(text), length);
}

QDate DateText::parse(const QString& text)
{
    const auto m = datePattern().match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

bool DateText::looksLikeDate(const QString& text)
{
    return datePattern().match(text).hasMatch();
}

QString DateText::toIso(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

QDate DateText::fromIso(const QString& iso)
{
    return QDate::fromString(iso.left(10), Qt::ISODate);
}

QDate DateText::fromIso(QByteArrayView iso)
{
    // Every date read from the data passes here: "yyyy-mm-dd" is taken apart by hand, and
    // anything else is left to the general reading.
    const auto digit = [&iso](qsizetype i) {
        return iso[i] >= '0' && iso[i] <= '9';
    };
    const auto number = [&iso](qsizetype from, qsizetype count) {
        int n = 0;
        for (qsizetype i = from; i < from + count; ++i)
            n = n * 10 + (iso[i] - '0');
        return n;
    };
    const bool plain = iso.size() >= 10 && iso[4] == '-' && iso[7] == '-' && digit(0) && digit(1) &&
                       digit(2) && digit(3) && digit(5) && digit(6) && digit(8) && digit(9) &&
                       (iso.size() == 10 || iso[10] == 'T' || iso[10] == ' ');
    if (!plain)
        return fromIso(QString::fromUtf8(iso));
    return QDate(number(0, 4), number(5, 2), number(8, 2));
}
