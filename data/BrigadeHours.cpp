#include "BrigadeHours.h"

#include <QtMath>

void BrigadeHours::add(double hours)
{
    m_hundredths += qRound64(hours * 100);
}

QString BrigadeHours::text() const
{
    const qint64 whole = m_hundredths / 100;
    const qint64 part = qAbs(m_hundredths % 100);
    QString text =
        (m_hundredths < 0 && whole == 0 ? QStringLiteral("-") : QString()) + QString::number(whole);
    if (part == 0)
        return text;
    QString digits = QStringLiteral("%1").arg(part, 2, 10, QLatin1Char('0'));
    if (digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    return text + QLatin1Char(',') + digits;
}
