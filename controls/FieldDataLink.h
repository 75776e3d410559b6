#pragma once

#include "DataSet.h"
#include "FieldDef.h"

#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <functional>

// Ties one control to one field of a cursor, like the old field data link: it tells the
// control when to show the field again, puts the cursor into edit when the user starts a
// change, and writes the control's pending value into the field when asked. The cursor may
// be closed, reopened on another layout or switched off; the field is looked up each time.
class FieldDataLink : public QObject {
    Q_OBJECT
public:
    explicit FieldDataLink(QObject* parent = nullptr);
    ~FieldDataLink() override;

    void bind(DataSet* dataSet, const QString& fieldName);
    DataSet* dataSet() const { return m_dataSet; }
    const QString& fieldName() const { return m_fieldName; }

    // The cursor is open, announces its changes and has the field.
    bool isActive() const;
    // -1 when not active.
    int fieldIndex() const;
    FieldDef fieldDef() const;
    QVariant value() const;
    bool isEditing() const;
    // Only cursors on a table take changes.
    bool canModify() const;

    // Puts the cursor into edit for a change the user starts. False, with the error
    // reported, when it cannot.
    bool edit();
    // The control holds a change its field has not received yet.
    void setModified() { m_modified = true; }
    bool isModified() const { return m_modified; }
    // Writes the pending change (the control's value) into the field; throws EngineError
    // when the field refuses it, and the change stays pending.
    void updateRecord();
    // The same, showing a refused value to the user instead of throwing; false then.
    bool tryUpdateRecord();
    // On leaving an input: writes the typed text, or shows the refusal and keeps the user
    // in the input. False when refused.
    bool leaveOrRefuse(QWidget* input);
    // Writes a value at once, putting the cursor into edit first; throws EngineError.
    void write(const QVariant& value);
    // Forgets the pending change and has the control show the field again.
    void reset();

    // The control's current value, asked for when a pending change is written.
    std::function<QVariant()> controlValue;

signals:
    // Show the field's value again (another record, the field changed, cursor closed).
    void dataChanged();
    // Opened, closed, editing started or ended.
    void stateChanged();

private:
    void connectDataSet();
    void disconnectDataSet();
    void onRecordChanged();
    void onFieldChanged(int index);

    QPointer<DataSet> m_dataSet;
    QString m_fieldName;
    bool m_modified = false;
    QList<QMetaObject::Connection> m_connections;
};
