#include "ReportPdfWriter.h"

#include "EngineError.h"
#include "Messages.h"
#include "PdfFile.h"
#include "PdfFont.h"

#include <QDateTime>
#include <QPainter>
#include <QRawFont>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

constexpr double PointsPerMm = 72 / 25.4;

// An image as the rows of its samples, on white paper where it was transparent.
QByteArray samples(const QImage& image, bool gray)
{
    QImage flat(image.size(), gray ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    const int rowBytes = image.width() * (gray ? 1 : 3);
    QByteArray rows;
    rows.reserve(qsizetype(rowBytes) * image.height());
    for (int y = 0; y < flat.height(); ++y)
        rows.append(reinterpret_cast<const char*>(flat.constScanLine(y)), rowBytes);
    return rows;
}

} // namespace

ReportPdfWriter::ReportPdfWriter(const RenderedDocument& document)
    : m_document(document)
{
}

ReportPdfWriter::~ReportPdfWriter() = default;

bool ReportPdfWriter::write(const QString& path)
{
    const QString failure = QStringLiteral("Sestavu nelze uložit do souboru %1.").arg(path);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        throw EngineError(failure);
    PdfFile file(out);
    if (!writeBody(file)) {
        out.cancelWriting();
        return false;
    }
    if (!out.commit())
        throw EngineError(failure);
    return true;
}

bool ReportPdfWriter::writeBody(PdfFile& file)
{
    const int catalog = file.newObject();
    const int pageTree = file.newObject();
    const int resourceDictionary = file.newObject();
    const int information = file.newObject();
    const QRect paper = m_document.page.pageLayout().fullRectPoints();
    m_pageHeight = paper.height();
    const QByteArray pageEntries = " /Parent " + QByteArray::number(pageTree) +
                                   " 0 R /MediaBox [0 0 " + QByteArray::number(paper.width()) +
                                   ' ' + QByteArray::number(paper.height()) + "] /Resources " +
                                   QByteArray::number(resourceDictionary) + " 0 R";
    QByteArray kids;
    for (const RenderedDocument::Page& page : m_document.pages) {
        QByteArray content;
        if (!appendPage(page, file, content))
            return false;
        const int pageObject = file.newObject();
        const int contentObject = file.newObject();
        file.writeStream(contentObject, QByteArray(), content);
        file.writeObject(pageObject, "<</Type /Page" + pageEntries + " /Contents " +
                                         QByteArray::number(contentObject) + " 0 R>>");
        kids += QByteArray::number(pageObject) + " 0 R ";
    }
    for (const std::unique_ptr<PdfFont>& font : m_fonts)
        font->write(file);
    file.writeObject(resourceDictionary, resources());
    file.writeObject(pageTree, "<</Type /Pages /Kids [" + kids.trimmed() + "] /Count " +
                                   QByteArray::number(m_document.pageCount()) + ">>");
    file.writeObject(catalog, "<</Type /Catalog /Pages " + QByteArray::number(pageTree) + " 0 R>>");
    file.writeObject(information, info());
    return file.finish(catalog, information);
}

QByteArray ReportPdfWriter::resources() const
{
    QByteArray fonts;
    for (const std::unique_ptr<PdfFont>& font : m_fonts)
        fonts += font->resources();
    QByteArray images;
    for (auto it = m_images.cbegin(); it != m_images.cend(); ++it)
        images +=
            "/Im" + QByteArray::number(it.value()) + ' ' + QByteArray::number(it.value()) + " 0 R ";
    return "<</ProcSet [/PDF /Text /ImageB /ImageC] /Font <<" + fonts + ">> /XObject <<" + images +
           ">>>>";
}

QByteArray ReportPdfWriter::info() const
{
    const QString title = m_document.title.isEmpty() ? m_document.reportName : m_document.title;
    const QByteArray program = PdfFile::textString(Messages::programName());
    return "<</Title " + PdfFile::textString(title) + " /Creator " + program + " /Producer " +
           program + " /CreationDate (D:" +
           QDateTime::currentDateTimeUtc().toString(u"yyyyMMddHHmmss").toLatin1() + "Z)>>";
}

bool ReportPdfWriter::appendPage(const RenderedDocument::Page& page, PdfFile& file,
                                 QByteArray& content)
{
    PageState state;
    content = "0 J\n"; // lines end where they end, as the painter's flat caps
    for (const RenderedDocument::Item& item : page.items) {
        switch (item.kind) {
        case RenderedDocument::Item::Kind::Text:
            if (!appendText(item, file, state, content))
                return false;
            break;
        case RenderedDocument::Item::Kind::Line:
            appendLine(item, content);
            break;
        case RenderedDocument::Item::Kind::Image:
            appendImage(item, file, content);
            break;
        }
    }
    return true;
}

