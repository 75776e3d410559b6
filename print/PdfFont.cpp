#include "PdfFont.h"

#include "PdfFile.h"

#include <QSet>

namespace {

void appendHex4(QByteArray& out, quint32 value)
{
    static const char digits[] = "0123456789ABCDEF";
    const char hex[4] = {digits[(value >> 12) & 0xF], digits[(value >> 8) & 0xF],
                         digits[(value >> 4) & 0xF], digits[value & 0xF]};
    out.append(hex, 4);
}

} // namespace

PdfFont::PdfFont(const QRawFont& font, int index)
    : m_raw(font)
    , m_font(font)
    , m_index(index)
    , m_glyphs(0x10000, -1)
{
}

QByteArray PdfFont::resourceName(const QRawFont& sized, PdfFile& file)
{
    for (const Size& known : m_sizes)
        if (known.sized.pixelSize() == sized.pixelSize())
            return known.name;
    m_sizes.append(
        {sized, "/F" + QByteArray::number(m_index) + 's' + QByteArray::number(m_sizes.size() + 1),
         file.newObject()});
    return m_sizes.last().name;
}

QByteArray PdfFont::resources() const
{
    QByteArray entries;
    for (const Size& size : m_sizes)
        entries += size.name + ' ' + QByteArray::number(size.number) + " 0 R ";
    return entries;
}

bool PdfFont::drawnAlone(QChar c)
{
    // Letters of these scripts are drawn one glyph each, as the font maps them; marks,
    // controls, surrogates and the scripts that join or reorder letters need shaping.
    switch (c.script()) {
    case QChar::Script_Common:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
        break;
    default:
        return false;
    }
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return !c.isMark();
    }
}

quint32 PdfFont::glyphOf(QChar c)
{
    qint32& known = m_glyphs[c.unicode()];
    if (known >= 0)
        return quint32(known);
    known = 0;
    if (!drawnAlone(c))
        return 0;
    const QList<quint32> glyphs = m_raw.glyphIndexesForString(QString(c));
    if (glyphs.size() != 1 || glyphs.first() == 0 || glyphs.first() >= quint32(m_font.glyphCount()))
        return 0;
    known = qint32(glyphs.first());
    if (!m_letters.contains(glyphs.first())) // a space and a no-break space may share one
        m_letters.insert(glyphs.first(), c.unicode());
    return glyphs.first();
}

bool PdfFont::appendText(const QString& text, QByteArray& out)
{
    out += '<';
    for (const QChar c : text) {
        const quint32 glyph = glyphOf(c);
        if (glyph == 0)
            return false;
        appendHex4(out, glyph);
    }
    out += '>';
    return true;
}

int PdfFont::toThousandths(int fontUnits) const
{
    return qRound(fontUnits * 1000.0 / m_font.unitsPerEm());
}

QByteArray PdfFont::baseFontName() const
{
    // Six capitals and a plus say that the file holds only part of the font; they differ
    // with the glyphs kept, so subsets of two documents merged into one stay apart.
    const QList<quint32> glyphs = m_letters.keys();
    size_t hash = qHashRange(glyphs.cbegin(), glyphs.cend(), size_t(m_index));
    QByteArray name;
    for (int i = 0; i < 6; ++i, hash /= 26)
        name += char('A' + hash % 26);
    name += '+';
    if (!m_font.postScriptName().isEmpty())
        return name + m_font.postScriptName();
    for (const QChar c : m_raw.familyName() + u'-' + m_raw.styleName())
        if (c.unicode() < 128 && (c.isLetterOrNumber() || c == u'-'))
            name += char(c.unicode());
    return name;
}

