#include "RenderedDocument.h"

#include <algorithm>

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
