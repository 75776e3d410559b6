#include "PageSetup.h"

#include <QPageSize>

namespace {
QPageSize pageSize(PageSetup::Paper paper)
{
    return QPageSize(paper == PageSetup::Paper::A5 ? QPageSize::A5 : QPageSize::A4);
}
} // namespace

QSizeF PageSetup::paperSize() const
{
    const QSizeF portrait = pageSize(paper).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
}

QRectF PageSetup::printableArea() const
{
    return QRectF(QPointF(0, 0), paperSize()).marginsRemoved(margins);
}

QPageLayout PageSetup::pageLayout() const
{
    return QPageLayout(pageSize(paper), orientation, QMarginsF(), QPageLayout::Millimeter);
}
