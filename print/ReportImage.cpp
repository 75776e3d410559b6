#include "ReportImage.h"

namespace {
constexpr double ScreenDotsPerMm = 96 / 25.4;

double dotsPerMm(int dotsPerMeter)
{
    return dotsPerMeter > 0 ? dotsPerMeter / 1000.0 : ScreenDotsPerMm;
}
} // namespace

ReportImage::ReportImage(double left, double top, double width, double height)
    : Printable(left, top)
{
    setWidth(width);
    setHeight(height);
}

QSizeF ReportImage::naturalSize() const
{
    return QSizeF(m_picture.width() / dotsPerMm(m_picture.dotsPerMeterX()),
                  m_picture.height() / dotsPerMm(m_picture.dotsPerMeterY()));
}

QRectF ReportImage::placement(const QRectF& box) const
{
    if (m_stretched)
        return box;
    QRectF placed(box.topLeft(), naturalSize());
    if (m_centred)
        placed.moveCenter(box.center());
    return placed;
}

void ReportImage::render(const PrintContext&, QPointF origin, QList<RenderedDocument::Item>& out)
{
    if (m_picture.isNull())
        return;
    const QRectF box(origin + QPointF(left(), top()), QSizeF(width(), height()));
    const QRectF placed = placement(box);
    const QRectF visible = box.isEmpty() ? placed : placed.intersected(box);
    if (visible.isEmpty())
        return;
    const double sx = m_picture.width() / placed.width();
    const double sy = m_picture.height() / placed.height();
    const QRect source(qRound((visible.left() - placed.left()) * sx),
                       qRound((visible.top() - placed.top()) * sy), qRound(visible.width() * sx),
                       qRound(visible.height() * sy));
    RenderedDocument::Item item;
    item.kind = RenderedDocument::Item::Kind::Image;
    item.name = name();
    item.rect = visible;
    item.image = source == m_picture.rect() ? m_picture : m_picture.copy(source);
    out << item;
}
