#include "DbCheckBox.h"

#include "EngineError.h"
#include "FieldValue.h"
#include "QtEdge.h"

DbCheckBox::DbCheckBox(QWidget* parent)
    : DbCheckBox(QString(), parent)
{
}

DbCheckBox::DbCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
    // Shown again inside the cursor's announcements, where no box may open.
    connect(&m_link, &FieldDataLink::dataChanged, this,
            QtEdge::slot(this, &DbCheckBox::showField, QtEdge::Tell::Later));
}

void DbCheckBox::bind(DataSet* dataSet, const QString& fieldName)
{
    m_link.bind(dataSet, fieldName);
}

void DbCheckBox::showField()
{
    // A read that fails is an error to tell, unlike a value that is no logical one.
    const QVariant value = m_link.value();
    bool ticked = false;
    try {
        ticked = FieldValue::toBoolean(m_link.fieldDef(), value);
    } catch (const EngineError&) {
        // A text field holding something else than a logical value shows unticked.
    }
    setChecked(ticked);
}

void DbCheckBox::nextCheckState()
{
    if (m_readOnly || !m_link.canModify())
        return;
    const bool ticked = !isChecked();
    if (!QtEdge::run([&] { m_link.write(ticked); }))
        m_link.reset();
}
