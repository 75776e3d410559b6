#include "Printable.h"

#include "TextMetrics.h"

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
    const double textWidth = context.metrics.width(m_font, text);
    const double lineHeight = context.metrics.lineHeight(m_font);
    const double boxLeft = origin.x() + m_left;
    const double y = origin.y() + top;
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
    item.text = text;
    item.font = m_font;
    out << item;
}
