#include "ReportBand.h"

#include "ReportShape.h"

#include <algorithm>

ReportBand::ReportBand(BandKind kind, double height)
    : m_kind(kind)
    , m_height(height)
{
}

ReportBand::~ReportBand() = default;

double ReportBand::contentHeight(const TextMetrics& metrics) const
{
    double height = m_height;
    for (const auto& item : m_items)
        if (item->prints())
            height = std::max(height, item->extent(metrics));
    return height;
}

QList<RenderedDocument::Item> ReportBand::render(const PrintContext& context, QPointF origin,
                                                 QSizeF size, bool sideLines) const
{
    QList<RenderedDocument::Item> out;
    for (const auto& item : m_items)
        if (item->prints())
            item->render(context, origin, out);
    addFrame(QRectF(origin, size), sideLines, out);
    return out;
}

void ReportBand::addFrame(QRectF area, bool sideLines, QList<RenderedDocument::Item>& out) const
{
    const double pen = ReportShape::penWidthMm(m_frame.penWidth);
    if (m_frame.top)
        out << RenderedDocument::line(area.topLeft(), area.topRight(), pen);
    if (m_frame.bottom)
        out << RenderedDocument::line(area.bottomLeft(), area.bottomRight(), pen);
    if (m_frame.left && sideLines)
        out << RenderedDocument::line(area.topLeft(), area.bottomLeft(), pen);
    if (m_frame.right && sideLines)
        out << RenderedDocument::line(area.topRight(), area.bottomRight(), pen);
}
