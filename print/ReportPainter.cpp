#include "ReportPainter.h"

#include "EngineError.h"
#include "Messages.h"
#include "ReportPdfWriter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr double MmPerInch = 25.4;

// Paints items in millimetres onto a device counted in its own dots. Fonts stay in points,
// which the device converts by its resolution, so text is as large on paper as designed.
class PagePainter {
public:
    explicit PagePainter(QPainter& painter)
        : m_painter(painter)
        , m_dotsPerMm(painter.device()->logicalDpiY() / MmPerInch)
    {
    }

    void paint(const RenderedDocument::Item& item)
    {
        switch (item.kind) {
        case RenderedDocument::Item::Kind::Text:
            paintText(item);
            break;
        case RenderedDocument::Item::Kind::Line:
            paintLine(item);
            break;
        case RenderedDocument::Item::Kind::Image:
            m_painter.drawImage(dots(item.rect), item.image);
            break;
        }
    }

private:
    QPointF dots(QPointF mm) const { return mm * m_dotsPerMm; }
    QRectF dots(const QRectF& mm) const
    {
        return QRectF(dots(mm.topLeft()), dots(mm.bottomRight()));
    }

    void useFont(const ReportFont& font)
    {
        if (m_hasFont && font == m_font)
            return;
        m_font = font;
        m_hasFont = true;
        m_painter.setFont(font.toQFont());
        m_ascent = QFontMetricsF(m_painter.font(), m_painter.device()).ascent();
    }

    void paintText(const RenderedDocument::Item& item)
    {
        useFont(item.font);
        if (item.opaque)
            m_painter.fillRect(dots(item.clip.isNull() ? item.rect : item.clip), Qt::white);
        const QPointF baseline = dots(item.rect.topLeft()) + QPointF(0, m_ascent);
        if (item.clip.isNull()) {
            m_painter.drawText(baseline, item.text);
            return;
        }
        m_painter.save();
        m_painter.setClipRect(dots(item.clip));
        m_painter.drawText(baseline, item.text);
        m_painter.restore();
    }

    void paintLine(const RenderedDocument::Item& item)
    {
        m_painter.setPen(QPen(Qt::black, item.penWidth * m_dotsPerMm, Qt::SolidLine, Qt::FlatCap));
        m_painter.drawLine(dots(item.rect.topLeft()), dots(item.rect.bottomRight()));
    }

    QPainter& m_painter;
    double m_dotsPerMm;
    ReportFont m_font;
    bool m_hasFont = false;
    double m_ascent = 0;
};

} // namespace

void ReportPainter::setUp(QPagedPaintDevice& device, const RenderedDocument& document)
{
    // One by one, so a printer that refuses to go without margins still gets the paper
    // and its orientation right; positions are kept from the paper's edge either way.
    const QPageLayout layout = document.page.pageLayout();
    device.setPageSize(layout.pageSize());
    device.setPageOrientation(layout.orientation());
    device.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

bool ReportPainter::paint(const RenderedDocument& document, QPagedPaintDevice& device,
                          const std::function<bool(int)>& pageDone)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Printers keep a margin they cannot print on; the painter's origin is its corner, so
    // positions are moved back to count from the paper's edge.
    const double dpi = device.logicalDpiX();
    painter.translate(-device.pageLayout().paintRectPixels(int(dpi)).topLeft());
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(document.pages[i], painter);
        if (pageDone && !pageDone(i + 1))
            return false;
    }
    return painter.end();
}

void ReportPainter::paintPage(const RenderedDocument::Page& page, QPainter& painter)
{
    PagePainter pagePainter(painter);
    for (const RenderedDocument::Item& item : page.items)
        pagePainter.paint(item);
}

QByteArray ReportPainter::paintedPdf(const RenderedDocument& document)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&bytes);
        writer.setCreator(Messages::programName());
        writer.setTitle(document.fileTitle());
        setUp(writer, document);
        if (!paint(document, writer))
            return {};
    }
    return bytes.data();
}

void ReportPainter::writePdf(const RenderedDocument& document, const QString& path)
{
    const QString failure = QStringLiteral("Sestavu nelze uložit do souboru %1.").arg(path);
    QByteArray pdf = ReportPdfWriter(document).toPdf();
    if (pdf.isEmpty())
        pdf = paintedPdf(document);
    // The file is replaced only once the new one is whole, so a full disk or a file held
    // open elsewhere leaves the earlier copy as it was. A folder that takes no new files
    // but lets this one be overwritten is written in place.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (pdf.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() ||
        !file.commit())
        throw EngineError(failure);
}
