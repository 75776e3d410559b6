#pragma once

#include <QDialog>

// The catch-return window: the members' yearly returns per district and their totals.
class TSumarForm : public QDialog {
    Q_OBJECT
public:
    explicit TSumarForm(const QString& folderSuffix, QWidget* parent = nullptr);

    // The overview no longer matches the year catch table; the next showing rebuilds it.
    void markOverviewStale() { m_overviewStale = true; }
    bool OverviewStale() const { return m_overviewStale; }

private:
    bool m_overviewStale = true;
};
