#pragma once

#include "ReportFont.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QRawFont>

#include <memory>

// Measures report texts in millimetres as they come out on paper. It measures on a device of
// printer resolution, so alignment and wrapping do not depend on the screen. One instance
// serves one generation and keeps the metrics of the fonts it met until then.
class TextMetrics {
public:
    TextMetrics();
    ~TextMetrics();
    TextMetrics(const TextMetrics&) = delete;
    TextMetrics& operator=(const TextMetrics&) = delete;

    double ascent(const ReportFont& font) const;
    double lineHeight(const ReportFont& font) const;
    double width(const ReportFont& font, const QString& text) const;
    // The font as it is measured and painted at printer resolution, in whole dots.
    QRawFont rawFont(const ReportFont& font) const;
    double dotsPerInch() const;

private:
    // A font's metrics and the widths of the texts measured in it so far: a list measures the
    // same towns, dates and categories row after row, and each text twice (to fit, to place).
    struct Measured {
        std::unique_ptr<QFontMetricsF> metrics;
        QHash<QString, double> widths;
    };

    Measured& measured(const ReportFont& font) const;
    const QFontMetricsF& metrics(const ReportFont& font) const;
    double toMm(double pixels) const;

    QImage m_device;
    mutable QHash<ReportFont, std::shared_ptr<Measured>> m_cache;
    // The font asked for last, which the next text mostly uses again.
    mutable ReportFont m_lastFont;
    mutable Measured* m_last = nullptr;
};
