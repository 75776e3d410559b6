#pragma once

#include "FieldDef.h"

#include <QDate>
#include <QString>
#include <QVariant>

class DataSet;

// A field of a cursor's current record, read and written as text, integer, float,
// boolean or date. A blank field reads as "", 0, 0.0, false or an invalid date.
class Field {
public:
    Field(DataSet& dataSet, int index);

    const FieldDef& def() const;
    const QString& name() const { return def().name; }
    int index() const { return m_index; }

    bool isNull() const;
    QVariant value() const;
    QString asString() const;
    qint64 asInteger() const;
    double asFloat() const;
    bool asBoolean() const;
    QDate asDate() const;

    void setValue(const QVariant& value);
    void setAsString(const QString& value) { setValue(value); }
    void setAsInteger(qint64 value) { setValue(value); }
    void setAsFloat(double value) { setValue(value); }
    void setAsBoolean(bool value) { setValue(value); }
    void setAsDate(const QDate& value) { setValue(value); }
    void clear() { setValue(QVariant()); }

private:
    DataSet* m_dataSet;
    int m_index;
};
