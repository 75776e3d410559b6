#pragma once

#include "RenderedDocument.h"

#include <QByteArray>

#include <functional>

class QPagedPaintDevice;
class QPainter;

// The one painting path of reports: the preview, the printer and PDF files all get their
// pages from here, so what the user sees is what comes out.
class ReportPainter {
public:
    // Sets the device up for the document's paper, without margins of its own.
    static void setUp(QPagedPaintDevice& device, const RenderedDocument& document);
    // Paints every page. pageDone hears each finished page (from 1) and stops the run by
    // returning false. False when the device cannot be painted on or the run was stopped.
    static bool paint(const RenderedDocument& document, QPagedPaintDevice& device,
                      const std::function<bool(int)>& pageDone = {});
    // One page onto a painter whose origin is the paper's top left corner.
    static void paintPage(const RenderedDocument::Page& page, QPainter& painter);
    // Writes the file itself where it can, and through the painter where a text needs it.
    // Throws EngineError when the file cannot be written, leaving an earlier file as it was.
    static void writePdf(const RenderedDocument& document, const QString& path);

private:
    // The document painted into a PDF, empty when it could not be.
    static QByteArray paintedPdf(const RenderedDocument& document);
};
