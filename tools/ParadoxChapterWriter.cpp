#include "ParadoxChapterWriter.h"

#include "DataModel.h"
#include "Database.h"
#include "ParadoxExport.h"

#include <QDir>

ParadoxField ParadoxChapterWriter::paradoxField(const FieldDef& field)
{
    return ParadoxExport::paradoxField(field);
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
        for (const FieldDef& f : db.tableDef(table).fields) {
            if (newer.contains(f.name))
                continue;
            kept << f;
        }
        ParadoxExport::write(db, table, kept,
                             QDir(directory).filePath(table + QStringLiteral(".DB")));
    }
}
