#pragma once

#include "RenderedDocument.h"
#include "TextMetrics.h"

#include <QHash>
#include <QRawFont>

#include <memory>
#include <vector>

class PdfFile;
class PdfFont;

// Writes a generated report straight into a PDF file: each text as one string in a font
// embedded with only the letters it uses, each line and picture where the painter would put
// it. A long list comes out in a fraction of the time and size of painting every glyph.
class ReportPdfWriter {
public:
    explicit ReportPdfWriter(const RenderedDocument& document);
    ~ReportPdfWriter();
    ReportPdfWriter(const ReportPdfWriter&) = delete;
    ReportPdfWriter& operator=(const ReportPdfWriter&) = delete;

    // The whole file, or nothing when a text needs what only the painter does (another font
    // for a missing letter, shaping, a font that is not TrueType or may not be embedded).
    QByteArray toPdf();

private:
    // A report font as the file uses it: the embedded face (none when the painter has to
    // draw it), the resource name of its size and that size in points.
    struct FontUse {
        PdfFont* font = nullptr;
        QByteArray resource;
        double points = 0;
    };
    // What a page's content has set so far, so that it is not set again for every text.
    struct PageState {
        QByteArray resource;
    };

    bool writeBody(PdfFile& file);
    bool appendPage(const RenderedDocument::Page& page, PdfFile& file, QByteArray& content);
    bool appendText(const RenderedDocument::Item& item, PdfFile& file, PageState& state,
                    QByteArray& content);
    void appendLine(const RenderedDocument::Item& item, QByteArray& content) const;
    void appendImage(const RenderedDocument::Item& item, PdfFile& file, QByteArray& content);
    void appendRect(const QRectF& mm, QByteArray& content) const;
    void appendPoint(QPointF mm, QByteArray& content) const;
    const FontUse& fontFor(const ReportFont& font, PdfFile& file);
    PdfFont* faceFor(const QRawFont& sized);
    int imageObject(const QImage& image, PdfFile& file);
    QByteArray resources() const;
    QByteArray info() const;

    const RenderedDocument& m_document;
    TextMetrics m_metrics;
    double m_pageHeight = 0; // points
    int m_catalog = 0;
    int m_information = 0;
    std::vector<std::unique_ptr<PdfFont>> m_fonts;
    QHash<QString, PdfFont*> m_faces; // nullptr: the painter's
    QHash<ReportFont, FontUse> m_fontUses;
    QHash<qint64, int> m_images; // object number by the image's cache key
};
