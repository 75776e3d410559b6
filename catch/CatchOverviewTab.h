#pragma once

#include "TDataModule1.h"

#include <QWidget>

#include <memory>

class DbGrid;
class Table;
class QComboBox;
class QLabel;
class QPushButton;

// The read-only overview of the year's returns, member by member, with how many rows and
// members it holds; it can be narrowed to one district.
class CatchOverviewTab : public QWidget {
    Q_OBJECT
public:
    explicit CatchOverviewTab(TDataModule1& data, QWidget* parent = nullptr);
    ~CatchOverviewTab() override;

    // Rebuilds the overview of the kind's year catch table, of one district when a name is
    // given; nothing happens unless forced.
    void RefreshOverview(bool force, TDataModule1::Water kind, const QString& district = {});
    bool OverviewStale() const { return m_stale; }
    void markStale() { m_stale = true; }

    // The rows shown, in the overview's order.
    Table& rows() { return *m_rows; }
    int shownRows() const { return m_rowCount; }
    int shownMembers() const { return m_memberCount; }

    // "Revír" / "Všechno".
    void toggleDistrict();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setUpColumns();
    void fillDistricts();
    int countMembers();

    TDataModule1& m_data;
    std::unique_ptr<Table> m_rows;
    DbGrid* m_grid = nullptr;
    QLabel* m_rowLabel = nullptr;
    QLabel* m_memberLabel = nullptr;
    QComboBox* m_districts = nullptr;
    QPushButton* m_districtToggle = nullptr;
    int m_rowCount = 0;
    int m_memberCount = 0;
    bool m_stale = true;
    bool m_filtered = false;
};
