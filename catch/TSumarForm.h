#pragma once

#include "TDataModule1.h"

#include <QDialog>

#include <functional>

class CatchEntryTab;
class CatchExchangePanel;
class DistrictTotalsPanel;
class CatchOverviewTab;
class DistrictsTab;
class QTabWidget;
class ReportRunner;
class WeightRangesTab;

// The catch-return window: the members' yearly returns per district typed and checked,
// their overview, the district totals for the union and the exchange of returns with the
// chapter's other computers; for non-trout or trout waters, as chosen on the totals tab.
class TSumarForm : public QDialog {
    Q_OBJECT
public:
    TSumarForm(TDataModule1& data, ReportRunner& reports, const QString& folderSuffix,
               QWidget* parent = nullptr);
    ~TSumarForm() override;

    // The overview no longer matches the year catch table; the next showing rebuilds it.
    void markOverviewStale();
    bool OverviewStale() const;
    void RefreshOverview(bool force, TDataModule1::Water kind, const QString& district = {});
    bool MarkSummaryReturned(TDataModule1::Water kind);
    void SetEntryEnabled(bool on);
    // Rebuilds the district totals of the kind from the summary year's returns.
    void MakeCSum();
    // A scan on the entry tab: the row being typed is saved (with its save button) while its
    // member is current; throws EngineError when it cannot be, and the scan goes no further.
    void saveRowBeforeScan();
    // The scanned member is current: on the entry tab a new row starts for the member.
    void startScannedReturn();
    // The MP/PS switch: the whole window moves to the kind's tables.
    void chooseKind(TDataModule1::Water kind);
    TDataModule1::Water kind() const { return m_data.catchKind(); }

    CatchEntryTab& entryTab() { return *m_entry; }
    CatchOverviewTab& overviewTab() { return *m_overview; }
    DistrictsTab& districtsTab() { return *m_districts; }
    DistrictTotalsPanel& totalsPanel() { return *m_totals; }
    CatchExchangePanel& exchangePanel() { return *m_exchange; }
    WeightRangesTab& weightsTab() { return *m_weights; }
    QTabWidget& tabs() { return *m_tabs; }

    // The union's address that "Odešli" sends to; known once the settings window exists.
    void setMailAddress(std::function<QString()> address);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showKind(TDataModule1::Water kind);
    void keepEnterForInputs();

    TDataModule1& m_data;
    QTabWidget* m_tabs = nullptr;
    CatchEntryTab* m_entry = nullptr;
    CatchOverviewTab* m_overview = nullptr;
    DistrictsTab* m_districts = nullptr;
    WeightRangesTab* m_weights = nullptr;
    CatchExchangePanel* m_exchange = nullptr;
    DistrictTotalsPanel* m_totals = nullptr;
};
