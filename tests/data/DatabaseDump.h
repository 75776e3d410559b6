#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

class Database;

// What a database holds, to tell whether two states are the same to the last value: the
// layout of every table and index, the layout version, and every row of every table with its
// row id and the exact stored value of every column, kept per table so that a difference names
// its tables.
class DatabaseDump {
public:
    explicit DatabaseDump(Database& db);
    // Opens the data directory as the program would after a crash (recovering what a killed
    // process left in the log) and reads it.
    static DatabaseDump ofDirectory(const QString& directory);

    // The answer of PRAGMA integrity_check: "ok" for a sound file.
    const QString& integrity() const { return m_integrity; }
    // "layout" and the tables whose content is not the same in both, each with its rows here
    // and there: "Povol 50/53".
    QStringList differencesFrom(const DatabaseDump& other) const;
    bool operator==(const DatabaseDump& other) const { return m_parts == other.m_parts; }

private:
    void readLayout(Database& db);
    void readRows(Database& db, const QString& table);

    QString m_integrity;
    QMap<QString, QByteArray> m_parts; // "layout" and each table: its content as stored
    QMap<QString, int> m_rowCounts;
};
