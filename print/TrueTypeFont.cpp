#include "TrueTypeFont.h"

#include <QRawFont>
#include <QtEndian>

#include <algorithm>

namespace {

// The tables a PDF viewer needs to draw the glyphs, with the hinting programs that some use.
const QByteArrayList RequiredTables{"head", "hhea", "hmtx", "loca", "glyf", "maxp"};
const QByteArrayList OptionalTables{"cvt ", "fpgm", "prep"};

quint16 readU16(const QByteArray& data, qsizetype at)
{
    return qFromBigEndian<quint16>(data.constData() + at);
}

qint16 readI16(const QByteArray& data, qsizetype at)
{
    return qFromBigEndian<qint16>(data.constData() + at);
}

quint32 readU32(const QByteArray& data, qsizetype at)
{
    return qFromBigEndian<quint32>(data.constData() + at);
}

void writeU16(QByteArray& data, qsizetype at, quint16 value)
{
    qToBigEndian(value, data.data() + at);
}

void writeU32(QByteArray& data, qsizetype at, quint32 value)
{
    qToBigEndian(value, data.data() + at);
}

void appendU16(QByteArray& data, quint16 value)
{
    data.resize(data.size() + 2);
    writeU16(data, data.size() - 2, value);
}

void appendU32(QByteArray& data, quint32 value)
{
    data.resize(data.size() + 4);
    writeU32(data, data.size() - 4, value);
}

void padToFour(QByteArray& data)
{
    while (data.size() % 4)
        data.append('\0');
}

quint32 checksum(QByteArray data)
{
    padToFour(data);
    quint32 sum = 0;
    for (qsizetype at = 0; at < data.size(); at += 4)
        sum += readU32(data, at);
    return sum;
}

// Flags of a composite glyph's component record.
enum ComponentFlag : quint16 {
    ArgumentsAreWords = 0x0001,
    HasScale = 0x0008,
    MoreComponents = 0x0020,
    HasXAndYScale = 0x0040,
    HasTwoByTwo = 0x0080,
};

qsizetype componentSize(quint16 flags)
{
    qsizetype size = 4 + ((flags & ArgumentsAreWords) ? 4 : 2);
    if (flags & HasScale)
        size += 2;
    else if (flags & HasXAndYScale)
        size += 4;
    else if (flags & HasTwoByTwo)
        size += 8;
    return size;
}

} // namespace

TrueTypeFont::TrueTypeFont(const QRawFont& font)
{
    m_valid = readTables(font) && readHeader();
    if (m_valid)
        readPostScriptName(font.fontTable("name"));
    readStyle(font.fontTable("OS/2"));
}

void TrueTypeFont::readStyle(const QByteArray& os2)
{
    constexpr quint16 MacStyleBold = 0x0001;
    constexpr quint16 SelectionBold = 0x0020;
    constexpr quint16 RestrictedLicence = 0x0002;
    constexpr quint16 UsageKindMask = 0x000F;
    constexpr quint16 BitmapsOnly = 0x0200;
    const QByteArray head = m_tables.value("head");
    m_bold = head.size() >= 46 && (readU16(head, 44) & MacStyleBold);
    if (os2.size() < 64)
        return;
    m_bold = m_bold || (readU16(os2, 62) & SelectionBold) || readU16(os2, 4) >= 600;
    const quint16 embedding = readU16(os2, 8);
    m_embeddable = (embedding & UsageKindMask) != RestrictedLicence && !(embedding & BitmapsOnly);
}

void TrueTypeFont::readPostScriptName(const QByteArray& names)
{
    constexpr quint16 PostScriptNameId = 6;
    if (names.size() < 6)
        return;
    const int count = readU16(names, 2);
    const qsizetype strings = readU16(names, 4);
    for (int i = 0; i < count && 6 + (i + 1) * 12 <= names.size(); ++i) {
        const qsizetype record = 6 + i * 12;
        if (readU16(names, record + 6) != PostScriptNameId)
            continue;
        const quint16 platform = readU16(names, record);
        const qsizetype length = readU16(names, record + 8);
        const qsizetype at = strings + readU16(names, record + 10);
        if (at + length > names.size())
            continue;
        // Windows names are UTF-16, Macintosh ones single bytes; both hold plain ASCII here.
        const int step = platform == 3 || platform == 0 ? 2 : 1;
        QByteArray name;
        for (qsizetype c = at + step - 1; c < at + length; c += step)
            if (names[c] > ' ' && names[c] < 127 &&
                !QByteArrayView("[](){}<>/%").contains(names[c]))
                name += names[c];
        if (!name.isEmpty()) {
            m_postScriptName = name;
            return;
        }
    }
}

bool TrueTypeFont::readTables(const QRawFont& font)
{
    for (const QByteArray& tag : RequiredTables) {
        const QByteArray table = font.fontTable(tag.constData());
        if (table.isEmpty())
            return false;
        m_tables.insert(tag, table);
    }
    for (const QByteArray& tag : OptionalTables) {
        const QByteArray table = font.fontTable(tag.constData());
        if (!table.isEmpty())
            m_tables.insert(tag, table);
    }
    return true;
}

