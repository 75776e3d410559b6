#pragma once

#include "FieldDef.h"
#include "ParadoxField.h"

#include <QList>
#include <QString>
#include <QVariant>

class Database;

// Our tables written as Paradox files, as the union's computers, other chapters' programs
// and the program's earlier versions read them.
class ParadoxExport {
public:
    // The Paradox field a field of the data model is kept in.
    static ParadoxField paradoxField(const FieldDef& field);
    // The given fields of every row of the stored table, in stored order.
    static QList<QVariantList> rowsOf(Database& db, const QList<FieldDef>& fields,
                                      const QString& table);
    // The given fields of the stored table into a new file at the path (an existing file is
    // an error). Throws EngineError and leaves no file behind.
    static void write(Database& db, const QString& table, const QList<FieldDef>& fields,
                      const QString& path);
};
