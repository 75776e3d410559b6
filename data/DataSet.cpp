#include "DataSet.h"

#include "CzechCollation.h"
#include "EngineError.h"
#include "FieldValue.h"

#include <utility>

DataSet::DataSet(Database& db, QObject* parent)
    : QObject(parent)
    , m_db(&db)
{
}

DataSet::~DataSet() = default;

void DataSet::open()
{
    if (isActive())
        return;
    if (!openCursor())
        return;
    m_state = State::Browse;
    try {
        parseFilter();
        rebuildView();
    } catch (...) {
        closeCursor();
        m_state = State::Inactive;
        throw;
    }
    emit stateChanged();
    moveTo(0);
    m_bof = true;
}

void DataSet::close()
{
    if (!isActive())
        return;
    closeCursor();
    m_state = State::Inactive;
    m_pos = -1;
    m_bof = m_eof = true;
    m_recordLoaded = false;
    m_buffer.clear();
    m_modified = false;
    emit stateChanged();
    announceRecord();
}

void DataSet::requireActive() const
{
    if (!isActive())
        throw EngineError(QStringLiteral("Tabulka nebo dotaz není otevřen."),
                          EngineError::Kind::State);
}

void DataSet::first()
{
    requireActive();
    checkBrowseMode();
    ensureFresh();
    moveTo(0);
    m_bof = true;
}

void DataSet::last()
{
    requireActive();
    checkBrowseMode();
    ensureFresh();
    moveTo(viewSize() - 1);
    m_eof = true;
}

void DataSet::next()
{
    requireActive();
    checkBrowseMode();
    ensureFresh();
    if (m_rowGone && m_pos >= 0 && m_pos < viewSize()) {
        m_rowGone = false;
        moveTo(m_pos);
    } else if (m_pos + 1 < viewSize()) {
        moveTo(m_pos + 1);
    } else {
        m_eof = true;
    }
}

void DataSet::prior()
{
    requireActive();
    checkBrowseMode();
    ensureFresh();
    if (m_pos > 0) {
        moveTo(m_pos - 1);
    } else {
        m_bof = true;
    }
}

bool DataSet::isEmpty()
{
    return recordCount() == 0;
}

int DataSet::recordCount()
{
    if (!isActive())
        return 0;
    ensureFresh();
    return viewSize();
}

int DataSet::position()
{
    if (!isActive())
        return -1;
    ensureFresh();
    return m_pos;
}

DataSet::Bookmark DataSet::bookmark()
{
    requireActive();
    ensureFresh();
    return m_pos >= 0 ? keyAt(m_pos) : -1;
}

bool DataSet::gotoBookmark(Bookmark mark)
{
    requireActive();
    checkBrowseMode();
    ensureFresh();
    const int p = positionOf(mark);
    if (p < 0)
        return false;
    moveTo(p);
    return true;
}

QStringList DataSet::fieldNames() const
{
    QStringList names;
    for (const FieldDef& f : m_fields)
        names << f.name;
    return names;
}

int DataSet::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Field DataSet::fieldByName(const QString& name)
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw EngineError(QStringLiteral("Pole %1 neexistuje.").arg(name),
                          EngineError::Kind::Missing);
    return Field(*this, i);
}

void DataSet::throwNoFieldAt(int position)
{
    throw EngineError(QStringLiteral("Pole na pozici %1 neexistuje.").arg(position),
                      EngineError::Kind::Missing);
}

const QList<QVariant>& DataSet::record()
{
    if (!m_recordLoaded) {
        ensureFresh();
        if (m_pos >= 0 && m_pos < viewSize())
            readRecordInto(m_pos, m_record);
        else
            m_record.clear();
        m_recordLoaded = true;
    }
    return m_record;
}

QVariant DataSet::value(int index)
{
    return valueRef(index);
}

const QVariant& DataSet::valueRef(int index)
{
    static const QVariant blank;
    if (index < 0 || index >= m_fields.size())
        throwNoFieldAt(index);
    if (!isEditing() && !isActive())
        return blank;
    const QList<QVariant>& values = isEditing() ? m_buffer : record();
    return index < values.size() ? values[index] : blank;
}

void DataSet::setValue(int index, const QVariant& value)
{
    if (!isEditing())
        throw EngineError(QStringLiteral("Záznam není otevřen pro úpravy (pole %1).")
                              .arg(m_fields.value(index).name),
                          EngineError::Kind::State);
    const FieldDef& f = m_fields.at(index);
    m_buffer[index] = FieldValue::normalize(f, value);
    m_modified = true;
    announceField(index);
}