bool TrueTypeFont::readHeader()
{
    const QByteArray head = m_tables.value("head");
    const QByteArray hhea = m_tables.value("hhea");
    const QByteArray maxp = m_tables.value("maxp");
    m_hmtx = m_tables.value("hmtx");
    m_loca = m_tables.value("loca");
    m_glyf = m_tables.value("glyf");
    if (head.size() < 54 || hhea.size() < 36 || maxp.size() < 6)
        return false;
    m_unitsPerEm = readU16(head, 18);
    m_box = QRectF(QPointF(readI16(head, 36), readI16(head, 38)),
                   QPointF(readI16(head, 40), readI16(head, 42)));
    m_longOffsets = readI16(head, 50) == 1;
    m_ascender = readI16(hhea, 4);
    m_descender = readI16(hhea, 6);
    m_metricCount = readU16(hhea, 34);
    m_glyphCount = readU16(maxp, 4);
    const qsizetype locaEntry = m_longOffsets ? 4 : 2;
    return m_unitsPerEm > 0 && m_metricCount > 0 && m_metricCount <= m_glyphCount &&
           m_hmtx.size() >= m_metricCount * 4 && m_loca.size() >= (m_glyphCount + 1) * locaEntry &&
           glyphOffset(m_glyphCount) <= quint32(m_glyf.size());
}

int TrueTypeFont::advance(quint32 glyph) const
{
    const quint32 metric = std::min<quint32>(glyph, m_metricCount - 1);
    return readU16(m_hmtx, metric * 4);
}

quint32 TrueTypeFont::glyphOffset(quint32 glyph) const
{
    return m_longOffsets ? readU32(m_loca, glyph * 4) : 2u * readU16(m_loca, glyph * 2);
}

void TrueTypeFont::addComponents(quint32 glyph, QList<quint32>& pending) const
{
    const quint32 start = glyphOffset(glyph);
    const quint32 end = glyphOffset(glyph + 1);
    // Subtractions, not sums: a damaged offset near the top of the range must not wrap.
    if (start >= end || end > quint32(m_glyf.size()) || end - start < 10 ||
        readI16(m_glyf, start) >= 0)
        return; // empty or simple
    quint32 at = start + 10;
    for (;;) {
        if (at >= end || end - at < 4)
            return;
        const quint16 flags = readU16(m_glyf, at);
        pending.append(readU16(m_glyf, at + 2));
        if (!(flags & MoreComponents))
            return;
        at += componentSize(flags);
    }
}

QSet<quint32> TrueTypeFont::withComponents(QSet<quint32> glyphs) const
{
    glyphs.insert(0);
    QList<quint32> pending(glyphs.cbegin(), glyphs.cend());
    while (!pending.isEmpty()) {
        const quint32 glyph = pending.takeLast();
        if (glyph >= quint32(m_glyphCount))
            continue;
        QList<quint32> components;
        addComponents(glyph, components);
        for (quint32 component : components)
            if (!glyphs.contains(component)) {
                glyphs.insert(component);
                pending.append(component);
            }
    }
    return glyphs;
}

QByteArray TrueTypeFont::cutOutlines(const QSet<quint32>& kept, QByteArray& loca) const
{
    QByteArray outlines;
    loca.clear();
    loca.reserve((m_glyphCount + 1) * 4);
    for (int glyph = 0; glyph < m_glyphCount; ++glyph) {
        appendU32(loca, quint32(outlines.size()));
        if (!kept.contains(glyph))
            continue;
        const quint32 start = glyphOffset(glyph);
        const quint32 end = glyphOffset(glyph + 1);
        if (end > start && end <= quint32(m_glyf.size()))
            outlines.append(m_glyf.constData() + start, end - start);
        padToFour(outlines);
    }
    appendU32(loca, quint32(outlines.size()));
    return outlines;
}

QByteArray TrueTypeFont::subset(const QSet<quint32>& glyphs) const
{
    if (!m_valid)
        return {};
    QHash<QByteArray, QByteArray> tables = m_tables;
    QByteArray loca;
    tables.insert("glyf", cutOutlines(withComponents(glyphs), loca));
    tables.insert("loca", loca);
    QByteArray& head = tables["head"];
    writeU32(head, 8, 0); // the whole file's checksum, set below
    writeU16(head, 50, 1);

    QByteArrayList tags = tables.keys();
    std::sort(tags.begin(), tags.end());
    const auto count = quint16(tags.size());
    quint16 power = 1;
    quint16 log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    QByteArray file;
    appendU32(file, 0x00010000);
    appendU16(file, count);
    appendU16(file, power * 16);
    appendU16(file, log2);
    appendU16(file, count * 16 - power * 16);
    quint32 offset = 12 + 16 * count;
    QByteArray body;
    qsizetype headAt = 0;
    for (const QByteArray& tag : tags) {
        const QByteArray& table = tables[tag];
        file.append(tag);
        appendU32(file, checksum(table));
        appendU32(file, offset + quint32(body.size()));
        appendU32(file, quint32(table.size()));
        if (tag == "head")
            headAt = offset + body.size();
        body.append(table);
        padToFour(body);
    }
    file.append(body);
    writeU32(file, headAt + 8, 0xB1B0AFBA - checksum(file));
    return file;
}
