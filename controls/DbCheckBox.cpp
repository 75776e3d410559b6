#include "DbCheckBox.h"

#include "ControlErrors.h"
#include "EngineError.h"
#include "FieldValue.h"

DbCheckBox::DbCheckBox(QWidget* parent)
    : DbCheckBox(QString(), parent)
{
}

DbCheckBox::DbCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
    connect(&m_link, &FieldDataLink::dataChanged, this, &DbCheckBox::showField);
}

void DbCheckBox::bind(DataSet* dataSet, const QString& fieldName)
{
    m_link.bind(dataSet, fieldName);
}

void DbCheckBox::showField()
{
    bool ticked = false;
    if (m_link.isActive()) {
        try {
            ticked = FieldValue::toBoolean(m_link.fieldDef(), m_link.value());
        } catch (const EngineError&) {
            // A text field holding something else than a logical value shows unticked.
        }
    }
    setChecked(ticked);
}

void DbCheckBox::nextCheckState()
{
    if (m_readOnly || !m_link.canModify())
        return;
    const bool ticked = !isChecked();
    try {
        m_link.write(ticked);
    } catch (const EngineError& error) {
        ControlErrors::report(error);
        showField();
    }
}
