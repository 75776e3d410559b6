#include "TextMetrics.h"

namespace {
constexpr double MeasureDpi = 1200;
constexpr double MmPerInch = 25.4;
} // namespace

TextMetrics::TextMetrics()
    : m_device(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMeter = qRound(MeasureDpi * 1000 / MmPerInch);
    m_device.setDotsPerMeterX(dotsPerMeter);
    m_device.setDotsPerMeterY(dotsPerMeter);
}

TextMetrics::~TextMetrics() = default;

const QFontMetricsF& TextMetrics::metrics(const ReportFont& font) const
{
    const QString key = font.face + QLatin1Char('/') + QString::number(font.size) +
                        (font.bold ? QStringLiteral("/b") : QString());
    auto it = m_cache.find(key);
    if (it == m_cache.end())
        it = m_cache.insert(key, std::make_shared<QFontMetricsF>(font.toQFont(), &m_device));
    return *it.value();
}

double TextMetrics::toMm(double pixels) const
{
    return pixels * MmPerInch / m_device.logicalDpiY();
}

double TextMetrics::ascent(const ReportFont& font) const
{
    return toMm(metrics(font).ascent());
}

double TextMetrics::lineHeight(const ReportFont& font) const
{
    return toMm(metrics(font).height());
}

double TextMetrics::width(const ReportFont& font, const QString& text) const
{
    return toMm(metrics(font).horizontalAdvance(text));
}
