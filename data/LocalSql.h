#pragma once

#include "SqlToken.h"

#include <QSet>
#include <QString>
#include <QStringList>

class Database;

// Translates the old engine's local SQL into SQLite over the tables of one database:
// quoted d.M.yyyy dates become ISO dates, quoted file names ('SuMP2012.DB') and bare
// table names become the tables, EXTRACT(YEAR FROM x) becomes a year number, a column
// named without its table over a join is taken from the first table that has it, and
// ORDER BY sorts texts in Czech order. The program's own SQL text is never changed.
class LocalSql {
public:
    explicit LocalSql(const Database& db);

    // Throws EngineError for a missing table or a text that is not SQL.
    QString translate(const QString& sql) const;

    // A text literal for SQL and filter texts, with apostrophes doubled, so user text
    // (a surname like O'Neill) can never end the literal early.
    static QString quoted(const QString& text);

private:
    struct Source {
        QString table;
        QString alias;
    };

    void rewriteExtract(QList<SqlToken>& tokens) const;
    void rewriteDateLiterals(QList<SqlToken>& tokens) const;
    // Names (upper case) of the date fields of every table the statement names.
    QSet<QString> dateFieldsOf(const QList<SqlToken>& tokens) const;
    static bool comparedWithDate(const QList<SqlToken>& tokens, int literal,
                                 const QSet<QString>& dateFields);
    QList<Source> resolveFromList(QList<SqlToken>& tokens, int fromIndex, int depth) const;
    void qualifyColumns(QList<SqlToken>& tokens) const;
    void wrapCompoundOrder(QList<SqlToken>& tokens) const;
    void addOrderCollation(QList<SqlToken>& tokens) const;
    static QString render(const QList<SqlToken>& tokens);

    const Database& m_db;
};
