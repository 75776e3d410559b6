#include "CatchReturnImport.h"

#include "Database.h"
#include "EngineError.h"
#include "FieldValue.h"
#include "ParadoxError.h"
#include "ParadoxLayout.h"
#include "ParadoxTable.h"
#include "SqlStatement.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <optional>

namespace {

const QString batchField = QStringLiteral("CISLO_POVOLENKY");

// The file, or the engine's error naming it: a file that is not there, or a damaged one.
template <class Work> auto readingFile(const QString& path, Work work)
{
    if (!QFileInfo(path).isFile())
        throw EngineError(QStringLiteral("Soubor ") + QDir::toNativeSeparators(path) +
                              QStringLiteral(" nebyl nalezen."),
                          EngineError::Kind::Missing);
    try {
        const ParadoxTable source(path);
        return work(source);
    } catch (const ParadoxError& e) {
        throw EngineError(e.message(), EngineError::Kind::Damaged);
    }
}

// A batch number as stored. A row typed here has none, and neither has one that carries a
// permit number there, as rows taken over from elsewhere may: such a row is no batch.
std::optional<int> batchOf(const QString& stored)
{
    bool ok = false;
    const int batch = stored.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return batch;
}

} // namespace

QString CatchReturnImport::importPath(const QString& folder, const QString& fileName)
{
    const QString typed = folder.trimmed();
    if (typed.isEmpty() || typed.endsWith(u'/') || typed.endsWith(u'\\'))
        return typed + fileName;
    return typed + QDir::separator() + fileName;
}

CatchReturnImport::CatchReturnImport(Database& db)
    : m_db(db)
{
}

int CatchReturnImport::nextBatch(const QString& yearTable) const
{
    const QString table = m_db.requireTable(yearTable);
    SqlStatement select = m_db.prepare(
        QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 IS NOT NULL")
            .arg(Database::quoteIdentifier(batchField), Database::quoteIdentifier(table)));
    int highest = 0;
    while (select.step())
        highest = std::max(highest, batchOf(select.text(0)).value_or(0));
    return highest + 1;
}

int CatchReturnImport::append(const QString& path, const QString& yearTable,
                              const Progress& progress)
{
    int batch = 0;
    QString table;
    try {
        readingFile(path, [&](const ParadoxTable& source) {
            Database::Transaction transaction(m_db);
            const Mapping mapping = mappingFor(source, yearTable);
            table = mapping.table;
            batch = nextBatch(yearTable);
            const int total = source.recordCount();
            int done = 0;
            source.forEachRecord([&](const QVariantList& delivered) {
                QList<QVariant> row = localRow(mapping, delivered);
                row[mapping.batchField] = QString::number(batch);
                insertRow(mapping, row);
                if (progress)
                    progress(++done, total);
                return true;
            });
            transaction.commit();
        });
    } catch (EngineError& e) {
        e.setMessage(e.message() + QStringLiteral("\n\rZe souboru nebylo připojeno nic."));
        throw;
    }
    m_db.touch(table);
    return batch;
}

int CatchReturnImport::earlierBatchHolding(const QString& path, const QString& yearTable) const
{
    return readingFile(path, [&](const ParadoxTable& source) {
        Mapping mapping;
        try {
            mapping = mappingFor(source, yearTable);
        } catch (const EngineError&) {
            return 0; // a file of another layout cannot have been appended before
        }
        QHash<QString, int> wanted;
        source.forEachRecord([&](const QVariantList& delivered) {
            ++wanted[rowKey(mapping, localRow(mapping, delivered))];
            return true;
        });
        if (wanted.isEmpty())
            return 0;

        QStringList columns;
        for (const FieldDef& f : std::as_const(mapping.fields))
            columns << Database::quoteIdentifier(f.name);
        SqlStatement select = m_db.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 IS NOT NULL")
                                               .arg(columns.join(QStringLiteral(", ")),
                                                    Database::quoteIdentifier(mapping.table),
                                                    Database::quoteIdentifier(batchField)));
        QHash<int, QHash<QString, int>> held; // batch -> rows of the file it holds
        while (select.step()) {
            QList<QVariant> row;
            for (int c = 0; c < mapping.fields.size(); ++c)
                row << select.value(c, mapping.fields[c].type);
            const QString key = rowKey(mapping, row);
            const auto batch = batchOf(row[mapping.batchField].toString());
            if (batch && wanted.contains(key))
                ++held[*batch][key];
        }
        int latest = 0;
        for (auto it = held.cbegin(); it != held.cend(); ++it) {
            bool holdsAll = true;
            for (auto w = wanted.cbegin(); holdsAll && w != wanted.cend(); ++w)
                holdsAll = it.value().value(w.key()) >= w.value();
            if (holdsAll)
                latest = std::max(latest, it.key());
        }
        return latest;
    });
}

CatchReturnImport::Mapping CatchReturnImport::mappingFor(const ParadoxTable& source,
                                                         const QString& yearTable) const
{
    Mapping mapping;
    mapping.table = m_db.requireTable(yearTable);
    const TableDef& def = m_db.tableDef(mapping.table);
    mapping.fields = def.fields;
    mapping.batchField = def.fieldIndex(batchField);
    if (mapping.batchField < 0)
        throw EngineError(QStringLiteral("Tabulka %1 nemá pole %2.").arg(mapping.table, batchField),
                          EngineError::Kind::Missing);
    for (const ParadoxField& field : source.fields()) {
        const int position = def.fieldIndex(field.name());
        if (position < 0)
            throw EngineError(
                QStringLiteral("Soubor %1 má pole %2, které tabulka %3 nemá.")
                    .arg(QDir::toNativeSeparators(source.path()), field.name(), mapping.table),
                EngineError::Kind::Missing);
        mapping.positions << position;
    }
    return mapping;
}

QList<QVariant> CatchReturnImport::localRow(const Mapping& mapping, const QVariantList& delivered)
{
    QList<QVariant> row(mapping.fields.size());
    for (int i = 0; i < delivered.size() && i < mapping.positions.size(); ++i) {
        const int position = mapping.positions[i];
        row[position] = FieldValue::normalize(mapping.fields[position],
                                              ParadoxLayout::storedValue(delivered[i]));
    }
    row[mapping.batchField] = QVariant();
    return row;
}

QString CatchReturnImport::rowKey(const Mapping& mapping, const QList<QVariant>& row)
{
    QStringList parts;
    for (int i = 0; i < row.size(); ++i) {
        if (i == mapping.batchField)
            continue;
        parts << (row[i].isNull() ? QStringLiteral("\u2205") : row[i].toString());
    }
    return parts.join(QChar(0x1f));
}

void CatchReturnImport::insertRow(const Mapping& mapping, const QList<QVariant>& row)
{
    SqlStatement& insert = m_db.cached(m_db.insertSql(mapping.table));
    for (int i = 0; i < row.size(); ++i)
        insert.bind(i + 1, row[i]);
    insert.run();
}
