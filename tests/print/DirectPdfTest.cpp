#include "ExternalTool.h"
#include "PdfWords.h"

#include "EngineError.h"
#include "RenderedDocument.h"
#include "ReportPainter.h"
#include "ReportPdfWriter.h"
#include "TrueTypeFont.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

RenderedDocument::Item text(const QString& words, QPointF at, double size, bool bold = false)
{
    RenderedDocument::Item item;
    item.text = words;
    item.font.size = size;
    item.font.bold = bold;
    item.rect = QRectF(at, QSizeF(words.size() * size * 0.2, size * 0.4));
    return item;
}

// A page with what reports print: texts in two weights and three sizes with every Czech
// accent, a text cut at its box, a text that clears its box over a frame line, lines of
// several widths and a coloured picture with a transparent corner.
RenderedDocument sampleDocument()
{
    RenderedDocument document;
    document.reportName = u"TFormTAdresar"_s;
    document.title = u"Adresář členů"_s;
    RenderedDocument::Page page;
    page.items << text(u"Příliš žluťoučký kůň úpěl ďábelské ódy"_s, {20, 20}, 10)
               << text(u"PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ ÚPĚL ĎÁBELSKÉ ÓDY"_s, {20, 30}, 12, true)
               << text(u"Číslo 00123 – 1 250,50 Kč „zaplaceno“"_s, {20, 40}, 8);
    RenderedDocument::Item cut = text(u"Nejdelšípříjmenívůbec"_s, {20, 50}, 10);
    cut.clip = QRectF(20, 49, 18, 6);
    page.items << cut;
    page.items << RenderedDocument::line({15, 62}, {190, 62}, 0.5)
               << RenderedDocument::line({15, 70}, {190, 70}, 0.1)
               << RenderedDocument::line({100, 58}, {100, 80}, 1.0)
               << RenderedDocument::line({110, 94}, {130, 94}, 0.5); // under the picture
    RenderedDocument::Item cleared = text(u"Přes čáru"_s, {60, 60}, 10);
    cleared.opaque = true;
    page.items << cleared;
    QImage picture(40, 20, QImage::Format_ARGB32);
    picture.fill(QColor(200, 30, 30));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            picture.setPixelColor(x, y, Qt::transparent);
    RenderedDocument::Item image;
    image.kind = RenderedDocument::Item::Kind::Image;
    image.image = picture;
    image.rect = QRectF(120, 90, 40, 20);
    page.items << image;
    document.pages << page;
    RenderedDocument::Page second;
    second.items << text(u"Druhá strana"_s, {20, 20}, 14, true);
    // A face with ligatures for "fi" and "ffl", which reports draw as single letters.
    RenderedDocument::Item ligatures = text(u"office fifty waffle Josef"_s, {20, 30}, 10);
    ligatures.font.face = u"DejaVu Sans"_s;
    second.items << ligatures;
    document.pages << second;
    return document;
}

void writeDirectly(const RenderedDocument& document, const QString& path)
{
    const QByteArray pdf = ReportPdfWriter(document).toPdf();
    ASSERT_FALSE(pdf.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
}

void paintPdf(const RenderedDocument& document, const QString& path)
{
    QPdfWriter writer(path);
    ReportPainter::setUp(writer, document);
    ASSERT_TRUE(ReportPainter::paint(document, writer));
}

QImage pageImage(const QString& pdf, const QString& stem, int page)
{
    const QString first = QString::number(page);
    runTool(u"pdftoppm"_s, {u"-r"_s, u"150"_s, u"-gray"_s, u"-png"_s, u"-singlefile"_s, u"-f"_s,
                            first, u"-l"_s, first, pdf, stem});
    return QImage(stem + u".png"_s).convertToFormat(QImage::Format_Grayscale8);
}

// How far apart two pages look: the largest difference in ink, from 0 to 1, over squares
// of about a millimetre, so that letters a fraction of a pixel apart still count as alike.
double largestDifference(const QImage& a, const QImage& b)
{
    constexpr int Square = 6;
    double largest = 0;
    for (int top = 0; top + Square <= a.height(); top += Square)
        for (int left = 0; left + Square <= a.width(); left += Square) {
            int inkA = 0;
            int inkB = 0;
            for (int y = top; y < top + Square; ++y)
                for (int x = left; x < left + Square; ++x) {
                    inkA += 255 - qGray(a.pixel(x, y));
                    inkB += 255 - qGray(b.pixel(x, y));
                }
            largest = std::max(largest, std::abs(inkA - inkB) / (255.0 * Square * Square));
        }
    return largest;
}

class DirectPdf : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DirectPdf, LooksAsThePaintedFileDoesAndReadsTheSame)
{
    const RenderedDocument document = sampleDocument();
    writeDirectly(document, path(u"direct.pdf"_s));
    paintPdf(document, path(u"painted.pdf"_s));

