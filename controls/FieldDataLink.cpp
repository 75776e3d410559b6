#include "FieldDataLink.h"

#include "ControlErrors.h"
#include "DataLinks.h"
#include "DataSet.h"
#include "EngineError.h"
#include "QtEdge.h"
#include "Table.h"

FieldDataLink::FieldDataLink(QObject* parent)
    : QObject(parent)
{
}

FieldDataLink::~FieldDataLink()
{
    disconnectDataSet();
}

void FieldDataLink::bind(DataSet* dataSet, const QString& fieldName)
{
    disconnectDataSet();
    m_dataSet = dataSet;
    m_fieldName = fieldName;
    m_modified = false;
    connectDataSet();
    emit stateChanged();
    emit dataChanged();
}

void FieldDataLink::connectDataSet()
{
    if (!m_dataSet)
        return;
    DataLinks::add(*m_dataSet, this);
    m_connections
        << connect(m_dataSet.data(), &DataSet::recordChanged, this, &FieldDataLink::onRecordChanged)
        << connect(m_dataSet.data(), &DataSet::fieldChanged, this, &FieldDataLink::onFieldChanged)
        << connect(m_dataSet.data(), &DataSet::stateChanged, this, &FieldDataLink::stateChanged);
}

void FieldDataLink::disconnectDataSet()
{
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (m_dataSet)
        DataLinks::remove(*m_dataSet, this);
}

bool FieldDataLink::isActive() const
{
    return fieldIndex() >= 0;
}

int FieldDataLink::fieldIndex() const
{
    if (!m_dataSet || !m_dataSet->isActive() || !m_dataSet->notificationsEnabled())
        return -1;
    return m_dataSet->fieldIndex(m_fieldName);
}

FieldDef FieldDataLink::fieldDef() const
{
    const int index = fieldIndex();
    return index < 0 ? FieldDef() : m_dataSet->fieldDefs().at(index);
}

QVariant FieldDataLink::value() const
{
    const int index = fieldIndex();
    return index < 0 ? QVariant() : m_dataSet->value(index);
}

bool FieldDataLink::isEditing() const
{
    return isActive() && m_dataSet->isEditing();
}

bool FieldDataLink::canModify() const
{
    return isActive() && qobject_cast<Table*>(m_dataSet.data()) != nullptr;
}

bool FieldDataLink::edit()
{
    if (isEditing())
        return true;
    if (!canModify())
        return false;
    return QtEdge::run([this] { static_cast<Table*>(m_dataSet.data())->edit(); }) && isEditing();
}

void FieldDataLink::updateRecord()
{
    if (!m_modified || !isEditing() || !controlValue)
        return;
    m_dataSet->setValue(fieldIndex(), controlValue());
    m_modified = false;
}

void FieldDataLink::write(const QVariant& value)
{
    if (!isEditing()) {
        if (!canModify())
            throw EngineError(
                QStringLiteral("Pole %1 nelze změnit: data jsou jen pro čtení.").arg(m_fieldName),
                EngineError::Kind::State);
        static_cast<Table*>(m_dataSet.data())->edit();
    }
    m_dataSet->setValue(fieldIndex(), value);
    m_modified = false;
}

void FieldDataLink::reset()
{
    m_modified = false;
    emit dataChanged();
}

void FieldDataLink::onRecordChanged()
{
    m_modified = false;
    emit dataChanged();
}

void FieldDataLink::onFieldChanged(int index)
{
    if (index != fieldIndex())
        return;
    m_modified = false;
    emit dataChanged();
}

bool FieldDataLink::tryUpdateRecord()
{
    return QtEdge::run([this] { updateRecord(); });
}

bool FieldDataLink::leaveOrRefuse(QWidget* input)
{
    try {
        updateRecord();
        return true;
    } catch (const EngineError& error) {
        ControlErrors::refuseLeaving(input, error.message());
        return false;
    }
}
