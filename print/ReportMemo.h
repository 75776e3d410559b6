#pragma once

#include "Printable.h"

#include <QStringList>

// Lines of text in a box, one under another. A line wider than the box wraps at its spaces.
// The box cuts off the lines that do not fit, unless the memo stretches: then its band grows
// to hold every line and goes on over the following pages when it has to.
class ReportMemo : public Printable {
public:
    ReportMemo(double left, double top, double width, double height);

    const QStringList& lines() const { return m_lines; }
    void setLines(const QStringList& lines) { m_lines = lines; }
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap) { m_wordWrap = wrap; }
    bool autoStretch() const { return m_autoStretch; }
    void setAutoStretch(bool stretch) { m_autoStretch = stretch; }

    void render(const PrintContext& context, QPointF origin,
                QList<RenderedDocument::Item>& out) override;
    double extent(const TextMetrics& metrics) const override;

private:
    QStringList laidOutLines(const TextMetrics& metrics) const;
    QStringList wrapped(const QString& line, const TextMetrics& metrics) const;
    bool fitsInBox(int lineCount, double lineHeight) const;

    QStringList m_lines;
    bool m_wordWrap = true;
    bool m_autoStretch = false;
};
