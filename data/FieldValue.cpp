#include "FieldValue.h"

#include "DateText.h"
#include "EngineError.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

[[noreturn]] void conversionError(const FieldDef& field, const QString& text, const QString& what)
{
    throw EngineError(QStringLiteral("„%1“ není %2 (pole %3).").arg(text, what, field.name),
                      EngineError::Kind::Conversion);
}

bool fitsInteger(qint64 v);

} // namespace

int FieldValue::wholeNumberOf(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw EngineError(QStringLiteral("„%1“ není platné celé číslo.").arg(text),
                          EngineError::Kind::Conversion);
    return value;
}

namespace {

bool fitsInteger(qint64 v)
{
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

qint64 parseInteger(const FieldDef& field, const QString& text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || !fitsInteger(v))
        conversionError(field, text, QStringLiteral("platné celé číslo"));
    return v;
}

// Integer fields hold 32 bits, as they always have: a larger value would be read back
// differently by older data and tools.
qint64 checkedInteger(const FieldDef& field, qint64 v)
{
    if (!fitsInteger(v))
        throw EngineError(QStringLiteral("Číslo %1 je pro pole %2 příliš velké (nejvýše ±%3).")
                              .arg(v)
                              .arg(field.name)
                              .arg(std::numeric_limits<qint32>::max()),
                          EngineError::Kind::Conversion);
    return v;
}

// Characters as a reader counts them: a letter outside the basic plane is one, not two.
qsizetype characterCount(const QString& text)
{
    qsizetype count = 0;
    for (const QChar c : text)
        if (!c.isLowSurrogate())
            ++count;
    return count;
}

bool holdsControlCharacter(const QString& text)
{
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return true;
    return false;
}

bool parseBoolean(const FieldDef& field, const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1") || t == QLatin1String("ano"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("0") || t == QLatin1String("ne"))
        return false;
    conversionError(field, text, QStringLiteral("logická hodnota"));
}

QVariant normalizeText(const FieldDef& field, const QString& text)
{
    if (text.isEmpty())
        return {};
    if (field.type != FieldType::Text)
        return text;
    if (field.size > 0 && characterCount(text) > field.size)
        throw EngineError(QStringLiteral("Text je pro pole %1 příliš dlouhý (nejvýše %2 znaků).")
                              .arg(field.name)
                              .arg(field.size),
                          EngineError::Kind::TooLong);
    // A line break or tab in a one-line field breaks lists, envelopes and exports.
    if (holdsControlCharacter(text))
        throw EngineError(QStringLiteral("Pole %1 smí obsahovat jen jeden řádek textu, bez konců "
                                         "řádků a tabulátorů.")
                              .arg(field.name),
                          EngineError::Kind::Conversion);
    return text;
}

} // namespace

QVariant FieldValue::normalize(const FieldDef& field, const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    const bool isString = value.typeId() == QMetaType::QString;
    if (isString && value.toString().trimmed().isEmpty() && field.type != FieldType::Text &&
        field.type != FieldType::Memo)
        return {};
    switch (field.type) {
    case FieldType::Text:
    case FieldType::Memo:
        if (value.typeId() == QMetaType::QDate)
            return normalizeText(field, DateText::format(value.toDate()));
        if (value.typeId() == QMetaType::Double)
            return normalizeText(field, formatFloat(value.toDouble()));
        return normalizeText(field, value.toString());
    case FieldType::Integer:
        if (isString)
            return parseInteger(field, value.toString());
        if (value.typeId() == QMetaType::Double) {
            const double d = value.toDouble();
            if (!std::isfinite(d) || d != std::trunc(d) ||
                std::abs(d) > double(std::numeric_limits<qint32>::max()) + 1)
                conversionError(field, formatFloat(d), QStringLiteral("platné celé číslo"));
            return checkedInteger(field, qint64(d));
        }
        return checkedInteger(field, value.toLongLong());
    case FieldType::Float:
        if (isString) {
            double d = 0;
            if (!parseFloat(value.toString(), &d))
                conversionError(field, value.toString(), QStringLiteral("platné číslo"));
            return d;
        }
        if (!std::isfinite(value.toDouble()))
            conversionError(field, value.toString(), QStringLiteral("platné číslo"));
        return value.toDouble();
    case FieldType::Date:
        if (isString) {
            const QDate d = DateText::parse(value.toString());
            if (!d.isValid())
                conversionError(field, value.toString(), QStringLiteral("platné datum"));
            return d;
        }
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().date();
        if (value.typeId() != QMetaType::QDate || !value.toDate().isValid())
            conversionError(field, value.toString(), QStringLiteral("platné datum"));
        return value.toDate();
    case FieldType::Boolean:
        if (isString)
            return parseBoolean(field, value.toString());
        return value.toBool();
    }
    return {};
}

QString FieldValue::toText(const FieldDef& field, const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (field.type) {
    case FieldType::Float:
        return formatFloat(value.toDouble());
    case FieldType::Date:
        return DateText::format(value.toDate());
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Integer:
        // The generic conversion looks the pair of types up for every value.
        if (value.typeId() == QMetaType::LongLong)
            return QString::number(*static_cast<const qint64*>(value.constData()));
        return value.toString();
    default:
        return value.toString();
    }
}

qint64 FieldValue::toInteger(const FieldDef& field, const QVariant& value)
{
    if (value.isNull())
        return 0;
    switch (field.type) {
    case FieldType::Text:
    case FieldType::Memo:
        return parseInteger(field, value.toString());
    case FieldType::Float:
        return qint64(std::llround(value.toDouble()));
    case FieldType::Date:
        conversionError(field, toText(field, value), QStringLiteral("celé číslo"));
    default:
        return value.toLongLong();
    }
}

double FieldValue::toFloat(const FieldDef& field, const QVariant& value)
{
    if (value.isNull())
        return 0.0;
    if (field.type == FieldType::Text || field.type == FieldType::Memo) {
        double d = 0;
        if (!parseFloat(value.toString(), &d))
            conversionError(field, value.toString(), QStringLiteral("platné číslo"));
        return d;
    }
    if (field.type == FieldType::Date)
        conversionError(field, toText(field, value), QStringLiteral("číslo"));
    return value.toDouble();
}

bool FieldValue::toBoolean(const FieldDef& field, const QVariant& value)
{
    if (value.isNull())
        return false;
    if (field.type == FieldType::Text || field.type == FieldType::Memo)
        return parseBoolean(field, value.toString());
    return value.toBool();
}

QDate FieldValue::toDate(const FieldDef& field, const QVariant& value)
{
    if (value.isNull())
        return {};
    if (field.type == FieldType::Date)
        return value.toDate();
    if (field.type == FieldType::Text || field.type == FieldType::Memo) {
        const QDate d = DateText::parse(value.toString());
        if (!d.isValid())
            conversionError(field, value.toString(), QStringLiteral("platné datum"));
        return d;
    }
    conversionError(field, toText(field, value), QStringLiteral("datum"));
}

QString FieldValue::formatFloat(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

bool FieldValue::parseFloat(const QString& text, double* out)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    *out = d;
    return true;
}
