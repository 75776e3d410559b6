#include "TextMetrics.h"

#include <QFontInfo>
#include <QTextLayout>

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

TextMetrics::Measured& TextMetrics::measured(const ReportFont& font) const
{
    if (m_last && font == m_lastFont)
        return *m_last;
    auto it = m_cache.find(font);
    if (it == m_cache.end()) {
        auto entry = std::make_shared<Measured>();
        entry->metrics = std::make_unique<QFontMetricsF>(font.toQFont(), &m_device);
        it = m_cache.insert(font, entry);
    }
    m_lastFont = font;
    m_last = it.value().get();
    return *m_last;
}

const QFontMetricsF& TextMetrics::metrics(const ReportFont& font) const
{
    return *measured(font).metrics;
}

double TextMetrics::toMm(double pixels) const
{
    return pixels * MmPerInch / m_device.logicalDpiY();
}

QRawFont TextMetrics::rawFont(const ReportFont& font) const
{
    // Laying a letter out is the one public way to the font engine the painter uses at this
    // resolution, with the size it rounded to.
    QTextLayout layout(QStringLiteral("x"), font.toQFont(), &m_device);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    // A face without the letter lends the layout another font, which is not this one.
    if (runs.size() != 1 || runs.first().rawFont().familyName().compare(
                                QFontInfo(layout.font()).family(), Qt::CaseInsensitive) != 0)
        return QRawFont();
    return runs.first().rawFont();
}

double TextMetrics::dotsPerInch() const
{
    return m_device.logicalDpiY();
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
    Measured& m = measured(font);
    const auto known = m.widths.constFind(text);
    if (known != m.widths.constEnd())
        return known.value();
    const double mm = toMm(m.metrics->horizontalAdvance(text));
    m.widths.insert(text, mm);
    return mm;
}
