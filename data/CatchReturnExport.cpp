#include "CatchReturnExport.h"

#include "Database.h"
#include "EngineError.h"
#include "ParadoxExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <filesystem>
#include <system_error>

namespace {

QString pathIn(const QString& folder, const QString& fileName)
{
    return QDir(folder).filePath(fileName);
}

// Replaces an older file in one step, so a reader never finds half of either.
void putInPlace(const QString& passing, const QString& path)
{
    std::error_code error;
    std::filesystem::rename(passing.toStdU16String(), path.toStdU16String(), error);
    if (error)
        throw EngineError(
            QStringLiteral("Soubor %1 nelze zapsat: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(error.message())));
}

} // namespace

CatchReturnExport::CatchReturnExport(Database& db)
    : m_db(db)
{
}

QStringList CatchReturnExport::existingFiles(const QString& folder, const QStringList& tableFiles)
{
    QStringList existing;
    for (const QString& file : tableFiles)
        if (QFileInfo::exists(pathIn(folder, file)))
            existing << pathIn(folder, file);
    return existing;
}

QStringList CatchReturnExport::write(const QString& folder, const QStringList& tableFiles,
                                     bool overwrite)
{
    if (!overwrite) {
        const QStringList existing = existingFiles(folder, tableFiles);
        if (!existing.isEmpty())
            throw EngineError(QStringLiteral("Soubor %1 už existuje.")
                                  .arg(QDir::toNativeSeparators(existing.constFirst())));
    }
    QStringList passing;
    QStringList written;
    try {
        for (const QString& file : tableFiles)
            passing << writePassing(folder, file);
        for (const QString& file : tableFiles) {
            putInPlace(passing.constFirst(), pathIn(folder, file));
            passing.removeFirst();
            written << pathIn(folder, file);
        }
    } catch (...) {
        for (const QString& p : std::as_const(passing))
            QFile::remove(p);
        throw;
    }
    return written;
}

QString CatchReturnExport::writePassing(const QString& folder, const QString& tableFile)
{
    const QString table = m_db.requireTable(tableFile);
    const QString passing = pathIn(
        folder,
        QStringLiteral(".%1.%2.tmp").arg(tableFile, QUuid::createUuid().toString(QUuid::Id128)));
    ParadoxExport::write(m_db, table, m_db.tableDef(table).fields, passing);
    return passing;
}
