#include "TableDef.h"

int TableDef::fieldIndex(const QString& fieldName) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool TableDef::isRequired(const QString& fieldName) const
{
    return requiredFields.contains(fieldName, Qt::CaseInsensitive);
}

QStringList TableDef::fieldNames() const
{
    QStringList names;
    for (const FieldDef& f : fields)
        names << f.name;
    return names;
}
