#include "WeightCheck.h"

#include <QLocale>

WeightCheck::WeightCheck(RangeLookup lookup)
    : m_lookup(std::move(lookup))
{
}

void WeightCheck::countLeft(const QString& countText)
{
    if (!m_rangeChecking)
        return;
    bool ok = false;
    const int count = countText.trimmed().toInt(&ok);
    m_lastCount = ok ? count : 0;
    m_countPending = true;
}

WeightCheck::Verdict WeightCheck::check(const QString& weightField, const QString& weightText)
{
    if (!m_rangeChecking || m_checkedThisKey)
        return Verdict::Passed;
    const Verdict verdict = judge(weightField, weightText);
    m_checkedThisKey = true;
    return verdict;
}

WeightCheck::Verdict WeightCheck::judge(const QString& weightField, const QString& weightText)
{
    m_checkPassed = true;
    if (!m_countPending)
        return Verdict::Passed;
    if (m_lastCount == 0 && weightText.trimmed().isEmpty())
        return Verdict::Passed;
    const double weight = decimalOf(weightText);
    m_countPending = false;
    const Range range = m_lookup(weightField);
    if (m_lastCount == 0) {
        m_checkPassed = false;
        m_countPending = true;
        m_message = QStringLiteral("Chybný počet kusů\n\r") + range.name;
        return Verdict::MissingCount;
    }
    const double average = weight / m_lastCount;
    if (range.minimum <= average && average <= range.maximum)
        return Verdict::Passed;
    m_checkPassed = false;
    m_countPending = true;
    const QLocale locale;
    const auto shortest = [&locale](double value) {
        return locale.toString(value, 'g', QLocale::FloatingPointShortest);
    };
    m_message = QStringLiteral("Průměrná váha ") + range.name + QStringLiteral("  ") +
                locale.toString(average, 'f', 2) + QStringLiteral(" kg\n\robvykle ") +
                shortest(range.minimum) + QStringLiteral("  až  ") + shortest(range.maximum) +
                QStringLiteral("  kg\n\rJe to dobře ?");
    return Verdict::UnusualAverage;
}

double WeightCheck::decimalOf(const QString& text, bool* ok)
{
    bool converted = false;
    double value = QLocale().toDouble(text.trimmed(), &converted);
    if (!converted)
        value = QLocale::c().toDouble(text.trimmed(), &converted);
    if (ok)
        *ok = converted;
    return converted ? value : 0.0;
}
