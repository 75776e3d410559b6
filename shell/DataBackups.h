#pragma once

#include <QString>
#include <QStringList>

class Database;

// The backups of a data directory, in its folder "Zaloha": each written whole and checked
// before it takes a backup's name, the newest twenty kept, and a restore that keeps a copy
// of the data it replaces.
class DataBackups {
public:
    static constexpr int kept = 20;

    explicit DataBackups(const QString& dataDirectory);

    QString folder() const;
    // Every backup, newest first (the names sort by their time).
    QStringList backups() const;
    QString newest() const;

    // Writes a checked backup and returns its path. Throws EngineError: damaged data (the
    // kind Damaged) are never backed up, so they can never push a good backup out.
    QString make(Database& db);
    // Keeps a copy of the data as they are, then replaces them by the backup. Returns the
    // path of the copy. Throws EngineError when the backup is no good one; nothing changes.
    QString restore(Database& db, const QString& backupPath);

private:
    QString stampedPath(const QString& prefix) const;
    void ensureFolder() const;
    void prune() const;

    QString m_dataDirectory;
};
