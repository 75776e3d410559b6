#include "BirthNumber.h"

#include <algorithm>

namespace {

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The two digits at the position as a number; -1 when they are not two digits.
int twoDigitsAt(const QString& text, int position)
{
    const QString part = text.mid(position, 2);
    if (part.size() != 2 || !part[0].isDigit() || !part[1].isDigit())
        return -1;
    return part.toInt();
}

bool isFourDigits(const QString& text)
{
    return text.size() == 4 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// The sign of the month: what was added to it, and whether that marks a woman.
struct MonthRaise {
    int added;
    bool woman;
};
constexpr MonthRaise monthRaises[] = {{0, false}, {20, false}, {50, true}, {70, true}};

} // namespace

BirthNumber::BirthNumber(const QString& text)
{
    read(dotted(text));
}

void BirthNumber::read(const QString& dottedText)
{
    if (dottedText.size() < 8 || dottedText[2] != QLatin1Char('.') ||
        dottedText[5] != QLatin1Char('.'))
        return;
    if (dottedText.size() > 8 && dottedText[8] != QLatin1Char('/'))
        return;
    const int year = twoDigitsAt(dottedText, 0);
    const int month = twoDigitsAt(dottedText, 3);
    const int day = twoDigitsAt(dottedText, 6);
    if (year < 0 || month < 0 || day < 0)
        return;
    // Nine-digit numbers were given up to 1953; a ten-digit one below 54 is of this century.
    const bool tenDigits = isFourDigits(dottedText.mid(9));
    const int century = tenDigits && year < 54 ? 2000 : 1900;
    for (const MonthRaise& raise : monthRaises) {
        const int plain = month - raise.added;
        if (plain < 1 || plain > 12)
            continue;
        m_born = QDate(century + year, plain, day);
        m_woman = raise.woman && m_born.isValid();
        return;
    }
}

QString BirthNumber::start(const QDate& born, bool woman)
{
    return twoDigits(born.year() % 100) + QLatin1Char('.') +
           twoDigits(born.month() + (woman ? 50 : 0)) + QLatin1Char('.') + twoDigits(born.day()) +
           QLatin1Char('/');
}

QString BirthNumber::dotted(const QString& text)
{
    if (text.size() < 6)
        return text;
    QString result = text;
    const auto dotAt = [&result](int position) {
        if (result[position] == QLatin1Char('-'))
            result[position] = QLatin1Char('.');
        else
            result.insert(position, QLatin1Char('.'));
    };
    if (result[2] != QLatin1Char('.')) {
        dotAt(2);
        dotAt(5);
    }
    if (result.size() == 8)
        result.append(QLatin1Char('/'));
    else if (result.size() > 8 && result[8] != QLatin1Char('/'))
        result.insert(8, QLatin1Char('/'));
    return result;
}
