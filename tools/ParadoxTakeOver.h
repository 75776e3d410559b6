#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

class Database;
class ParadoxTable;
struct TableDef;

// Takes over a chapter's data kept as a directory of Paradox tables: every table of the
// directory, whatever its layout, becomes a table of a new zeb.sqlite beside them, with every
// row and value. The Paradox files are left as they are. The new data keep the old layouts;
// the program's start-up brings them up to date as it does with its own older data.
class ParadoxTakeOver {
public:
    // Rows taken over per table, in the order the tables were read.
    using Counts = QList<QPair<QString, int>>;
    // Told before each table is read: its file name, its place and the number of tables.
    using Progress = std::function<void(const QString& file, int done, int total)>;

    // The Paradox table files of a directory (".DB" in any letter case), sorted by name.
    static QStringList tableFiles(const QString& directory);
    // A directory holding a chapter's Paradox tables (its member table among them) and no
    // data of this program.
    static bool offeredFor(const QString& directory);

    // Throws EngineError naming the file and what is wrong with it; no zeb.sqlite is then left.
    static Counts takeOver(const QString& directory, const Progress& progress = {});
    // "Clenove: 1234 záznamů", a line per table, as the program and the tool report them.
    static QStringList countLines(const Counts& counts);

private:
    static Counts fill(Database& db, const QString& directory, const Progress& progress);
    static int copyTable(Database& db, const ParadoxTable& source, const QString& tableName);
    static TableDef layoutOf(const ParadoxTable& source, const QString& tableName);
    static void addMissingTables(Database& db);
};
