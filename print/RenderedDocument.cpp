#include "RenderedDocument.h"

#include <algorithm>

namespace {

// Letters without their accents, and anything else a file system might refuse as a hyphen.
QString plainLetters(const QString& text)
{
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.isMark())
            continue;
        if (c.unicode() < 128 && c.isLetterOrNumber())
            plain += c;
        else if (!plain.endsWith(QLatin1Char('-')))
            plain += QLatin1Char('-');
    }
    while (plain.endsWith(QLatin1Char('-')))
        plain.chop(1);
    while (plain.startsWith(QLatin1Char('-')))
        plain.remove(0, 1);
    return plain;
}

} // namespace

QString RenderedDocument::pdfFileName() const
{
    QStringList parts{plainLetters(fileTitle()), plainLetters(subject),
                      printedOn.toString(Qt::ISODate)};
    parts.removeAll(QString());
    return parts.join(QLatin1Char('-')) + QStringLiteral(".pdf");
}

RenderedDocument::Item RenderedDocument::line(QPointF from, QPointF to, double penWidth)
{
    Item item;
    item.kind = Item::Kind::Line;
    item.rect = QRectF(from, to);
    item.penWidth = penWidth;
    return item;
}

int RenderedDocument::bandCount(BandKind kind) const
{
    return int(std::count_if(bands.begin(), bands.end(),
                             [kind](const Band& band) { return band.kind == kind; }));
}

QList<const RenderedDocument::Item*> RenderedDocument::itemsNamed(const QString& name) const
{
    QList<const Item*> found;
    for (const Page& p : pages)
        for (const Item& item : p.items)
            if (item.name == name)
                found << &item;
    return found;
}

QStringList RenderedDocument::textsNamed(const QString& name) const
{
    QStringList texts;
    for (const Item* item : itemsNamed(name))
        texts << item->text;
    return texts;
}