void DataSet::parseFilter()
{
    m_filterExpr = m_exactField.isEmpty()
                       ? FilterExpression::parse(m_filterText, m_fields)
                       : FilterExpression::equalTo(m_fields, m_exactField, m_exactValue);
}

void DataSet::setFilter(const QString& text)
{
    changeFilter(text, QString(), QVariant());
}

void DataSet::setExactFilter(const QString& fieldName, const QVariant& value)
{
    changeFilter(QString(), fieldName, value);
}

void DataSet::changeFilter(const QString& text, const QString& exactField,
                           const QVariant& exactValue)
{
    if (isActive())
        checkBrowseMode();
    const QString oldText = std::exchange(m_filterText, text);
    const QString oldField = std::exchange(m_exactField, exactField);
    const QVariant oldValue = std::exchange(m_exactValue, exactValue);
    if (!isActive())
        return;
    try {
        parseFilter();
    } catch (...) {
        m_filterText = oldText;
        m_exactField = oldField;
        m_exactValue = oldValue;
        parseFilter();
        throw;
    }
    if (m_filtered) {
        rebuildView();
        moveTo(0);
        m_bof = true;
    }
}

void DataSet::setFiltered(bool on)
{
    if (m_filtered == on)
        return;
    if (isActive())
        checkBrowseMode();
    m_filtered = on;
    if (isActive()) {
        rebuildView();
        moveTo(0);
        m_bof = true;
    }
}

bool DataSet::locate(const QString& fieldName, const QVariant& value, bool caseInsensitive)
{
    requireActive();
    checkBrowseMode();
    ensureFresh();
    const Field f = fieldByName(fieldName);
    FieldDef unlimited = f.def();
    unlimited.size = 0;
    const Bookmark mark =
        findFirst(f.index(), FieldValue::normalize(unlimited, value), caseInsensitive);
    if (mark < 0)
        return false;
    moveTo(positionOf(mark));
    return true;
}

DataSet::Bookmark DataSet::findFirst(int field, const QVariant& value, bool caseInsensitive)
{
    for (int p = 0; p < viewSize(); ++p) {
        const QVariant v = readRecord(p).value(field);
        const bool texts = v.typeId() == QMetaType::QString && value.typeId() == QMetaType::QString;
        // The same folding as a table's locate, so both find the same rows.
        const bool same = texts && caseInsensitive
                              ? CzechCollation::compareFolded(v.toString(), value.toString()) == 0
                              : v == value;
        if (same)
            return keyAt(p);
    }
    return -1;
}

void DataSet::setNotificationsEnabled(bool on)
{
    if (m_notify == on)
        return;
    m_notify = on;
    emit notificationsEnabledChanged(on);
    if (on)
        announceRecord();
}

QList<QVariant> DataSet::recordAt(int position)
{
    requireActive();
    ensureFresh();
    if (position < 0 || position >= viewSize())
        return {};
    if (isEditing() && position == m_pos)
        return m_buffer;
    return readRecord(position);
}

DataSet::Bookmark DataSet::bookmarkAt(int position)
{
    requireActive();
    ensureFresh();
    return (position >= 0 && position < viewSize()) ? keyAt(position) : -1;
}

void DataSet::moveToPosition(int position)
{
    requireActive();
    checkBrowseMode();
    ensureFresh();
    moveTo(position);
}

void DataSet::refresh()
{
    requireActive();
    checkBrowseMode();
    const Bookmark mark = m_pos >= 0 ? keyAt(m_pos) : -1;
    rebuildView();
    const int p = positionOf(mark);
    moveTo(p >= 0 ? p : m_pos);
}

void DataSet::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

void DataSet::moveTo(int position, bool announce)
{
    setPositionQuietly(position);
    if (announce)
        announceRecord();
}

void DataSet::setPositionQuietly(int position)
{
    m_rowGone = false;
    const int size = viewSize();
    m_pos = size == 0 ? -1 : qBound(0, position, size - 1);
    m_bof = size == 0;
    m_eof = size == 0;
    m_recordLoaded = false;
}

void DataSet::announceRecord()
{
    if (m_notify)
        emit recordChanged();
}

void DataSet::announceField(int index)
{
    if (m_notify)
        emit fieldChanged(index);
}
