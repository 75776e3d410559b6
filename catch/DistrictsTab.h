#pragma once

#include "TDataModule1.h"

#include <QWidget>

class DbGrid;
class DbNavigator;
class QLabel;
class QProgressBar;
class QRadioButton;
class QVBoxLayout;

// The tab of the chapter's districts and what is done with the year's returns as a whole:
// the district list kept up to date, the totals per district, the exchange of returns and
// the choice between non-trout and trout waters that the whole window follows.
class DistrictsTab : public QWidget {
    Q_OBJECT
public:
    explicit DistrictsTab(TDataModule1& data, QWidget* parent = nullptr);

    // The bar the long work of the tab shows its progress in.
    QProgressBar* progress() const { return m_progress; }
    // The totals and exchange boxes, placed above the progress bar.
    void addPanel(QWidget* panel);
    void showKind(TDataModule1::Water kind);
    DbGrid* grid() const { return m_grid; }

signals:
    void kindChosen(TDataModule1::Water kind);

private:
    QWidget* buildDistrictList(TDataModule1& data);
    QWidget* buildKindSwitch();

    DbGrid* m_grid = nullptr;
    QLabel* m_kindMark = nullptr;
    QVBoxLayout* m_panels = nullptr;
    QProgressBar* m_progress = nullptr;
    QRadioButton* m_nonTrout = nullptr;
    QRadioButton* m_trout = nullptr;
};