    const QList<PdfWord> direct = pdfWords(path(u"direct.pdf"_s));
    const QList<PdfWord> painted = pdfWords(path(u"painted.pdf"_s));
    ASSERT_EQ(direct.size(), painted.size());
    for (qsizetype i = 0; i < direct.size(); ++i) {
        EXPECT_EQ(direct[i].text, painted[i].text);
        EXPECT_EQ(direct[i].page, painted[i].page);
        EXPECT_NEAR(direct[i].box.left(), painted[i].box.left(), 0.02)
            << direct[i].text.toStdString();
        EXPECT_NEAR(direct[i].box.right(), painted[i].box.right(), 0.02)
            << direct[i].text.toStdString();
        EXPECT_NEAR(direct[i].box.top(), painted[i].box.top(), 0.02)
            << direct[i].text.toStdString();
    }
    for (int page = 1; page <= 2; ++page) {
        const QImage a = pageImage(path(u"direct.pdf"_s), path(u"direct"_s), page);
        const QImage b = pageImage(path(u"painted.pdf"_s), path(u"painted"_s), page);
        ASSERT_EQ(a.size(), b.size());
        EXPECT_LT(largestDifference(a, b), 0.05) << "page " << page;
    }
}

TEST_F(DirectPdf, LeavesToThePainterWhatOnlyThePainterDraws)
{
    // An accent typed as a mark after its letter is composed by the painter.
    RenderedDocument marked = sampleDocument();
    marked.pages[1].items << text(u"Jose\u0301 Novák"_s, {20, 40}, 10);
    EXPECT_TRUE(ReportPdfWriter(marked).toPdf().isEmpty());
    ReportPainter::writePdf(marked, path(u"adresar.pdf"_s));
    const QList<PdfWord> words = pdfWords(path(u"adresar.pdf"_s));
    EXPECT_EQ(wordOf(words, u"Novák"_s).page, 1);
    EXPECT_EQ(wordOf(words, u"Příliš"_s).page, 0);

    // A face with no bold of its own gets a bold made up by the painter.
    RenderedDocument madeUpBold;
    madeUpBold.pages << RenderedDocument::Page();
    madeUpBold.pages[0].items << text(u"Tučně"_s, {20, 20}, 10, true);
    madeUpBold.pages[0].items[0].font.face = u"DejaVu Math TeX Gyre"_s;
    if (QFontInfo(madeUpBold.pages[0].items[0].font.toQFont()).family() ==
        u"DejaVu Math TeX Gyre"_s) {
        EXPECT_TRUE(ReportPdfWriter(madeUpBold).toPdf().isEmpty());
    }
}

namespace {

// Where a table of a font file starts, from its directory.
qsizetype tableOffset(const QByteArray& font, const QByteArray& tag)
{
    const int count = qFromBigEndian<quint16>(font.constData() + 4);
    for (int i = 0; i < count; ++i) {
        const char* record = font.constData() + 12 + 16 * i;
        if (QByteArray(record, 4) == tag)
            return qFromBigEndian<quint32>(record + 8);
    }
    return -1;
}

} // namespace

TEST(TrueTypeSubset, KeepsTheOutlinesOfItsLettersOnlyAndSurvivesADamagedFont)
{
    QRawFont liberation = QRawFont::fromFont(ReportFont().toQFont());
    liberation.setPixelSize(100);
    const TrueTypeFont font(liberation);
    ASSERT_TRUE(font.isValid());
    const quint32 caron = liberation.glyphIndexesForString(u"Š"_s).value(0);
    const quint32 a = liberation.glyphIndexesForString(u"A"_s).value(0);
    const QByteArray subset = font.subset({caron});

    const QRawFont cut(subset, 100);
    ASSERT_TRUE(cut.isValid());
    // Š is built of S and a caron; both parts come along.
    EXPECT_EQ(cut.pathForGlyph(caron).boundingRect().toRect(),
              liberation.pathForGlyph(caron).boundingRect().toRect());
    EXPECT_TRUE(cut.pathForGlyph(a).isEmpty());

    // The first glyph's outline said to start at the very top of the range.
    QByteArray damaged = subset;
    const qsizetype loca = tableOffset(damaged, "loca");
    ASSERT_GT(loca, 0);
    qToBigEndian<quint32>(0xFFFFFFF8u, damaged.data() + loca);
    const TrueTypeFont broken(QRawFont(damaged, 100));
    ASSERT_TRUE(broken.isValid());
    EXPECT_FALSE(broken.subset({caron}).isEmpty());
}
