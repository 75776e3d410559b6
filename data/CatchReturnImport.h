#pragma once

#include "FieldDef.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

class Database;
class ParadoxTable;

// Appends the catch returns typed on another computer of the chapter – its year catch table
// as a Paradox file – to the local year catch table. Nothing is matched or merged: each row of
// the file becomes a new row, every field taken by name, and all rows of one import carry the
// same batch number in CISLO_POVOLENKY, so an import can be told apart afterwards.
class CatchReturnImport {
public:
    using Progress = std::function<void(int done, int total)>;

    // The file of the name in a typed folder, whether or not the folder ends with a separator.
    static QString importPath(const QString& folder, const QString& fileName);

    explicit CatchReturnImport(Database& db);

    // 1 + the highest batch number of the local table; 1 when no row has one. Values that are
    // not whole numbers are permit numbers, not batches, and do not count.
    int nextBatch(const QString& yearTable) const;
    // Appends every row of the file in one transaction and returns the batch number given
    // them. Throws EngineError – a missing or damaged file, a field of the file the local
    // table lacks, a value it cannot take – and then nothing is appended.
    int append(const QString& path, const QString& yearTable, const Progress& progress = {});
    // The batch under which every row of the file already stands in the local table (all
    // fields but the batch number equal), the latest one when several do; 0 when none does.
    int earlierBatchHolding(const QString& path, const QString& yearTable) const;

private:
    // Where each field of the file goes in the local table.
    struct Mapping {
        QString table;
        QList<FieldDef> fields; // the local table's
        QList<int> positions;   // one per field of the file
        int batchField = -1;
    };

    Mapping mappingFor(const ParadoxTable& source, const QString& yearTable) const;
    // A row of the file as a row of the local table, the batch number left blank.
    static QList<QVariant> localRow(const Mapping& mapping, const QVariantList& delivered);
    // The whole row but its batch number, as one text that is equal exactly when the rows are.
    static QString rowKey(const Mapping& mapping, const QList<QVariant>& row);
    void insertRow(const Mapping& mapping, const QList<QVariant>& row);

    Database& m_db;
};
