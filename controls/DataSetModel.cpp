#include "DataSetModel.h"

#include "CursorAccess.h"
#include "DataLinks.h"
#include "Database.h"
#include "FieldValue.h"
#include "QtEdge.h"
#include "Table.h"

#include <QBrush>

namespace {

constexpr int chunkRows = 64;
// About sixty screens of rows; a grid scrolled further starts reading afresh.
constexpr int keptChunks = 64;

bool isNumber(FieldType type)
{
    return type == FieldType::Integer || type == FieldType::Float;
}

} // namespace

DataSetModel::DataSetModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void DataSetModel::setDataSet(DataSet* dataSet)
{
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_dataSet = dataSet;
    if (dataSet) {
        m_connections
            << connect(dataSet, &DataSet::recordChanged, this, &DataSetModel::followCursor)
            << connect(dataSet, &DataSet::stateChanged, this, &DataSetModel::onStateChanged)
            << connect(dataSet, &DataSet::fieldChanged, this, &DataSetModel::onFieldChanged);
    }
    m_wasActive = dataSet && dataSet->isActive();
    ++m_generation;
    resetTo(currentState());
}

void DataSetModel::setColumns(const QList<DataSetColumn>& columns)
{
    beginResetModel();
    m_configured = columns;
    rebuildColumns();
    endResetModel();
    emit columnsChanged();
}

void DataSetModel::setColumnVisible(int column, bool visible)
{
    if (column < 0 || column >= m_shown.size() || m_shown[column].visible == visible)
        return;
    m_shown[column].visible = visible;
    if (column < m_configured.size())
        m_configured[column].visible = visible;
    emit columnsChanged();
}

void DataSetModel::setColumnWidth(int column, int width)
{
    if (column < 0 || column >= m_shown.size())
        return;
    m_shown[column].width = width;
    if (column < m_configured.size())
        m_configured[column].width = width;
}

void DataSetModel::rebuildColumns()
{
    m_shown = m_configured;
    if (m_shown.isEmpty() && m_dataSet && m_dataSet->isActive())
        for (const QString& name : m_dataSet->fieldNames()) {
            DataSetColumn column;
            column.field = name;
            m_shown.append(column);
        }
    m_fieldOf.clear();
    for (const DataSetColumn& c : std::as_const(m_shown))
        m_fieldOf << (m_dataSet && m_dataSet->isActive() ? m_dataSet->fieldIndex(c.field) : -1);
}

DataSetModel::ViewKey DataSetModel::currentKey() const
{
    ViewKey key;
    key.generation = m_generation;
    key.filter = m_dataSet->filter();
    key.filtered = m_dataSet->isFiltered();
    if (const auto* table = qobject_cast<const Table*>(m_dataSet.data())) {
        key.order = table->indexFieldNames();
        key.version = table->database().version(table->storageName());
    }
    return key;
}

DataSetModel::CursorState DataSetModel::currentState() const
{
    CursorState state;
    if (!m_dataSet || !m_dataSet->isActive())
        return state;
    state.active = true;
    state.key = currentKey();
    state.rows = m_dataSet->recordCount();
    const int position = m_dataSet->position();
    if (m_dataSet->state() == DataSet::State::Insert) {
        state.insertRow = qMax(position, 0);
        state.cursorRow = state.insertRow;
        ++state.rows;
    } else {
        state.cursorRow = position;
    }
    return state;
}

void DataSetModel::onStateChanged()
{
    const bool active = m_dataSet && m_dataSet->isActive();
    if (active != m_wasActive) {
        // Opened or closed: the layout and every row may be different now.
        m_wasActive = active;
        ++m_generation;
    }
    followCursor();
}

void DataSetModel::followCursor()
{
    m_refreshQueued = false;
    if (m_following)
        return;
    m_following = true;
    // The cursor's announcements and the event loop call this: a cursor that cannot be read
    // leaves the views as they were (it fails before they are told of any change).
    QtEdge::run([this] { follow(); }, QtEdge::Tell::Later);
    m_following = false;
}

