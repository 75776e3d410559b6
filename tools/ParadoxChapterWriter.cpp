#include "ParadoxChapterWriter.h"

#include "DataModel.h"
#include "Database.h"
#include "EngineError.h"
#include "ParadoxError.h"
#include "ParadoxField.h"
#include "ParadoxWriter.h"
#include "SqlStatement.h"

#include <QDir>

namespace {

// The longest text a Paradox alpha field holds; memos of the older layouts fit in it.
constexpr int LongestAlpha = 255;

QList<QVariantList> rowsOf(Database& db, const QList<FieldDef>& fields, const QString& table)
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

} // namespace

ParadoxField ParadoxChapterWriter::paradoxField(const FieldDef& field)
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

QStringList ParadoxChapterWriter::newerFields(const QString& tableName)
{
    const TableDef model = DataModel::table(tableName);
    QStringList newer;
    if (model.fieldIndex(QStringLiteral("POSTOVNE")) >= 0) {
        for (const QString& item : DataModel::feeItems())
            if (item.startsWith(QLatin1String("MI_")) || item == QLatin1String("POSTOVNE"))
                newer << item;
        newer << QStringLiteral("MI_CESTNA") << QStringLiteral("MI_CELKEM");
    }
    if (model.fieldIndex(QStringLiteral("PODOUSTEV_KS")) >= 0)
        for (const char* species : {"PODOUSTEV", "RYBA_1", "RYBA_2"})
            newer << QLatin1String(species) + QStringLiteral("_KS")
                  << QLatin1String(species) + QStringLiteral("_KG");
    return newer;
}

void ParadoxChapterWriter::writeOlderLayouts(Database& db, const QString& directory)
{
    for (const QString& table : db.tableNames()) {
        const QStringList newer = newerFields(table);
        QList<FieldDef> kept;
        QList<ParadoxField> fields;
        for (const FieldDef& f : db.tableDef(table).fields) {
            if (newer.contains(f.name))
                continue;
            kept << f;
            fields << paradoxField(f);
        }
        try {
            ParadoxWriter::write(QDir(directory).filePath(table + QStringLiteral(".DB")), fields,
                                 rowsOf(db, kept, table));
        } catch (const ParadoxError& e) {
            throw EngineError(e.message());
        }
    }
}
