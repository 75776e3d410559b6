#include "ReportMemo.h"

#include "TextMetrics.h"

ReportMemo::ReportMemo(double left, double top, double width, double height)
    : Printable(left, top)
{
    setWidth(width);
    setHeight(height);
}

QStringList ReportMemo::wrapped(const QString& line, const TextMetrics& metrics) const
{
    if (!m_wordWrap || width() <= 0 || metrics.width(font(), line) <= width())
        return {line};
    QStringList result;
    QString current;
    bool started = false;
    for (const QString& word : line.split(QLatin1Char(' '))) {
        const QString candidate = started ? current + QLatin1Char(' ') + word : word;
        if (started && metrics.width(font(), candidate) > width()) {
            result << current;
            current = word;
        } else {
            current = candidate;
        }
        started = true;
    }
    result << current;
    return result;
}

QStringList ReportMemo::laidOutLines(const TextMetrics& metrics) const
{
    QStringList result;
    for (const QString& line : m_lines)
        result << wrapped(line, metrics);
    return result;
}

bool ReportMemo::fitsInBox(int lineCount, double lineHeight) const
{
    constexpr double Tolerance = 0.01;
    return m_autoStretch || height() <= 0 || lineCount * lineHeight <= height() + Tolerance;
}

void ReportMemo::render(const PrintContext& context, QPointF origin,
                        QList<RenderedDocument::Item>& out)
{
    const double lineHeight = context.metrics.lineHeight(font());
    const QStringList lines = laidOutLines(context.metrics);
    for (int i = 0; i < lines.size() && fitsInBox(i + 1, lineHeight); ++i)
        addTextLine(lines[i], top() + i * lineHeight, context, origin, out);
}

double ReportMemo::extent(const TextMetrics& metrics) const
{
    if (!m_autoStretch)
        return 0;
    return top() + laidOutLines(metrics).size() * metrics.lineHeight(font());
}