void DataSetModel::follow()
{
    const CursorState now = currentState();
    const CursorState before = m_shownState;
    if (!now.active || !before.active || now.key.generation != before.key.generation) {
        resetTo(now);
    } else {
        const bool sameView = now.key == before.key && !cacheContradictsCursor(now);
        if (!sameView)
            m_chunks.clear();
        const bool rowsChanged = now.rows != before.rows;
        if (rowsChanged) {
            if (!followRowCount(now, sameView))
                resetTo(now);
        } else {
            m_shownState = now;
            // Rows a view asked for while they could not be read are shown blank until now.
            const bool missed = m_missedRows && !m_dataSet->isEditing();
            if (missed)
                m_missedRows = false;
            repaintRows(before, sameView && !missed);
        }
        // A row added or taken away before the cursor's row shifts the views' current row.
        if (rowsChanged || m_shownState.cursorRow != before.cursorRow)
            emit cursorRowChanged(m_shownState.cursorRow);
    }
}

bool DataSetModel::followRowCount(const CursorState& now, bool sameView)
{
    const CursorState& before = m_shownState;
    if (sameView && before.insertRow < 0 && now.insertRow >= 0 && now.rows == before.rows + 1) {
        beginInsertRows({}, now.insertRow, now.insertRow);
        m_shownState = now;
        endInsertRows();
        return true;
    }
    if (sameView && before.insertRow >= 0 && now.insertRow < 0 && now.rows == before.rows - 1) {
        beginRemoveRows({}, before.insertRow, before.insertRow);
        m_shownState = now;
        endRemoveRows();
        return true;
    }
    return false;
}

void DataSetModel::repaintRows(const CursorState& before, bool sameView)
{
    const int lastColumn = columnCount() - 1;
    if (m_shownState.rows == 0 || lastColumn < 0)
        return;
    if (!sameView) {
        emit dataChanged(index(0, 0), index(m_shownState.rows - 1, lastColumn));
        emit headerDataChanged(Qt::Vertical, 0, m_shownState.rows - 1);
        return;
    }
    for (int row : {before.cursorRow, m_shownState.cursorRow}) {
        if (row < 0 || row >= m_shownState.rows)
            continue;
        emit dataChanged(index(row, 0), index(row, lastColumn));
        emit headerDataChanged(Qt::Vertical, row, row);
    }
}

void DataSetModel::resetTo(const CursorState& now)
{
    beginResetModel();
    m_chunks.clear();
    if (now.key.generation != m_shownState.key.generation || !now.active)
        rebuildColumns();
    m_shownState = now;
    endResetModel();
    emit columnsChanged();
    emit cursorRowChanged(m_shownState.cursorRow);
}

void DataSetModel::onFieldChanged(int field)
{
    const int row = m_shownState.cursorRow;
    if (row < 0 || row >= m_shownState.rows)
        return;
    for (int c = 0; c < m_fieldOf.size(); ++c)
        if (m_fieldOf[c] == field)
            emit dataChanged(index(row, c), index(row, c));
}

bool DataSetModel::cacheContradictsCursor(const CursorState& now) const
{
    if (now.insertRow >= 0 || now.cursorRow < 0)
        return false;
    const auto chunk = m_chunks.constFind(now.cursorRow / chunkRows);
    if (chunk == m_chunks.constEnd())
        return false;
    const int i = now.cursorRow % chunkRows;
    return i >= chunk->marks.size() || chunk->marks[i] != m_dataSet->bookmark();
}

void DataSetModel::refreshLater() const
{
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QMetaObject::invokeMethod(const_cast<DataSetModel*>(this), &DataSetModel::followCursor,
                              Qt::QueuedConnection);
}

int DataSetModel::positionOfRow(int row) const
{
    const int insertRow = m_shownState.insertRow;
    return insertRow >= 0 && row > insertRow ? row - 1 : row;
}

const QList<QVariant>* DataSetModel::cachedRow(int position) const
{
    const int number = position / chunkRows;
    auto chunk = m_chunks.constFind(number);
    if (chunk == m_chunks.constEnd()) {
        // Walking the cursor in the middle of its own announcement, or while it holds a
        // record in edit, would disturb it: read once it is settled.
        if (m_following || m_dataSet->isEditing()) {
            m_missedRows = true;
            if (m_following)
                refreshLater();
            return nullptr;
        }
        if (m_chunks.size() >= keptChunks)
            m_chunks.clear();
        const CursorAccess::Rows rows =
            CursorAccess::read(*m_dataSet, number * chunkRows, chunkRows);
        chunk = m_chunks.insert(number, Chunk{rows.values, rows.marks});
        const int expected = m_shownState.rows - (m_shownState.insertRow >= 0 ? 1 : 0);
        if (m_dataSet->recordCount() != expected)
            refreshLater();
    }
    const int i = position % chunkRows;
    return i < chunk->rows.size() ? &chunk->rows[i] : nullptr;
}

