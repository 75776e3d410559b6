#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>

// The paper a report is laid out on. Every position of a report is in millimetres from the
// top left corner of the printable area, which the margins (10 mm each unless a layout says
// otherwise) set in from the paper's edges.
struct PageSetup {
    enum class Paper { A4, A5 };

    Paper paper = Paper::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10};
    // A line around the printable area of every page.
    bool framed = false;

    QSizeF paperSize() const;
    QRectF printableArea() const;
    // The layout printers and PDF writers get: no margins of their own, because the report
    // places everything from the paper's edge itself and stationery needs it exact.
    QPageLayout pageLayout() const;
};
