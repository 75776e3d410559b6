#pragma once

#include "BandKind.h"
#include "PageSetup.h"
#include "ReportFont.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>

// A generated report, before it meets a printer: its pages with every printed item at its
// place on the paper, and the bands in the order they were printed. Preview, print and PDF
// all paint this; tests read it.
class RenderedDocument {
public:
    struct Item {
        enum class Kind { Text, Line, Image };
        Kind kind = Kind::Text;
        // The printable's name, empty for frame lines.
        QString name;
        // Millimetres from the paper's top left corner. A text's box is where its letters
        // stand (one line high); a line runs from the top left to the bottom right corner.
        QRectF rect;
        // A text that is wider than its printable's fixed width is cut at this box.
        QRectF clip;
        QString text;
        ReportFont font;
        // The text's box is cleared before the text is drawn.
        bool opaque = false;
        double penWidth = 0; // mm
        QImage image;
    };

    struct Band {
        BandKind kind = BandKind::Detail;
        QString name;
        int page = 0; // from 0
        double top = 0;
        double height = 0;
    };

    // What a list report's detail rows printed, as typed values (numbers, dates, texts),
    // under the names of the printables that printed them.
    struct DataTable {
        QStringList columns;
        QList<QList<QVariant>> rows;
    };
    struct Page {
        QList<Item> items;
    };

    QString reportName;
    QString title;
    // Whose document it is (a member's number), empty for lists.
    QString subject;
    QDate printedOn;
    PageSetup page;
    QList<Page> pages;
    QList<Band> bands;
    bool listReport = false;
    DataTable table;

    // The title a file carries: the document's own, or the report's name when it has none.
    QString fileTitle() const { return title.isEmpty() ? reportName : title; }
    // The name a saved copy is offered under: the title in plain letters, the subject and
    // the day, such as "Potvrzeni-o-zaplaceni-00123-2026-12-08.pdf".
    QString pdfFileName() const;

    // A straight line with a pen width in mm.
    static Item line(QPointF from, QPointF to, double penWidth);

    int pageCount() const { return int(pages.size()); }
    int bandCount(BandKind kind) const;
    // Every item a printable put on the pages, in page order.
    QList<const Item*> itemsNamed(const QString& name) const;
    QStringList textsNamed(const QString& name) const;
};
