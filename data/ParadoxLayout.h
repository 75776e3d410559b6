#pragma once

#include "FieldDef.h"

#include <QList>
#include <QVariant>

class ParadoxField;
class ParadoxTable;
struct TableDef;

// How a Paradox table's fields and values are kept in our tables: a field the program knows
// keeps the program's definition (widened where the Paradox text is longer), any other its
// Paradox kind; times, stamps and binary data, which the chapter's own tables never hold,
// are kept as text so that nothing of them is lost.
class ParadoxLayout {
public:
    static QList<FieldDef> fieldsOf(const ParadoxTable& source, const TableDef& model);
    static QVariant storedValue(const QVariant& value);

private:
    static FieldDef fieldFor(const ParadoxField& field, const TableDef& model);
    static FieldDef fieldOfKind(const ParadoxField& field);
};
