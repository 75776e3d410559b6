#pragma once

#include "RenderedDocument.h"

#include <functional>

// Lays printed bands down the pages of a document. It keeps the position on the current
// page, begins a new page when a band does not fit (its caller prints the page header
// there) and spreads a band taller than a page over as many pages as it needs.
class PageComposer {
public:
    // pageStarted runs at the top of every new page, before anything else is placed on it.
    PageComposer(RenderedDocument& document, std::function<void()> pageStarted);

    void startPage();
    int pageNumber() const { return int(m_document.pages.size()); }
    double position() const { return m_y; }
    // The room of a page below its header.
    double bodyHeight() const { return m_bottom - m_bodyTop; }

    // Begins a new page when a band of this height does not fit below what the page holds
    // already. A page holding only its header takes any band, so nothing waits forever.
    void makeRoom(double height);
    // Puts items laid out from y 0 at the current position and moves down by the height.
    void place(QList<RenderedDocument::Item> items, double height);
    // The same for a band taller than a page: an item that would cross the bottom of the
    // page goes on the next page, and everything after it follows.
    void flow(QList<RenderedDocument::Item> items, double height);

private:
    void put(RenderedDocument::Item item, double offset);
    void addPageFrame();

    RenderedDocument& m_document;
    std::function<void()> m_pageStarted;
    double m_y = 0;
    double m_bodyTop = 0;
    double m_bottom = 0;
};
