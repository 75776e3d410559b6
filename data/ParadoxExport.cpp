#include "ParadoxExport.h"

#include "Database.h"
#include "EngineError.h"
#include "ParadoxError.h"
#include "ParadoxWriter.h"
#include "SqlStatement.h"

namespace {

// The longest text a Paradox alpha field holds; memos of the older layouts fit in it.
constexpr int LongestAlpha = 255;

} // namespace

ParadoxField ParadoxExport::paradoxField(const FieldDef& field)
{
    switch (field.type) {
    case FieldType::Text:
        return {field.name, ParadoxField::Type::Alpha, field.size};
    case FieldType::Memo:
        return {field.name, ParadoxField::Type::Alpha, LongestAlpha};
    case FieldType::Integer:
        return {field.name, ParadoxField::Type::Long, 4};
    case FieldType::Float:
        return {field.name, ParadoxField::Type::Number, 8};
    case FieldType::Date:
        return {field.name, ParadoxField::Type::Date, 4};
    case FieldType::Boolean:
        return {field.name, ParadoxField::Type::Logical, 1};
    }
    return {field.name, ParadoxField::Type::Alpha, field.size};
}

QList<QVariantList> ParadoxExport::rowsOf(Database& db, const QList<FieldDef>& fields,
                                          const QString& table)
{
    QStringList columns;
    for (const FieldDef& f : fields)
        columns << Database::quoteIdentifier(f.name);
    SqlStatement select =
        db.prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                       .arg(columns.join(QStringLiteral(", ")), Database::quoteIdentifier(table)));
    QList<QVariantList> rows;
    while (select.step()) {
        QVariantList row;
        for (int c = 0; c < fields.size(); ++c)
            row << select.value(c, fields[c].type);
        rows << row;
    }
    return rows;
}

void ParadoxExport::write(Database& db, const QString& table, const QList<FieldDef>& fields,
                          const QString& path)
{
    QList<ParadoxField> paradoxFields;
    for (const FieldDef& f : fields)
        paradoxFields << paradoxField(f);
    try {
        ParadoxWriter::write(path, paradoxFields, rowsOf(db, fields, table));
    } catch (const ParadoxError& e) {
        throw EngineError(e.message());
    }
}
