#include "BirthNumber.h"

namespace {
QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
} // namespace

QString BirthNumber::start(const QDate& born, bool woman)
{
    return twoDigits(born.year() % 100) + QLatin1Char('.') +
           twoDigits(born.month() + (woman ? 50 : 0)) + QLatin1Char('.') + twoDigits(born.day()) +
           QLatin1Char('/');
}
