#pragma once

#include <QWidget>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class ReportRunner;
class TDataModule1;
class TFormTiskSumA;
class TFormTiskSumB;

// The right side of the tab "Sumáře MO / Revíry": the summary year, the computation of the
// district totals with its STOP, and their two reports. The totals follow the data module's
// kind of water; the progress bar belongs to the tab.
class DistrictTotalsPanel : public QWidget {
    Q_OBJECT
public:
    DistrictTotalsPanel(TDataModule1& data, ReportRunner& reports, QProgressBar* progress,
                        QWidget* parent = nullptr);
    ~DistrictTotalsPanel() override;

    // Rebuilds the district totals of the current kind from the summary year's returns. While
    // it runs only STOP takes input; STOP keeps the districts finished so far. An error is
    // shown and leaves the totals as they were.
    void MakeCSum();
    // Both reports, species 01 – 13 first; the print only when a printer is attached.
    void previewTotals();
    void printTotals();
    void setSummaryYear(int year);

    bool isRunning() const { return m_running; }
    TFormTiskSumA& reportA() { return *m_reportA; }
    TFormTiskSumB& reportB() { return *m_reportB; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addButton(const QString& caption, const QString& name);
    void computeTotals();
    void setRunning(bool running);
    bool districtFinished(int finished, int total);
    void requestStop() { m_stopRequested = true; }

    TDataModule1& m_data;
    ReportRunner& m_reports;
    QProgressBar* m_progress;
    std::unique_ptr<TFormTiskSumA> m_reportA;
    std::unique_ptr<TFormTiskSumB> m_reportB;
    QLabel* m_year;
    QPushButton* m_compute;
    QPushButton* m_stop;
    QPushButton* m_preview;
    QPushButton* m_print;
    bool m_running = false;
    bool m_stopRequested = false;
};