void ReportPdfWriter::appendPoint(QPointF mm, QByteArray& content) const
{
    PdfFile::appendNumber(content, mm.x() * PointsPerMm);
    content += ' ';
    PdfFile::appendNumber(content, m_pageHeight - mm.y() * PointsPerMm);
}

void ReportPdfWriter::appendRect(const QRectF& mm, QByteArray& content) const
{
    appendPoint(mm.bottomLeft(), content);
    content += ' ';
    PdfFile::appendNumber(content, mm.width() * PointsPerMm);
    content += ' ';
    PdfFile::appendNumber(content, mm.height() * PointsPerMm);
    content += " re";
}

bool ReportPdfWriter::appendText(const RenderedDocument::Item& item, PdfFile& file,
                                 PageState& state, QByteArray& content)
{
    const FontUse& use = fontFor(item.font, file);
    if (!use.font)
        return false;
    const bool clipped = !item.clip.isNull();
    if (item.opaque) {
        content += "1 g ";
        appendRect(clipped ? item.clip : item.rect, content);
        content += " f 0 g\n";
    }
    if (clipped) {
        content += "q ";
        appendRect(item.clip, content);
        content += " W n\n";
    }
    content += "BT ";
    if (use.resource != state.resource) {
        content += use.resource + ' ';
        PdfFile::appendNumber(content, use.points);
        content += " Tf ";
        state.resource = use.resource;
    }
    appendPoint(item.rect.topLeft() + QPointF(0, m_metrics.ascent(item.font)), content);
    content += " Td ";
    if (!use.font->appendText(item.text, content))
        return false;
    content += " Tj ET\n";
    if (clipped) {
        content += "Q\n";
        state = {}; // the font went back with the clip
    }
    return true;
}

void ReportPdfWriter::appendLine(const RenderedDocument::Item& item, QByteArray& content) const
{
    PdfFile::appendNumber(content, item.penWidth * PointsPerMm);
    content += " w ";
    appendPoint(item.rect.topLeft(), content);
    content += " m ";
    appendPoint(item.rect.bottomRight(), content);
    content += " l S\n";
}

void ReportPdfWriter::appendImage(const RenderedDocument::Item& item, PdfFile& file,
                                  QByteArray& content)
{
    if (item.image.isNull())
        return;
    const QByteArray name = "/Im" + QByteArray::number(imageObject(item.image, file));
    content += "q ";
    PdfFile::appendNumber(content, item.rect.width() * PointsPerMm);
    content += " 0 0 ";
    PdfFile::appendNumber(content, item.rect.height() * PointsPerMm);
    content += ' ';
    appendPoint(item.rect.bottomLeft(), content);
    content += " cm " + name + " Do Q\n";
}

int ReportPdfWriter::imageObject(const QImage& image, PdfFile& file)
{
    const auto known = m_images.constFind(image.cacheKey());
    if (known != m_images.constEnd())
        return known.value();
    const int number = file.newObject();
    const bool gray = image.allGray();
    file.writeStream(number,
                     "/Type /XObject /Subtype /Image /Width " + QByteArray::number(image.width()) +
                         " /Height " + QByteArray::number(image.height()) + " /ColorSpace " +
                         (gray ? "/DeviceGray" : "/DeviceRGB") + " /BitsPerComponent 8",
                     samples(image, gray));
    m_images.insert(image.cacheKey(), number);
    return number;
}

const ReportPdfWriter::FontUse& ReportPdfWriter::fontFor(const ReportFont& font, PdfFile& file)
{
    const QString key =
        font.face + u'/' + QString::number(font.size) + (font.bold ? u"/b"_s : QString());
    auto known = m_fontUses.find(key);
    if (known != m_fontUses.end())
        return known.value();
    FontUse use;
    const QRawFont sized = m_metrics.rawFont(font);
    use.font = sized.isValid() ? faceFor(font, sized) : nullptr;
    if (use.font) {
        use.resource = use.font->resourceName(sized, file);
        use.points = sized.pixelSize() * 72 / m_metrics.dotsPerInch();
    }
    return m_fontUses.insert(key, use).value();
}

PdfFont* ReportPdfWriter::faceFor(const ReportFont& font, const QRawFont& sized)
{
    const QString key = font.face + (font.bold ? u"/b"_s : QString());
    const auto known = m_faces.constFind(key);
    if (known != m_faces.constEnd())
        return known.value();
    // A bold the font has no face for is made up by the painter, which this file cannot do.
    const bool madeUpBold = font.bold && sized.weight() < QFont::DemiBold;
    PdfFont* face = nullptr;
    if (!madeUpBold) {
        auto made = std::make_unique<PdfFont>(sized, int(m_fonts.size()) + 1);
        if (made->isValid()) {
            face = made.get();
            m_fonts.push_back(std::move(made));
        }
    }
    m_faces.insert(key, face);
    return face;
}
