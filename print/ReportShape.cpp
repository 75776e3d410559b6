#include "ReportShape.h"

ReportShape::ReportShape(Kind kind, double left, double top, double width, double height)
    : Printable(left, top)
    , m_kind(kind)
{
    setWidth(width);
    setHeight(height);
}

double ReportShape::penWidthMm(double pixels)
{
    return pixels * 25.4 / 96;
}

void ReportShape::render(const PrintContext&, QPointF origin, QList<RenderedDocument::Item>& out)
{
    const double pen = penWidthMm(m_penWidth);
    const QPointF topLeft = origin + QPointF(left(), top());
    const QPointF topRight = topLeft + QPointF(width(), 0);
    const QPointF bottomLeft = topLeft + QPointF(0, height());
    const QPointF bottomRight = topLeft + QPointF(width(), height());
    auto item = [&](QPointF from, QPointF to) {
        RenderedDocument::Item line = RenderedDocument::line(from, to, pen);
        line.name = name();
        out << line;
    };
    if (m_kind != Kind::VerticalLine)
        item(topLeft, topRight);
    if (m_kind != Kind::HorizontalLine)
        item(topLeft, bottomLeft);
    if (m_kind == Kind::Rectangle) {
        item(topRight, bottomRight);
        item(bottomLeft, bottomRight);
    }
}
