#include "DisplayMask.h"

#include "FieldValue.h"

#include <QLocale>
#include <QStringList>

#include <cmath>
#include <utility>

namespace {

bool isQuote(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('"');
}

// Splits at semicolons outside quoted text.
QStringList sections(const QString& mask)
{
    QStringList parts{QString()};
    QChar quote;
    for (const QChar c : mask) {
        if (quote.isNull() && c == QLatin1Char(';')) {
            parts << QString();
            continue;
        }
        if (isQuote(c))
            quote = quote.isNull() ? c : (quote == c ? QChar() : quote);
        parts.last() += c;
    }
    return parts;
}

// One section taken apart: the text before the first digit place, the digit places, and
// the text after them.
struct NumberPattern {
    QString prefix;
    QString suffix;
    bool hasDigits = false;
    bool grouped = false;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;

    explicit NumberPattern(const QString& section);
    QString format(double magnitude, bool negative) const;

private:
    void takeDigitPlace(QChar c, bool afterPoint);
    QString integerText(const QString& digits) const;
};

NumberPattern::NumberPattern(const QString& section)
{
    bool afterPoint = false;
    QChar quote;
    for (const QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (hasDigits ? suffix : prefix) += c;
        } else if (isQuote(c)) {
            quote = c;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            takeDigitPlace(c, afterPoint);
        } else if (c == QLatin1Char('.') && !afterPoint) {
            afterPoint = true;
            hasDigits = true;
        } else if (c == QLatin1Char(',') && !afterPoint) {
            grouped = true;
        } else {
            (hasDigits ? suffix : prefix) += c;
        }
    }
}

void NumberPattern::takeDigitPlace(QChar c, bool afterPoint)
{
    hasDigits = true;
    const bool required = c == QLatin1Char('0');
    if (afterPoint) {
        ++maxDecimals;
        if (required)
            minDecimals = maxDecimals;
    } else if (required) {
        ++minIntegerDigits;
    }
}

QString NumberPattern::integerText(const QString& digits) const
{
    // '#' places print nothing for a zero integer part: "#####" leaves zero blank.
    QString text = digits == QLatin1String("0") ? QString() : digits;
    while (text.size() < minIntegerDigits)
        text.prepend(QLatin1Char('0'));
    if (grouped) {
        const QString separator = QLocale().groupSeparator();
        for (qsizetype i = text.size() - 3; i > 0; i -= 3)
            text.insert(i, separator);
    }
    return text;
}

QString NumberPattern::format(double magnitude, bool negative) const
{
    if (!hasDigits)
        return prefix + suffix;
    const double scale = std::pow(10.0, maxDecimals);
    const QString digits = QString::number(std::round(magnitude * scale) / scale, 'f', maxDecimals);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    QString decimals = point < 0 ? QString() : digits.mid(point + 1);
    while (decimals.size() > minDecimals && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    QString text = prefix;
    if (negative)
        text += QLatin1Char('-');
    text += integerText(point < 0 ? digits : digits.left(point));
    if (!decimals.isEmpty())
        text += QLocale().decimalPoint() + decimals;
    return text + suffix;
}

bool roundsToZero(const QString& section, double value)
{
    if (section.isEmpty())
        return value == 0;
    const NumberPattern pattern(section);
    return std::round(std::fabs(value) * std::pow(10.0, pattern.maxDecimals)) == 0;
}

// The date field a mask holds at a position, longest first; its length is 0 for a
// character printed as it stands.
struct DateField {
    int length = 0;
    QString text;
};

DateField dateField(const QString& mask, qsizetype at, const QDate& date)
{
    const auto twoDigits = [](int n) {
        return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    };
    const std::pair<const char*, QString> fields[] = {
        {"yyyy", QString::number(date.year())}, {"yy", twoDigits(date.year() % 100)},
        {"mm", twoDigits(date.month())},        {"m", QString::number(date.month())},
        {"dd", twoDigits(date.day())},          {"d", QString::number(date.day())}};
    for (const auto& [name, text] : fields) {
        const qsizetype length = qstrlen(name);
        if (mask.mid(at, length).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return {int(length), text};
    }
    return {};
}

} // namespace

QString DisplayMask::formatNumber(const QString& mask, double value)
{
    const QStringList parts = sections(mask);
    const bool useNegative = value < 0 && parts.size() > 1 && !parts[1].isEmpty();
    const QString& section = useNegative ? parts[1] : parts[0];
    if (parts.size() > 2 && !parts[2].isEmpty() && roundsToZero(section, value))
        return NumberPattern(parts[2]).format(0, false);
    if (section.isEmpty())
        return FieldValue::formatFloat(value);
    // A value that rounds to zero gets no sign: "###0" prints -0.2 as "0".
    const bool sign = value < 0 && !useNegative && !roundsToZero(section, value);
    return NumberPattern(section).format(std::fabs(value), sign);
}

QString DisplayMask::formatDate(const QString& mask, const QDate& date)
{
    if (!date.isValid())
        return {};
    QString text;
    for (qsizetype i = 0; i < mask.size();) {
        const DateField field = dateField(mask, i, date);
        if (field.length > 0) {
            text += field.text;
            i += field.length;
        } else {
            text += mask[i++];
        }
    }
    return text;
}
