#pragma once

#include "DbEdit.h"

// A date input bound to a field, written and shown as d.M.yyyy (dd.mm.yyyy is taken too).
// Bound to a text field it still accepts only dates and stores them in that one form.
class DbDateEdit : public DbEdit {
    Q_OBJECT
public:
    explicit DbDateEdit(QWidget* parent = nullptr);

protected:
    QVariant valueOfText(const QString& text) const override;
    int lengthLimit(const FieldDef& field) const override;
    QString allowedCharacters(const FieldDef& field) const override;
};
