#pragma once

#include "Printable.h"

#include <QImage>

// A picture in a box: at its own size (from its resolution; pictures made for the screen
// have 96 dpi), at the box's top left corner or centred in it, or stretched over the box.
// What lies outside the box is cut off.
class ReportImage : public Printable {
public:
    ReportImage(double left, double top, double width, double height);

    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture) { m_picture = picture; }
    void clear() { m_picture = QImage(); }
    bool centred() const { return m_centred; }
    void setCentred(bool centred) { m_centred = centred; }
    bool stretched() const { return m_stretched; }
    void setStretched(bool stretched) { m_stretched = stretched; }

    void render(const PrintContext& context, QPointF origin,
                QList<RenderedDocument::Item>& out) override;

    // The picture's own size in mm.
    QSizeF naturalSize() const;

private:
    QRectF placement(const QRectF& box) const;

    QImage m_picture;
    bool m_centred = false;
    bool m_stretched = false;
};
