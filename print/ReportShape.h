#pragma once

#include "Printable.h"

// A rule or a box. A horizontal line runs the width from the top left corner, a vertical one
// the height. Pen widths are pixels of the 96 dpi screen the layouts were drawn on (1 is
// about 0.26 mm), so a rule keeps the weight it had in the designer.
class ReportShape : public Printable {
public:
    enum class Kind { HorizontalLine, VerticalLine, Rectangle };

    ReportShape(Kind kind, double left, double top, double width, double height);

    Kind kind() const { return m_kind; }
    double penWidth() const { return m_penWidth; }
    void setPenWidth(double pixels) { m_penWidth = pixels; }

    void render(const PrintContext& context, QPointF origin,
                QList<RenderedDocument::Item>& out) override;

    // A pen width of the layouts in mm.
    static double penWidthMm(double pixels);

private:
    Kind m_kind;
    double m_penWidth = 1;
};
