#pragma once

#include "FieldDataLink.h"

#include <QComboBox>
#include <QPointer>

// A drop-down list bound to a field whose choices come from another cursor, like the old
// lookup combo box: each row of the list cursor offers its list field's text and stands for
// its key field's value. Choosing puts the cursor into edit and writes the key at once.
// A value missing from the list is still shown, greyed.
class DbLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DbLookupComboBox(QWidget* parent = nullptr);

    void bind(DataSet* dataSet, const QString& fieldName);
    // The list field defaults to the key field.
    void setListSource(DataSet* list, const QString& keyField, const QString& listField = {});
    FieldDataLink& link() { return m_link; }

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void showField();
    void fillList();
    void onActivated(int index);
    bool choosingAllowed() const;

    FieldDataLink m_link;
    QPointer<DataSet> m_list;
    QString m_keyField;
    QString m_listField;
    bool m_listStale = true;
    bool m_readOnly = false;
    QList<QMetaObject::Connection> m_listConnections;
};
