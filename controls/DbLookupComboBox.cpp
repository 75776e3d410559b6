#include "DbLookupComboBox.h"

#include "CursorAccess.h"
#include "FieldValue.h"
#include "QtEdge.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QWheelEvent>

DbLookupComboBox::DbLookupComboBox(QWidget* parent)
    : QComboBox(parent)
{
    // Shown again inside the cursor's announcements, where no box may open.
    connect(&m_link, &FieldDataLink::dataChanged, this,
            QtEdge::slot(this, &DbLookupComboBox::showField, QtEdge::Tell::Later));
    connect(this, &QComboBox::activated, this, &DbLookupComboBox::onActivated);
}

void DbLookupComboBox::bind(DataSet* dataSet, const QString& fieldName)
{
    m_link.bind(dataSet, fieldName);
}

void DbLookupComboBox::setListSource(DataSet* list, const QString& keyField,
                                     const QString& listField)
{
    for (const QMetaObject::Connection& c : std::as_const(m_listConnections))
        disconnect(c);
    m_listConnections.clear();
    m_list = list;
    m_keyField = keyField;
    m_listField = listField.isEmpty() ? keyField : listField;
    m_listStale = true;
    if (list) {
        const auto markStale = [this] {
            m_listStale = true;
        };
        m_listConnections << connect(list, &DataSet::recordChanged, this, markStale)
                          << connect(list, &DataSet::stateChanged, this, markStale);
    }
    showField();
}

void DbLookupComboBox::fillList()
{
    // A list cursor in edit cannot be walked without posting it: keep the old choices.
    if (!m_listStale || (m_list && m_list->isEditing()))
        return;
    const QSignalBlocker quiet(this);
    clear();
    m_listStale = false;
    if (!m_list || !m_list->isActive())
        return;
    const int key = m_list->fieldIndex(m_keyField);
    const int shown = m_list->fieldIndex(m_listField);
    if (key < 0 || shown < 0)
        return;
    const FieldDef& shownField = m_list->fieldDefs().at(shown);
    const CursorAccess::Rows rows = CursorAccess::read(*m_list, 0, m_list->recordCount());
    for (const QList<QVariant>& row : rows.values)
        addItem(FieldValue::toText(shownField, row.at(shown)), row.at(key));
}

void DbLookupComboBox::showField()
{
    fillList();
    const QSignalBlocker quiet(this);
    const QVariant value = m_link.value();
    const QString text =
        m_link.isActive() ? FieldValue::toText(m_link.fieldDef(), value) : QString();
    const QString key = value.toString();
    int found = -1;
    for (int i = 0; i < count() && found < 0 && !value.isNull(); ++i)
        if (itemData(i).toString().compare(key, Qt::CaseInsensitive) == 0)
            found = i;
    setCurrentIndex(found);
    setPlaceholderText(found < 0 ? text : QString());
}

bool DbLookupComboBox::choosingAllowed() const
{
    return !m_readOnly && m_link.canModify();
}

void DbLookupComboBox::showPopup()
{
    if (choosingAllowed() && QtEdge::run([this] { fillList(); }))
        QComboBox::showPopup();
}

void DbLookupComboBox::keyPressEvent(QKeyEvent* event)
{
    if (choosingAllowed())
        QComboBox::keyPressEvent(event);
    else
        event->ignore();
}

void DbLookupComboBox::wheelEvent(QWheelEvent* event)
{
    if (choosingAllowed())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

void DbLookupComboBox::onActivated(int index)
{
    // What cannot be written goes back to the field's value.
    if (!choosingAllowed() || !QtEdge::run([&] { m_link.write(itemData(index)); }))
        m_link.reset();
}