QByteArray PdfFont::widths(const QRawFont& sized) const
{
    // The painter draws a font at whole dots of printer resolution, a little larger or smaller
    // than its points, and the texts were measured so; the font's own widths at the exact
    // size would let a long line drift by a tenth of a millimetre.
    const double pixels = sized.pixelSize();
    const QList<quint32> glyphs = m_letters.keys();
    const QList<QPointF> advances = sized.advancesForGlyphIndexes(glyphs);
    // Runs of consecutive glyphs share one bracket: "3 [278 278] 36 [667]".
    QByteArray out = "[";
    qint64 previous = -2;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const quint32 glyph = glyphs[i];
        if (qint64(glyph) != previous + 1) {
            if (previous >= 0)
                out += "] ";
            out += QByteArray::number(glyph) + " [";
        } else {
            out += ' ';
        }
        PdfFile::appendNumber(out, advances.value(i).x() * 1000 / pixels);
        previous = glyph;
    }
    if (previous >= 0)
        out += ']';
    return out + "]";
}

QByteArray PdfFont::toUnicode() const
{
    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    const QList<quint32> glyphs = m_letters.keys();
    for (qsizetype from = 0; from < glyphs.size(); from += 100) {
        const qsizetype count = std::min<qsizetype>(100, glyphs.size() - from);
        cmap += QByteArray::number(count) + " beginbfchar\n";
        for (qsizetype i = from; i < from + count; ++i) {
            cmap += '<';
            appendHex4(cmap, glyphs[i]);
            cmap += "> <";
            appendHex4(cmap, m_letters.value(glyphs[i]));
            cmap += ">\n";
        }
        cmap += "endbfchar\n";
    }
    return cmap + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

void PdfFont::writeSize(PdfFile& file, const Size& size, const QByteArray& fontName, int descriptor,
                        int unicode) const
{
    const int cidFont = file.newObject();
    file.writeObject(size.number, "<</Type /Font /Subtype /Type0 /BaseFont /" + fontName +
                                      " /Encoding /Identity-H /DescendantFonts [" +
                                      QByteArray::number(cidFont) + " 0 R] /ToUnicode " +
                                      QByteArray::number(unicode) + " 0 R>>");
    file.writeObject(cidFont, "<</Type /Font /Subtype /CIDFontType2 /BaseFont /" + fontName +
                                  " /CIDSystemInfo <</Registry (Adobe) /Ordering (Identity) "
                                  "/Supplement 0>> /FontDescriptor " +
                                  QByteArray::number(descriptor) +
                                  " 0 R /CIDToGIDMap /Identity /W " + widths(size.sized) + ">>");
}

void PdfFont::write(PdfFile& file) const
{
    // Every size shares the one embedded file and its letters; only the widths differ.
    const int descriptor = file.newObject();
    const int fontFile = file.newObject();
    const int unicode = file.newObject();
    const QByteArray name = baseFontName();
    const QRectF box = m_font.boundingBox();
    const QByteArray ascent = QByteArray::number(toThousandths(m_font.ascender()));
    for (const Size& size : m_sizes)
        writeSize(file, size, name, descriptor, unicode);
    file.writeObject(descriptor, "<</Type /FontDescriptor /FontName /" + name +
                                     " /Flags 4 /FontBBox [" +
                                     QByteArray::number(toThousandths(int(box.left()))) + ' ' +
                                     QByteArray::number(toThousandths(int(box.top()))) + ' ' +
                                     QByteArray::number(toThousandths(int(box.right()))) + ' ' +
                                     QByteArray::number(toThousandths(int(box.bottom()))) +
                                     "] /ItalicAngle 0 /Ascent " + ascent + " /Descent " +
                                     QByteArray::number(toThousandths(m_font.descender())) +
                                     " /CapHeight " + ascent + " /StemV 80 /FontFile2 " +
                                     QByteArray::number(fontFile) + " 0 R>>");
    const QList<quint32> used = m_letters.keys();
    const QByteArray subset = m_font.subset(QSet<quint32>(used.cbegin(), used.cend()));
    file.writeStream(fontFile, " /Length1 " + QByteArray::number(subset.size()), subset);
    file.writeStream(unicode, QByteArray(), toUnicode());
}
