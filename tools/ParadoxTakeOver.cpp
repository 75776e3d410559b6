#include "ParadoxTakeOver.h"

#include "DataDirectoryInitializer.h"
#include "DataModel.h"
#include "Database.h"
#include "EngineError.h"
#include "ParadoxError.h"
#include "ParadoxLayout.h"
#include "ParadoxTable.h"
#include "RowWriter.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString memberTableFile()
{
    return QStringLiteral("Clenove.DB");
}

// The table a file becomes: the program's own name for a table it knows, else the file's.
QString tableNameFor(const QString& file)
{
    const QString bare = QFileInfo(file).completeBaseName();
    const QString known = DataModel::table(bare).name;
    return known.isEmpty() ? bare : known;
}

} // namespace

QStringList ParadoxTakeOver::tableFiles(const QString& directory)
{
    QStringList files;
    for (const QFileInfo& entry : QDir(directory).entryInfoList(QDir::Files, QDir::Name))
        if (entry.suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0)
            files << entry.fileName();
    return files;
}

bool ParadoxTakeOver::offeredFor(const QString& directory)
{
    if (Database::existsIn(directory))
        return false;
    const QStringList files = tableFiles(directory);
    return std::any_of(files.begin(), files.end(), [](const QString& f) {
        return f.compare(memberTableFile(), Qt::CaseInsensitive) == 0;
    });
}

ParadoxTakeOver::Counts ParadoxTakeOver::takeOver(const QString& directory,
                                                  const Progress& progress)
{
    Counts counts;
    DataDirectoryInitializer::build(directory,
                                    [&](Database& db) { counts = fill(db, directory, progress); });
    return counts;
}

QStringList ParadoxTakeOver::countLines(const Counts& counts)
{
    QStringList lines;
    for (const auto& [table, rows] : counts)
        lines << QStringLiteral("%1: %2 záznamů").arg(table).arg(rows);
    return lines;
}

ParadoxTakeOver::Counts ParadoxTakeOver::fill(Database& db, const QString& directory,
                                              const Progress& progress)
{
    const QStringList files = tableFiles(directory);
    Counts counts;
    // One commit: the rows of a whole chapter would otherwise wait on the disk one by one.
    Database::Transaction transaction(db);
    for (int i = 0; i < files.size(); ++i) {
        if (progress)
            progress(files[i], i, int(files.size()));
        const QString tableName = tableNameFor(files[i]);
        try {
            const ParadoxTable source(QDir(directory).filePath(files[i]));
            counts.append({tableName, copyTable(db, source, tableName)});
        } catch (const ParadoxError& e) {
            throw EngineError(e.message(), EngineError::Kind::Damaged);
        }
    }
    addMissingTables(db);
    transaction.commit();
    return counts;
}

int ParadoxTakeOver::copyTable(Database& db, const ParadoxTable& source, const QString& tableName)
{
    if (db.fileExists(tableName))
        throw EngineError(QStringLiteral("V adresáři jsou dva soubory tabulky %1 lišící se jen "
                                         "velikostí písmen; nelze poznat, který platí.")
                              .arg(tableName));
    const TableDef layout = layoutOf(source, tableName);
    db.createTable(layout);
    RowWriter writer(db, tableName, RowWriter::Keys::OfStoredLayout);
    int rows = 0;
    source.forEachRecord([&](const QVariantList& values) {
        writer.append();
        try {
            for (int f = 0; f < values.size(); ++f)
                writer.set(layout.fields[f].name, ParadoxLayout::storedValue(values[f]));
            writer.post();
        } catch (const EngineError& e) {
            throw EngineError(QStringLiteral("Tabulku %1 nelze převzít, záznam %2: %3")
                                  .arg(QDir::toNativeSeparators(source.path()))
                                  .arg(rows + 1)
                                  .arg(e.message()),
                              e.kind());
        }
        ++rows;
        return true;
    });
    return rows;
}

TableDef ParadoxTakeOver::layoutOf(const ParadoxTable& source, const QString& tableName)
{
    const TableDef model = DataModel::table(tableName);
    TableDef layout(tableName, ParadoxLayout::fieldsOf(source, model));
    // Keys and orders of the program's own tables, where the old layout has their fields;
    // blank keys are left to the start-up, which names the tables that hold them.
    const auto has = [&layout](const QString& field) {
        return !field.isEmpty() && layout.fieldIndex(field) >= 0;
    };
    if (has(model.primaryKey))
        layout.primaryKey = model.primaryKey;
    if (has(model.secondaryIndex))
        layout.secondaryIndex = model.secondaryIndex;
    for (const QString& field : model.searchIndexes)
        if (has(field))
            layout.searchIndexes << field;
    return layout;
}

void ParadoxTakeOver::addMissingTables(Database& db)
{
    // Tables the old program made only when first needed, or never had, are made empty in
    // today's layout. A missing year catch table of 2000 takes the layout of another one of
    // its kind, because start-up judges by it whether the catch tables need the new species.
    for (const TableDef& def : DataModel::tables())
        if (!db.fileExists(def.name))
            db.createTable(def);
    for (const bool trout : {false, true}) {
        const QString name = DataModel::yearCatchTableName(trout, 2000);
        if (db.fileExists(name))
            continue;
        const QStringList sameKind = db.findFiles(
            DataModel::yearCatchTableName(trout, 2000).left(4) + QStringLiteral("*.DB"));
        TableDef def = sameKind.isEmpty() ? DataModel::table(name)
                                          : db.tableDef(db.requireTable(sameKind.first()));
        def.name = name;
        db.createTable(def);
    }
}
