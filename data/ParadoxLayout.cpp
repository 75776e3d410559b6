#include "ParadoxLayout.h"

#include "ParadoxTable.h"
#include "TableDef.h"

#include <QDateTime>

#include <algorithm>

QList<FieldDef> ParadoxLayout::fieldsOf(const ParadoxTable& source, const TableDef& model)
{
    QList<FieldDef> fields;
    for (const ParadoxField& field : source.fields())
        fields << fieldFor(field, model);
    return fields;
}

FieldDef ParadoxLayout::fieldFor(const ParadoxField& field, const TableDef& model)
{
    const int known = model.fieldIndex(field.name());
    if (known < 0)
        return fieldOfKind(field);
    FieldDef def = model.fields[known];
    if (def.type == FieldType::Text && field.type() == ParadoxField::Type::Alpha)
        def.size = std::max(def.size, field.size());
    return def;
}

FieldDef ParadoxLayout::fieldOfKind(const ParadoxField& field)
{
    switch (field.type()) {
    case ParadoxField::Type::Alpha:
        return FieldDef::text(field.name(), field.size());
    case ParadoxField::Type::Short:
    case ParadoxField::Type::Long:
    case ParadoxField::Type::AutoIncrement:
        return FieldDef::integer(field.name());
    case ParadoxField::Type::Number:
    case ParadoxField::Type::Currency:
    case ParadoxField::Type::Bcd:
        return FieldDef::real(field.name());
    case ParadoxField::Type::Date:
        return FieldDef::date(field.name());
    case ParadoxField::Type::Logical:
        return FieldDef::boolean(field.name());
    default:
        return FieldDef::memo(field.name());
    }
}

QVariant ParadoxLayout::storedValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss.zzz"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(Qt::ISODateWithMs);
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray().toHex());
    default:
        return value;
    }
}
