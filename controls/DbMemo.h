#pragma once

#include "FieldDataLink.h"

#include <QPlainTextEdit>

// A multi-line text bound to a memo or text field. Typing or pasting puts the cursor into
// edit; the text reaches the field when the memo is left and before the cursor posts.
class DbMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DbMemo(QWidget* parent = nullptr);

    void bind(DataSet* dataSet, const QString& fieldName);
    FieldDataLink& link() { return m_link; }

    // Writes the text into the field now; false, with the error reported, when refused.
    bool commit();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void showField();
    void onTextChanged();
    bool startChange();

    FieldDataLink m_link;
    bool m_showing = false;
};
