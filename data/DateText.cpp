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
