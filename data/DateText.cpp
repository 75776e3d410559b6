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
    // Built by hand: every date shown in a grid or a walk passes here.
    QString text = QString::number(date.day());
    text += QLatin1Char('.');
    text += QString::number(date.month());
    text += QLatin1Char('.');
    text += QString::number(date.year());
    return text;
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
