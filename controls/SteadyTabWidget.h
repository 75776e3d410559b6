#pragma once

#include <QSize>
#include <QTabWidget>

// A tab widget that repaints only what changed when a label or input on a page changes
// its size hint. Qt lays the tab widget out again on every such change and repaints it
// whole, which on a window moving from record to record is most of the time the move
// takes. The page has already laid itself out by then; while the tab widget's own size
// hints stay as they were, its layout would come out the same and is left alone.
class SteadyTabWidget : public QTabWidget {
    Q_OBJECT
public:
    explicit SteadyTabWidget(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    struct Hints {
        QSize size;
        QSize minimum;
        QSize tabs;
        bool operator==(const Hints&) const = default;
    };
    Hints currentHints() const;

    Hints m_laidOutWith;
    bool m_laidOut = false;
};
