#pragma once

#include "FieldDataLink.h"

#include <QLineEdit>

#include <optional>

// A line edit bound to a field, like the old data-aware edit: it shows the field of the
// current record, typing puts the cursor into edit, and the typed text reaches the field
// when the input is left, on Enter, and before the cursor posts or moves (through its
// DataLinks). Text fields limit the length to the field's size; number and date fields take
// only the characters such values are written with.
class DbEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DbEdit(QWidget* parent = nullptr);

    void bind(DataSet* dataSet, const QString& fieldName);
    FieldDataLink& link() { return m_link; }
    const FieldDataLink& link() const { return m_link; }

    // Writes the typed text into the field now. False, with the error reported, when the
    // field refuses it; the text then stays for the user to correct.
    bool commit();
    // A mark the user reads but never types into: red and bold on the window's background,
    // without the frame and focus of an input.
    void showAsMark();

signals:
    // The focus left the input and its text reached the field (the old exit event).
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // The value written for the text; throws EngineError for text the field cannot take.
    virtual QVariant valueOfText(const QString& text) const;
    virtual int lengthLimit(const FieldDef& field) const;
    virtual QString allowedCharacters(const FieldDef& field) const;

private:
    void showField();
    void applyFieldKind();
    void onTextEdited();
    void onKey(int key);

    FieldDataLink m_link;
    std::optional<FieldType> m_kind; // the kind the validator was made for
};
