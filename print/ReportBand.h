#pragma once

#include "BandKind.h"
#include "Printable.h"
#include "RenderedDocument.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class Query;
class TextMetrics;

// A strip across the printable area: its kind says when it prints, its height how much room
// it takes, its printables what it prints. It may draw lines along its edges. Its
// before-print event may keep a single print of it off the paper.
class ReportBand {
public:
    struct Frame {
        bool top = false;
        bool bottom = false;
        bool left = false;
        bool right = false;
        double penWidth = 1; // pixels of the layouts, see ReportShape
    };

    ReportBand(BandKind kind, double height);
    ~ReportBand();
    ReportBand(const ReportBand&) = delete;
    ReportBand& operator=(const ReportBand&) = delete;

    BandKind kind() const { return m_kind; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    double height() const { return m_height; }
    void setHeight(double height) { m_height = height; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    Frame& frame() { return m_frame; }
    const Frame& frame() const { return m_frame; }
    void setTopFrame(bool on) { m_frame.top = on; }

    // A sub-detail band prints once per row of this query, for every row of the report's
    // dataset; the query's parameters take the same-named fields of that row.
    Query* dataSet() const { return m_dataSet; }
    void setDataSet(Query* query) { m_dataSet = query; }

    // Adds a printable, which the band owns: add<ReportLabel>(10.0, 2.0, u"Text"_s).
    template <class T, class... Args> T* add(Args&&... args)
    {
        auto item = std::make_unique<T>(std::forward<Args>(args)...);
        T* added = item.get();
        m_items.push_back(std::move(item));
        return added;
    }
    const std::vector<std::unique_ptr<Printable>>& items() const { return m_items; }

    std::function<void(ReportBand& band, bool& print)> beforePrint;

    // The room the band takes now: its height, or more when a stretching memo needs it.
    double contentHeight(const TextMetrics& metrics) const;
    // What one print of the band puts on paper, from its top left corner. Side lines are
    // left out of a band that is spread over several pages.
    QList<RenderedDocument::Item> render(const PrintContext& context, QPointF origin, QSizeF size,
                                         bool sideLines) const;

private:
    void addFrame(QRectF area, bool sideLines, QList<RenderedDocument::Item>& out) const;

    BandKind m_kind;
    QString m_name;
    double m_height;
    bool m_enabled = true;
    Frame m_frame;
    Query* m_dataSet = nullptr;
    std::vector<std::unique_ptr<Printable>> m_items;
};
