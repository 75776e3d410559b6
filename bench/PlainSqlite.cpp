#include "PlainSqlite.h"

#include <sqlite3.h>

#include <QFile>

namespace {

sqlite3* open(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    return db;
}

} // namespace

void PlainSqlite::copy(const QString& from, const QString& to)
{
    QFile::remove(to);
    sqlite3* source = open(from, SQLITE_OPEN_READONLY);
    sqlite3* target = open(to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    sqlite3_close(target);
    sqlite3_close(source);
}

void PlainSqlite::quickCheck(const QString& path)
{
    exec(path, "PRAGMA quick_check");
}

void PlainSqlite::exec(const QString& path, const char* sql)
{
    sqlite3* db = open(path, SQLITE_OPEN_READONLY);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void PlainSqlite::stepAll(sqlite3* db, const QByteArray& sql)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
}
