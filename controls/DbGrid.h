#pragma once

#include "DataSetModel.h"

#include <QTableView>

// A grid over a cursor, like the old data-aware grid: a table view on its own DataSetModel
// whose current row is the cursor's record, with the columns' titles, widths, visibility
// and colours applied, fixed row heights (so a view of thousands of rows stays quick) and
// the row indicator at the left.
class DbGrid : public QTableView {
    Q_OBJECT
public:
    explicit DbGrid(QWidget* parent = nullptr);

    DataSetModel* dataModel() const { return m_model; }
    void setDataSet(DataSet* dataSet);
    void setColumns(const QList<DataSetColumn>& columns);
    void setColumnVisible(int column, bool visible);
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_model->isReadOnly(); }

signals:
    // A click on a column title (the old title-click event).
    void titleClicked(int column);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyColumns();
    void fitColumns();
    void showCursorRow(int row);
    void onCurrentRowChanged(const QModelIndex& current);
    int firstVisibleColumn() const;

    DataSetModel* m_model;
    bool m_showingCursor = false;
    bool m_applying = false;
    int m_modelChanging = 0;
};
