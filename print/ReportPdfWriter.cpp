#include "ReportPdfWriter.h"

#include "Messages.h"
#include "PdfFile.h"
#include "PdfFont.h"

#include <QDateTime>
#include <QRawFont>

#include <algorithm>

namespace {

constexpr double PointsPerMm = 72 / 25.4;

// The rows of an image's samples, converted to a format of so many bytes per pixel.
QByteArray samples(const QImage& image, QImage::Format format, int bytesPerPixel)
{
    const QImage converted = image.convertToFormat(format);
    const int rowBytes = image.width() * bytesPerPixel;
    QByteArray rows;
    rows.reserve(qsizetype(rowBytes) * image.height());
    for (int y = 0; y < converted.height(); ++y)
        rows.append(reinterpret_cast<const char*>(converted.constScanLine(y)), rowBytes);
    return rows;
}

// The image's alpha channel, empty when every pixel is opaque.
QByteArray transparency(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return {};
    const QByteArray alpha = samples(image, QImage::Format_Alpha8, 1);
    const bool opaque = std::all_of(alpha.cbegin(), alpha.cend(),
                                    [](char a) { return static_cast<unsigned char>(a) == 255; });
    return opaque ? QByteArray() : alpha;
}

QByteArray imageDictionary(const QImage& image, const QByteArray& colourSpace)
{
    return "/Type /XObject /Subtype /Image /Width " + QByteArray::number(image.width()) +
           " /Height " + QByteArray::number(image.height()) + " /ColorSpace " + colourSpace +
           " /BitsPerComponent 8";
}

} // namespace

ReportPdfWriter::ReportPdfWriter(const RenderedDocument& document)
    : m_document(document)
{
}

ReportPdfWriter::~ReportPdfWriter() = default;

QByteArray ReportPdfWriter::toPdf()
{
    PdfFile file;
    return writeBody(file) ? file.finish(m_catalog, m_information) : QByteArray();
}

bool ReportPdfWriter::writeBody(PdfFile& file)
{
    m_catalog = file.newObject();
    const int pageTree = file.newObject();
    const int resourceDictionary = file.newObject();
    m_information = file.newObject();
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
    file.writeObject(m_catalog,
                     "<</Type /Catalog /Pages " + QByteArray::number(pageTree) + " 0 R>>");
    file.writeObject(m_information, info());
    return true;
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
    const QByteArray program = PdfFile::textString(Messages::programName());
    return "<</Title " + PdfFile::textString(m_document.fileTitle()) + " /Creator " + program +
           " /Producer " + program + " /CreationDate (D:" +
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
    QByteArray dictionary;
    // What shows through a transparent picture stays, as the painter keeps it with a mask.
    const QByteArray alpha = transparency(image);
    if (!alpha.isEmpty()) {
        const int mask = file.newObject();
        file.writeStream(mask, imageDictionary(image, "/DeviceGray"), alpha);
        dictionary = " /SMask " + QByteArray::number(mask) + " 0 R";
    }
    if (image.allGray())
        file.writeStream(number, imageDictionary(image, "/DeviceGray") + dictionary,
                         samples(image, QImage::Format_Grayscale8, 1));
    else
        file.writeStream(number, imageDictionary(image, "/DeviceRGB") + dictionary,
                         samples(image, QImage::Format_RGB888, 3));
    m_images.insert(image.cacheKey(), number);
    return number;
}

const ReportPdfWriter::FontUse& ReportPdfWriter::fontFor(const ReportFont& font, PdfFile& file)
{
    auto known = m_fontUses.find(font);
    if (known != m_fontUses.end())
        return known.value();
    FontUse use;
    const QRawFont sized = m_metrics.rawFont(font);
    use.font = sized.isValid() ? faceFor(sized) : nullptr;
    // A bold the font has no face for is made up by the painter, which this file cannot do.
    if (use.font && font.bold && !use.font->isBold())
        use.font = nullptr;
    if (use.font) {
        use.resource = use.font->resourceName(sized, file);
        use.points = sized.pixelSize() * 72 / m_metrics.dotsPerInch();
    }
    return m_fontUses.insert(font, use).value();
}

PdfFont* ReportPdfWriter::faceFor(const QRawFont& sized)
{
    // One embedded font per font file, whatever names the layouts gave it.
    const QString key = sized.familyName() + u'/' + sized.styleName();
    const auto known = m_faces.constFind(key);
    if (known != m_faces.constEnd())
        return known.value();
    PdfFont* face = nullptr;
    auto made = std::make_unique<PdfFont>(sized, int(m_fonts.size()) + 1);
    if (made->isValid()) {
        face = made.get();
        m_fonts.push_back(std::move(made));
    }
    m_faces.insert(key, face);
    return face;
}
