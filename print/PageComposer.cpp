#include "PageComposer.h"

#include "ReportShape.h"

#include <algorithm>

namespace {
// Positions are set in tenths of millimetres; sums of them may miss by rounding.
constexpr double Tolerance = 0.001;
} // namespace

PageComposer::PageComposer(RenderedDocument& document, std::function<void()> pageStarted)
    : m_document(document)
    , m_pageStarted(std::move(pageStarted))
{
}

void PageComposer::startPage()
{
    const QRectF area = m_document.page.printableArea();
    m_document.pages << RenderedDocument::Page{};
    m_y = area.top();
    m_bottom = area.bottom();
    m_bodyTop = m_y;
    addPageFrame();
    if (m_pageStarted)
        m_pageStarted();
    m_bodyTop = m_y;
}

void PageComposer::addPageFrame()
{
    if (!m_document.page.framed)
        return;
    const QRectF a = m_document.page.printableArea();
    const double pen = ReportShape::penWidthMm(1);
    QList<RenderedDocument::Item>& items = m_document.pages.last().items;
    items << RenderedDocument::line(a.topLeft(), a.topRight(), pen)
          << RenderedDocument::line(a.topRight(), a.bottomRight(), pen)
          << RenderedDocument::line(a.bottomLeft(), a.bottomRight(), pen)
          << RenderedDocument::line(a.topLeft(), a.bottomLeft(), pen);
}

void PageComposer::makeRoom(double height)
{
    if (m_y + height > m_bottom + Tolerance && m_y > m_bodyTop + Tolerance)
        startPage();
}

void PageComposer::put(RenderedDocument::Item item, double offset)
{
    item.rect.translate(0, offset);
    if (!item.clip.isNull())
        item.clip.translate(0, offset);
    m_document.pages.last().items << item;
}

void PageComposer::place(QList<RenderedDocument::Item> items, double height)
{
    for (RenderedDocument::Item& item : items)
        put(std::move(item), m_y);
    m_y += height;
}

void PageComposer::flow(QList<RenderedDocument::Item> items, double height)
{
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& a, const auto& b) { return a.rect.top() < b.rect.top(); });
    double offset = m_y;
    for (RenderedDocument::Item& item : items) {
        const bool crossesBottom = offset + item.rect.bottom() > m_bottom + Tolerance;
        if (crossesBottom && offset + item.rect.top() > m_bodyTop + Tolerance) {
            startPage();
            offset = m_y - item.rect.top();
        }
        put(std::move(item), offset);
    }
    m_y = offset + height;
}
