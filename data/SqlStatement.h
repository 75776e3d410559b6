#pragma once

#include "FieldDef.h"

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

// One prepared SQLite statement (RAII). Binds and reads values in the engine's storage
// form: dates as ISO text, booleans as 0/1, blank as NULL. Failures throw EngineError.
class SqlStatement {
public:
    SqlStatement(sqlite3* db, const QString& sql);
    ~SqlStatement();
    SqlStatement(SqlStatement&& other) noexcept;
    SqlStatement& operator=(SqlStatement&& other) noexcept;
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    void reset();
    void bind(int index, const QVariant& canonicalValue); // 1-based
    int parameterCount() const;
    QString parameterName(int index) const; // without the leading ':'

    // Steps once; true when a row is there.
    bool step();
    // Runs a statement that returns no rows.
    void run();

    bool returnsRows() const;
    int columnCount() const;
    QString columnName(int column) const;
    QString columnDeclaredType(int column) const;
    bool isNull(int column) const;
    qint64 integer(int column) const;
    // The column as a double; 0 for a blank.
    double real(int column) const;
    QString text(int column) const;
    // The column's text as SQLite gives it; valid until the next step.
    QByteArrayView utf8(int column) const;
    // The column's value itself, for readers of many values (valid until the next step).
    sqlite3_value* columnValue(int column) const;
    // The column read as a value of the given field kind.
    QVariant value(int column, FieldType type) const;
    // The column as SQLite holds it (integer, double, text or null).
    QVariant rawValue(int column) const;
    // A text or date field's value from its stored text: blank when empty or no date.
    static QVariant fromStoredText(FieldType type, QByteArrayView utf8);

    // Turns the connection's last error into an EngineError with a Czech message.
    [[noreturn]] static void throwError(sqlite3* db, int code, const QString& context);

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};
