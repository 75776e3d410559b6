#pragma once

#include "PrintContext.h"
#include "RenderedDocument.h"
#include "ReportFont.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <functional>

// Anything a band prints: its position in mm from the band's top left corner, a box, a
// font and an alignment for texts, and the switches a program flips while it runs. An item
// is printed only while it is both enabled and visible. The text items (labels, fields,
// expressions, system data) differ only in where their text comes from.
class Printable {
public:
    enum class Align { Left, Right, Centre };

    Printable(double left, double top);
    virtual ~Printable();
    Printable(const Printable&) = delete;
    Printable& operator=(const Printable&) = delete;

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    double left() const { return m_left; }
    double top() const { return m_top; }
    void setLeft(double left) { m_left = left; }
    void setTop(double top) { m_top = top; }
    void moveTo(double left, double top);

    // A text is aligned within the width and cut at it; width 0 lets the text take the room
    // it needs, starting at the left position.
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setWidth(double width) { m_width = width; }
    void setHeight(double height) { m_height = height; }
    Align alignment() const { return m_align; }
    void setAlignment(Align align) { m_align = align; }
    // Long data must not run into the next item or off the paper: a left-aligned text wider
    // than this room, or than the room left to the printable area's right edge, is printed
    // in a smaller font down to MinimumFitSize, and cut where even that is too wide.
    double fitWidth() const { return m_fitWidth; }
    void setFitWidth(double width) { m_fitWidth = width; }
    static constexpr double MinimumFitSize = 6;
    // A caption set on a frame line hides the line behind it.
    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool opaque) { m_opaque = opaque; }

    const ReportFont& font() const { return m_font; }
    void setFont(const ReportFont& font) { m_font = font; }
    void setFontSize(double points) { m_font.size = points; }
    void setBold(bool bold) { m_font.bold = bold; }

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    bool prints() const { return m_enabled && m_visible; }

    // The print event: sees the text about to be printed and may replace it.
    std::function<void(Printable& item, QString& text)> onPrint;

    // The text the item prints now, before the print event; empty for items without text.
    virtual QString text(const PrintContext& context) const;
    // Adds what the item prints, placed from the band's origin on the paper.
    virtual void render(const PrintContext& context, QPointF origin,
                        QList<RenderedDocument::Item>& out);
    // How far below the band's top the item needs room; 0 when the band's own height does.
    virtual double extent(const TextMetrics& metrics) const;

protected:
    // One line of text at a top position of the item's box, aligned and cut by the box.
    void addTextLine(const QString& text, double top, const PrintContext& context, QPointF origin,
                     QList<RenderedDocument::Item>& out) const;

private:
    // The width the text may take from its left edge; 0 where its box alone decides.
    double roomToTheRight(double boxLeft, const PrintContext& context) const;
    ReportFont fittedFont(const QString& text, double room, const TextMetrics& metrics) const;

    QString m_name;
    double m_left;
    double m_top;
    double m_width = 0;
    double m_height = 0;
    Align m_align = Align::Left;
    double m_fitWidth = 0;
    bool m_opaque = false;
    ReportFont m_font;
    bool m_enabled = true;
    bool m_visible = true;
};
