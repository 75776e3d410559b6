#include "Field.h"

#include "DataSet.h"
#include "FieldValue.h"

Field::Field(DataSet& dataSet, int index)
    : m_dataSet(&dataSet)
    , m_index(index)
{
}

const FieldDef& Field::def() const
{
    return m_dataSet->fieldDefs().at(m_index);
}

bool Field::isNull() const
{
    return m_dataSet->valueRef(m_index).isNull();
}

QVariant Field::value() const
{
    return m_dataSet->value(m_index);
}

QString Field::asString() const
{
    return FieldValue::toText(def(), m_dataSet->valueRef(m_index));
}

qint64 Field::asInteger() const
{
    return FieldValue::toInteger(def(), m_dataSet->valueRef(m_index));
}

double Field::asFloat() const
{
    return FieldValue::toFloat(def(), m_dataSet->valueRef(m_index));
}

bool Field::asBoolean() const
{
    return FieldValue::toBoolean(def(), m_dataSet->valueRef(m_index));
}

QDate Field::asDate() const
{
    return FieldValue::toDate(def(), m_dataSet->valueRef(m_index));
}

void Field::setValue(const QVariant& value)
{
    m_dataSet->setValue(m_index, value);
}
