#pragma once

#include "FieldDef.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

struct SqlToken;

// A cursor filter in the old engine's notation ("CLEN_CISLO='105'", "ZENA=true",
// "POZOR<>''", "ROK<=2012", "DATUM<=31.12.2012", "CLEN_CISLO='1*'", joined with and/or).
// One parsed form serves both the SQL a table cursor runs and the test a query cursor
// makes on rows it holds, so the two agree on every value.
//
// Blank fields: "= ''" matches a blank field, "<> ''" a filled one; "<> value" also
// matches blank fields; "=", "<", "<=", ">", ">=" with a value never match a blank one.
class FilterExpression {
public:
    FilterExpression();
    // Throws EngineError naming the fault: unknown field, bad value, bad syntax.
    static FilterExpression parse(const QString& text, const QList<FieldDef>& fields);
    // The field equals the value, compared whole: no character of the value (a trailing
    // '*' included) widens it, as no value from the data or the user may. Throws EngineError
    // for an unknown field or a value the field cannot hold.
    static FilterExpression equalTo(const QList<FieldDef>& fields, const QString& fieldName,
                                    const QVariant& value);

    bool isEmpty() const { return !m_root; }
    // SQL condition over the field names; values are appended to binds in canonical form.
    QString toSql(QList<QVariant>* binds) const;
    bool matches(const QList<QVariant>& row) const;

private:
    struct Node;
    class Parser;
    std::shared_ptr<const Node> m_root;
    QList<FieldDef> m_fields;
};
