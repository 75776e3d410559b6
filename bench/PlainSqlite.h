#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3;

// The plain-SQLite side of the figures: the same work straight on the file, with no engine
// of ours between, as the yardstick each of our figures is set against.
class PlainSqlite {
public:
    static void copy(const QString& from, const QString& to);
    static void quickCheck(const QString& path);
    // Runs a statement and steps through all its rows.
    static void exec(const QString& path, const char* sql);
    // Steps through all rows of a statement on a connection already open.
    static void stepAll(sqlite3* db, const QByteArray& sql);
};
