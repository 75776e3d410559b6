#pragma once

#include "FieldDataLink.h"

#include <QCheckBox>

// A check box bound to a logical field. A click puts the cursor into edit and writes the new
// state into the field at once; a blank field shows unticked.
class DbCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DbCheckBox(QWidget* parent = nullptr);
    explicit DbCheckBox(const QString& text, QWidget* parent = nullptr);

    void bind(DataSet* dataSet, const QString& fieldName);
    FieldDataLink& link() { return m_link; }

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

protected:
    void nextCheckState() override;

private:
    void showField();

    FieldDataLink m_link;
    bool m_readOnly = false;
};
