#pragma once

#include "ParadoxField.h"

#include <QString>
#include <QStringList>

class Database;
struct FieldDef;

// Writes a chapter's tables as Paradox files in the layouts of the program's earlier
// versions: the fee tables without the local permits and postage, the catch tables without
// the newer species, memos as long texts. It is how a chapter moving over brings its data,
// and it feeds the take-over's tests and benchmark with real chapters of any size.
class ParadoxChapterWriter {
public:
    // Every table of the database into the directory, as "<table>.DB". Throws EngineError.
    static void writeOlderLayouts(Database& db, const QString& directory);
    // The fields of today's layout that the older layout of the table did not have.
    static QStringList newerFields(const QString& tableName);
    // The Paradox field an older version kept a field of the data model in.
    static ParadoxField paradoxField(const FieldDef& field);
};
