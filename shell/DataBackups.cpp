#include "DataBackups.h"

#include "Database.h"
#include "EngineError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString backupPattern = QStringLiteral("zeb-*.sqlite");
const QString backupPrefix = QStringLiteral("zeb-");
// A copy of the data a restore replaced: not a backup, never pruned.
const QString replacedPrefix = QStringLiteral("nahrazena-");
} // namespace

DataBackups::DataBackups(const QString& dataDirectory)
    : m_dataDirectory(dataDirectory)
{
}

QString DataBackups::folder() const
{
    return QDir(m_dataDirectory).filePath(QStringLiteral("Zaloha"));
}

QStringList DataBackups::backups() const
{
    QStringList paths;
    for (const QString& name :
         QDir(folder()).entryList({backupPattern}, QDir::Files, QDir::Name | QDir::Reversed))
        paths << QDir(folder()).filePath(name);
    return paths;
}

QString DataBackups::newest() const
{
    return backups().value(0);
}

QString DataBackups::stampedPath(const QString& prefix) const
{
    const QString stamp =
        prefix + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    // Two backups within a second must not meet under one name.
    QString path = QDir(folder()).filePath(stamp + QStringLiteral(".sqlite"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder()).filePath(stamp + QStringLiteral("-%1.sqlite").arg(n));
    return path;
}

void DataBackups::ensureFolder() const
{
    if (!QDir().mkpath(folder()))
        throw EngineError(QStringLiteral("Složku záloh %1 nelze vytvořit.")
                              .arg(QDir::toNativeSeparators(folder())));
}

QString DataBackups::make(Database& db)
{
    ensureFolder();
    const QString path = stampedPath(backupPrefix);
    db.backupTo(path);
    prune();
    return path;
}

void DataBackups::prune() const
{
    // Only checked backups carry the name, so the newest twenty are twenty good ones.
    const QStringList all = backups();
    for (qsizetype i = kept; i < all.size(); ++i)
        QFile::remove(all[i]);
    // What a backup killed half-way left under its working name.
    for (const QString& name : QDir(folder()).entryList(
             {QStringLiteral("*.part"), QStringLiteral("*.part-journal")}, QDir::Files))
        QFile::remove(QDir(folder()).filePath(name));
}

QString DataBackups::restore(Database& db, const QString& backupPath)
{
    ensureFolder();
    const QString replaced = stampedPath(replacedPrefix);
    db.copyTo(replaced);
    try {
        db.restoreFrom(backupPath);
    } catch (...) {
        QFile::remove(replaced);
        throw;
    }
    return replaced;
}
