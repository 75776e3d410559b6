#pragma once

#include "TrueTypeFont.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QRawFont>

class PdfFile;

// One font embedded in a PDF file: texts become its glyph numbers, and the file gets the
// glyphs they used, the letters they stand for, so a reader can copy and search the words,
// and their widths at each size as the painter places them, so that a text ends where it was
// measured to end.
class PdfFont {
public:
    PdfFont(const QRawFont& font, int index);

    // False for fonts without TrueType outlines and fonts that may not be embedded.
    bool isValid() const { return m_font.isValid() && m_font.isEmbeddable(); }
    bool isBold() const { return m_font.isBold(); }
    // The name page contents select it by at one size, such as "/F1s2". The size is the
    // font as the painter draws it at printer resolution, whose advances the texts keep.
    QByteArray resourceName(const QRawFont& sized, PdfFile& file);
    // The entries of a resource dictionary for every size used.
    QByteArray resources() const;
    // Appends the text as a string of glyph numbers. False, with nothing usable appended,
    // when a letter is missing from the font or needs shaping: such a text is for the painter,
    // which falls back to other fonts and composes accents.
    bool appendText(const QString& text, QByteArray& out);
    void write(PdfFile& file) const;

private:
    static bool drawnAlone(QChar c);
    // The glyph of a letter, 0 when the font has none.
    quint32 glyphOf(QChar c);
    QByteArray baseFontName() const;

    struct Size {
        QRawFont sized;
        QByteArray name;
        int number = 0;
    };

    QByteArray widths(const QRawFont& sized) const;
    void writeSize(PdfFile& file, const Size& size, const QByteArray& fontName, int descriptor,
                   int unicode) const;
    QByteArray toUnicode() const;
    int toThousandths(int fontUnits) const;

    QRawFont m_raw;
    TrueTypeFont m_font;
    int m_index;
    QList<qint32> m_glyphs;            // by letter, -1 until looked up
    QMap<quint32, char16_t> m_letters; // glyphs used, with the letter each stands for
    QList<Size> m_sizes;
};
