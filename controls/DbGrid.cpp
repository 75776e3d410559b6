#include "DbGrid.h"

#include "DbGridDelegate.h"
#include "DbGridRowHeader.h"

#include <QHeaderView>

DbGrid::DbGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new DataSetModel(this))
{
    setVerticalHeader(new DbGridRowHeader(this));
    setItemDelegate(new DbGridDelegate(this));
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);
    rows->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) + 6);
    // Fitting columns reads only the rows on screen, so a grid of thousands stays quick.
    horizontalHeader()->setResizeContentsPrecision(0);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);

    // While rows come and go the view shifts its current row by itself; that is no choice
    // of the user's, and the model tells the cursor's row once it is done.
    const auto hold = [this] {
        ++m_modelChanging;
    };
    const auto release = [this] {
        --m_modelChanging;
    };
    connect(m_model, &QAbstractItemModel::rowsAboutToBeInserted, this, hold);
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, hold);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, hold);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, release);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, release);
    connect(m_model, &QAbstractItemModel::modelReset, this, release);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DbGrid::fitColumns);
    connect(m_model, &DataSetModel::cursorRowChanged, this, &DbGrid::showCursorRow);
    connect(m_model, &DataSetModel::columnsChanged, this, &DbGrid::applyColumns);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { onCurrentRowChanged(current); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DbGrid::titleClicked);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                // Hiding a column reports width 0; the width to come back to is kept.
                if (!m_applying && width > 0)
                    m_model->setColumnWidth(column, width);
            });
}

void DbGrid::setDataSet(DataSet* dataSet)
{
    m_model->setDataSet(dataSet);
}

void DbGrid::setColumns(const QList<DataSetColumn>& columns)
{
    m_model->setColumns(columns);
}

void DbGrid::setColumnVisible(int column, bool visible)
{
    m_model->setColumnVisible(column, visible);
}

void DbGrid::setReadOnly(bool readOnly)
{
    m_model->setReadOnly(readOnly);
    setEditTriggers(readOnly
                        ? QAbstractItemView::NoEditTriggers
                        : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
}

void DbGrid::applyColumns()
{
    const QList<DataSetColumn>& columns = m_model->columns();
    m_applying = true;
    for (int c = 0; c < columns.size(); ++c) {
        setColumnHidden(c, !columns[c].visible);
        if (columns[c].width > 0 && columnWidth(c) != columns[c].width)
            setColumnWidth(c, columns[c].width);
    }
    m_applying = false;
    fitColumns();
}

int DbGrid::firstVisibleColumn() const
{
    for (int c = 0; c < m_model->columnCount(); ++c)
        if (!isColumnHidden(c))
            return c;
    return 0;
}

void DbGrid::showCursorRow(int row)
{
    m_showingCursor = true;
    if (row < 0) {
        selectionModel()->clearCurrentIndex();
    } else {
        const int column = currentIndex().isValid() && !isColumnHidden(currentIndex().column())
                               ? currentIndex().column()
                               : firstVisibleColumn();
        const QModelIndex target = m_model->index(row, column);
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
        scrollTo(target);
    }
    m_showingCursor = false;
}

void DbGrid::onCurrentRowChanged(const QModelIndex& current)
{
    if (m_showingCursor || m_modelChanging > 0 || !current.isValid())
        return;
    m_model->moveCursorToRow(current.row());
}

void DbGrid::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    fitColumns();
}

void DbGrid::fitColumns()
{
    // Columns without a width of their own show their whole title and the longest value on
    // screen; they only grow, so moving through the records does not make them jump.
    // A grid out of sight reads no rows for it; it fits when it is shown.
    if (!isVisible())
        return;
    const QList<DataSetColumn>& columns = m_model->columns();
    m_applying = true;
    for (int c = 0; c < columns.size(); ++c) {
        if (!columns[c].visible || columns[c].width > 0)
            continue;
        const int fit = std::max(sizeHintForColumn(c), horizontalHeader()->sectionSizeHint(c));
        if (fit > columnWidth(c))
            setColumnWidth(c, fit);
    }
    m_applying = false;
}
