#pragma once

#include "DataSet.h"
#include "DataSetColumn.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>

// A table model over a cursor's view, for grids of any size: the row count is the cursor's
// record count, and rows are read in small chunks only when a view asks for them, then kept
// until the data or the view changes. A cursor move only repaints the rows it left and
// reached. The current row follows the cursor, and choosing a row moves the cursor there.
// While the cursor inserts, the new record shows as an extra row at the cursor's place.
class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetModel(QObject* parent = nullptr);

    void setDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return m_dataSet; }

    // Without columns every field shows under its name.
    void setColumns(const QList<DataSetColumn>& columns);
    const QList<DataSetColumn>& columns() const { return m_shown; }
    void setColumnVisible(int column, bool visible);
    void setColumnWidth(int column, int width);

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

    // The row of the cursor's record; -1 when there is none.
    int cursorRow() const { return m_shownState.cursorRow; }
    // Moves the cursor to a row (a record in edit is written first); errors are reported.
    void moveCursorToRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void cursorRowChanged(int row);
    // Titles, widths or visibility changed; views apply them again.
    void columnsChanged();

private:
    // What decides whether rows read earlier still hold: the open cursor, its layout and
    // order, its filter, and the table's change counter.
    struct ViewKey {
        quint64 generation = 0;
        quint64 version = 0;
        QString order;
        QString filter;
        bool filtered = false;
        bool operator==(const ViewKey&) const = default;
    };
    struct CursorState {
        bool active = false;
        int rows = 0;
        int insertRow = -1;
        int cursorRow = -1;
        ViewKey key;
    };
    struct Chunk {
        QList<QList<QVariant>> rows;
        QList<DataSet::Bookmark> marks;
    };

    CursorState currentState() const;
    ViewKey currentKey() const;
    void followCursor();
    void follow();
    bool followRowCount(const CursorState& now, bool sameView);
    void repaintRows(const CursorState& before, bool sameView);
    void resetTo(const CursorState& now);
    void onStateChanged();
    void onFieldChanged(int field);
    void rebuildColumns();
    bool editable(int column) const;
    int positionOfRow(int row) const;
    DataSet::Bookmark markOfRow(int row) const;
    void moveCursor(int row);
    bool cacheContradictsCursor(const CursorState& now) const;
    const QList<QVariant>* cachedRow(int position) const;
    QVariant valueAt(int row, int field) const;
    QVariant cellData(const QModelIndex& index, int role) const;
    QVariant headerText(int section, Qt::Orientation orientation, int role) const;
    void refreshLater() const;

    QPointer<DataSet> m_dataSet;
    QList<QMetaObject::Connection> m_connections;
    QList<DataSetColumn> m_configured;
    QList<DataSetColumn> m_shown;
    QList<int> m_fieldOf;
    bool m_readOnly = false;
    bool m_wasActive = false;
    quint64 m_generation = 0;
    CursorState m_shownState;
    bool m_following = false;
    mutable bool m_refreshQueued = false;
    mutable bool m_missedRows = false;
    mutable QHash<int, Chunk> m_chunks;
};