QVariant DataSetModel::valueAt(int row, int field) const
{
    if (!m_dataSet || !m_shownState.active || !m_dataSet->notificationsEnabled() ||
        !m_dataSet->isActive())
        return {};
    if (row == m_shownState.insertRow || (row == m_shownState.cursorRow && m_dataSet->isEditing()))
        return m_dataSet->value(field);
    const QList<QVariant>* values = cachedRow(positionOfRow(row));
    return values ? values->value(field) : QVariant();
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownState.rows;
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    // Views read while painting: a row that cannot be read shows blank, told later.
    return QtEdge::valueOr([&] { return cellData(index, role); }, QVariant());
}

QVariant DataSetModel::cellData(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= m_shown.size())
        return {};
    const DataSetColumn& column = m_shown[index.column()];
    const int field = m_fieldOf[index.column()];
    switch (role) {
    case Qt::BackgroundRole:
        return column.color.isValid() ? QVariant(QBrush(column.color)) : QVariant();
    case Qt::ForegroundRole:
        return column.textColor.isValid() ? QVariant(QBrush(column.textColor)) : QVariant();
    case Qt::TextAlignmentRole:
        if (column.alignment)
            return int(column.alignment | Qt::AlignVCenter);
        if (field >= 0 && isNumber(m_dataSet->fieldDefs().at(field).type))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (field < 0)
            return {};
        return FieldValue::toText(m_dataSet->fieldDefs().at(field), valueAt(index.row(), field));
    default:
        return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return QtEdge::valueOr([&] { return headerText(section, orientation, role); }, QVariant());
}

QVariant DataSetModel::headerText(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_shown.size())
            return {};
        const DataSetColumn& c = m_shown[section];
        return c.title.isEmpty() ? c.field : c.title;
    }
    // The old grids' indicator: the cursor's row, marked for insert and edit.
    if (section != m_shownState.cursorRow || !m_dataSet)
        return QString();
    switch (m_dataSet->state()) {
    case DataSet::State::Insert:
        return QStringLiteral("*");
    case DataSet::State::Edit:
        return QStringLiteral("I");
    default:
        return QStringLiteral("\u25B8");
    }
}

bool DataSetModel::editable(int column) const
{
    return !m_readOnly && column >= 0 && column < m_shown.size() && !m_shown[column].readOnly &&
           m_fieldOf[column] >= 0 && qobject_cast<Table*>(m_dataSet.data());
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !editable(index.column()))
        return false;
    return QtEdge::run([&] {
        if (index.row() != m_shownState.cursorRow)
            moveCursor(index.row());
        auto* table = static_cast<Table*>(m_dataSet.data());
        table->edit();
        table->setValue(m_fieldOf[index.column()], value);
    });
}

void DataSetModel::moveCursorToRow(int row)
{
    if (!m_dataSet || row < 0 || row == m_shownState.cursorRow)
        return;
    if (!QtEdge::run([&] { moveCursor(row); }))
        // The cursor stayed: views go back to its row.
        emit cursorRowChanged(m_shownState.cursorRow);
}

DataSet::Bookmark DataSetModel::markOfRow(int row) const
{
    if (row == m_shownState.insertRow)
        return -1;
    const int position = positionOfRow(row);
    const auto chunk = m_chunks.constFind(position / chunkRows);
    const int i = position % chunkRows;
    return chunk != m_chunks.constEnd() && i < chunk->marks.size() ? chunk->marks[i] : -1;
}

void DataSetModel::moveCursor(int row)
{
    // Leaving a record in edit writes it, and a written record may take another place in
    // the view: a row already read is found again by its bookmark.
    const DataSet::Bookmark mark = markOfRow(row);
    const int position = positionOfRow(row);
    DataLinks::updateRecord(*m_dataSet);
    if (mark < 0 || !m_dataSet->gotoBookmark(mark))
        CursorAccess::moveTo(*m_dataSet, position);
}
