#pragma once

#include <QByteArray>
#include <QHash>
#include <QRectF>
#include <QSet>

class QRawFont;

// The tables of a font with TrueType outlines, as a PDF file embeds it: its metrics in the
// font's own units and a copy that keeps only the glyphs a document shows. Fonts with other
// outlines give an invalid instance.
class TrueTypeFont {
public:
    explicit TrueTypeFont(const QRawFont& font);

    bool isValid() const { return m_valid; }
    // Whether the face itself is bold, rather than a bold made up from a lighter face.
    bool isBold() const { return m_bold; }
    // Whether the font's licence lets a document carry its outlines.
    bool isEmbeddable() const { return m_embeddable; }
    int unitsPerEm() const { return m_unitsPerEm; }
    int glyphCount() const { return m_glyphCount; }
    int ascender() const { return m_ascender; }
    int descender() const { return m_descender; }
    // xMin, yMin, xMax and yMax of every glyph together.
    QRectF boundingBox() const { return m_box; }
    int advance(quint32 glyph) const;
    // The name the font gives for PostScript and PDF files, empty when it gives none.
    QByteArray postScriptName() const { return m_postScriptName; }

    // A font file with every glyph number kept, so texts need no renumbering, and the
    // outlines of only these glyphs (with the glyphs they are composed of) and glyph 0.
    QByteArray subset(const QSet<quint32>& glyphs) const;

private:
    bool readTables(const QRawFont& font);
    bool readHeader();
    void readPostScriptName(const QByteArray& names);
    void readStyle(const QByteArray& os2);
    quint32 glyphOffset(quint32 glyph) const;
    QSet<quint32> withComponents(QSet<quint32> glyphs) const;
    void addComponents(quint32 glyph, QList<quint32>& pending) const;
    QByteArray cutOutlines(const QSet<quint32>& kept, QByteArray& loca) const;

    QHash<QByteArray, QByteArray> m_tables;
    QByteArray m_hmtx;
    QByteArray m_loca;
    QByteArray m_glyf;
    bool m_valid = false;
    bool m_longOffsets = false;
    int m_unitsPerEm = 1000;
    int m_glyphCount = 0;
    int m_metricCount = 0;
    int m_ascender = 0;
    int m_descender = 0;
    QRectF m_box;
    QByteArray m_postScriptName;
    bool m_bold = false;
    bool m_embeddable = true;
};
