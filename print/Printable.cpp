#include "Printable.h"

#include "Report.h"
#include "TextMetrics.h"

#include <algorithm>

namespace {
// Below this, a text counts as fitting its box; measuring is finer than any printer.
constexpr double Tolerance = 0.01;
} // namespace

Printable::Printable(double left, double top)
    : m_left(left)
    , m_top(top)
{
}

Printable::~Printable() = default;

void Printable::moveTo(double left, double top)
{
    m_left = left;
    m_top = top;
}

QString Printable::text(const PrintContext&) const
{
    return {};
}

double Printable::extent(const TextMetrics&) const
{
    return 0;
}

void Printable::render(const PrintContext& context, QPointF origin,
                       QList<RenderedDocument::Item>& out)
{
    QString printed = text(context);
    if (onPrint)
        onPrint(*this, printed);
    addTextLine(printed, m_top, context, origin, out);
}

void Printable::addTextLine(const QString& text, double top, const PrintContext& context,
                            QPointF origin, QList<RenderedDocument::Item>& out) const
{
    if (text.isEmpty())
        return;
    const double boxLeft = origin.x() + m_left;
    const double y = origin.y() + top;
    const double room = roomToTheRight(boxLeft, context);
    const ReportFont font = fittedFont(text, room, context.metrics);
    const double textWidth = context.metrics.width(font, text);
    const double lineHeight = context.metrics.lineHeight(font);
    double x = boxLeft;
    if (m_width > 0 && m_align == Align::Right)
        x += m_width - textWidth;
    else if (m_width > 0 && m_align == Align::Centre)
        x += (m_width - textWidth) / 2;
    RenderedDocument::Item item;
    item.name = m_name;
    item.rect = QRectF(x, y, textWidth, lineHeight);
    if (m_width > 0 && textWidth > m_width + Tolerance)
        item.clip = QRectF(boxLeft, y, m_width, lineHeight);
    else if (room > 0 && textWidth > room + Tolerance)
        item.clip = QRectF(boxLeft, y, room, lineHeight);
    item.text = text;
    item.font = font;
    item.opaque = m_opaque;
    out << item;
}

double Printable::roomToTheRight(double boxLeft, const PrintContext& context) const
{
    // Aligned texts stay within their own box, which cuts them.
    if (m_width > 0 && m_align != Align::Left)
        return 0;
    const double toEdge = context.report.page().printableArea().right() - boxLeft;
    return m_fitWidth > 0 ? std::min(m_fitWidth, toEdge) : toEdge;
}

ReportFont Printable::fittedFont(const QString& text, double room, const TextMetrics& metrics) const
{
    ReportFont font = m_font;
    if (room <= 0)
        return font;
    // Half points are as fine as printers render type.
    while (metrics.width(font, text) > room + Tolerance && font.size - 0.5 >= MinimumFitSize)
        font.size -= 0.5;
    return font;
}
