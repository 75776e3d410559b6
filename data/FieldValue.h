#pragma once

#include "FieldDef.h"

#include <QDate>
#include <QVariant>

// Conversions between field values and what callers read and write. A field value is
// held in its canonical form: QString (text, memo), qint64 (integer), double (float),
// QDate (date), bool (boolean), or a null QVariant for a blank field.
class FieldValue {
public:
    // Brings a written value into the field's canonical form; empty text becomes blank.
    // Throws EngineError for a value the field cannot take (not a number, too long, …).
    static QVariant normalize(const FieldDef& field, const QVariant& value);

    // Reading: a blank field reads as "", 0, 0.0, false or an invalid date.
    static QString toText(const FieldDef& field, const QVariant& value);
    static qint64 toInteger(const FieldDef& field, const QVariant& value);
    static double toFloat(const FieldDef& field, const QVariant& value);
    static bool toBoolean(const FieldDef& field, const QVariant& value);
    static QDate toDate(const FieldDef& field, const QVariant& value);

    // Text of a decimal number as the user sees it: shortest form, no trailing zeros,
    // the system locale's decimal separator.
    static QString formatFloat(double value);
    // A whole number the user typed outside any field ("kolik", a year); throws the standard
    // conversion error for any other text.
    static int wholeNumberOf(const QString& text);
    // Accepts both "2,5" and "2.5"; false when the text is no number.
    static bool parseFloat(const QString& text, double* out);
};
