#include "DatabaseDump.h"

#include "Database.h"
#include "SqlStatement.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QString layoutPart = u"layout"_s;

template <typename T> void appendBytesOf(QByteArray& content, const T& value)
{
    content.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void appendValue(QByteArray& content, sqlite3_stmt* st, int column)
{
    const int type = sqlite3_column_type(st, column);
    appendBytesOf(content, type);
    if (type == SQLITE_INTEGER) {
        appendBytesOf(content, sqlite3_column_int64(st, column));
    } else if (type == SQLITE_FLOAT) {
        // Every bit of the number: two values printed alike may still differ.
        appendBytesOf(content, sqlite3_column_double(st, column));
    } else if (type != SQLITE_NULL) {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(st, column));
        const int bytes = sqlite3_column_bytes(st, column);
        appendBytesOf(content, bytes);
        content.append(data, bytes);
    }
}

} // namespace

DatabaseDump::DatabaseDump(Database& db)
{
    QStringList answers;
    SqlStatement check = db.prepare(u"PRAGMA integrity_check"_s);
    while (check.step())
        answers << check.text(0);
    m_integrity = answers.join(u'\n');
    readLayout(db);
    // Straight from the schema: the engine's list of tables may not know a table made
    // behind its back.
    SqlStatement tables = db.prepare(u"SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                     "name NOT LIKE 'sqlite_%' ORDER BY name"_s);
    while (tables.step())
        readRows(db, tables.text(0));
}

DatabaseDump DatabaseDump::ofDirectory(const QString& directory)
{
    Database db(directory);
    return DatabaseDump(db);
}

void DatabaseDump::readLayout(Database& db)
{
    QStringList lines{u"user_version %1"_s.arg(db.layoutVersion())};
    // The page a table starts on is the file's business, not its layout.
    SqlStatement schema =
        db.prepare(u"SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY type, name"_s);
    while (schema.step())
        lines << QStringList{schema.text(0), schema.text(1), schema.text(2), schema.text(3)}.join(
            u'|');
    m_parts.insert(layoutPart, lines.join(u'\n').toUtf8());
}

void DatabaseDump::readRows(Database& db, const QString& table)
{
    // Read through SQLite itself: every value as stored, its storage class included, so that
    // 1 and 1.0 or a blank and an empty text are told apart.
    sqlite3_stmt* st = nullptr;
    const QByteArray sql =
        "SELECT rowid, * FROM " + Database::quoteIdentifier(table).toUtf8() + " ORDER BY rowid";
    if (sqlite3_prepare_v2(db.handle(), sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        m_parts.insert(table, "unreadable: " + QByteArray(sqlite3_errmsg(db.handle())));
        return;
    }
    QByteArray content;
    int rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            appendValue(content, st, c);
    }
    sqlite3_finalize(st);
    m_parts.insert(table, content);
    m_rowCounts.insert(table, rows);
}

QStringList DatabaseDump::differencesFrom(const DatabaseDump& other) const
{
    QStringList differing;
    QStringList names = m_parts.keys() + other.m_parts.keys();
    names.removeDuplicates();
    for (const QString& name : std::as_const(names))
        if (m_parts.value(name) != other.m_parts.value(name))
            differing << (name == layoutPart ? name
                                             : u"%1 %2/%3"_s.arg(name)
                                                   .arg(m_rowCounts.value(name))
                                                   .arg(other.m_rowCounts.value(name)));
    return differing;
}
