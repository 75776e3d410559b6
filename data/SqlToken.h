#pragma once

#include <QList>
#include <QString>

// A lexical token of the old engine's filter and SQL texts.
struct SqlToken {
    enum class Type { Identifier, QuotedIdentifier, String, Number, Parameter, Symbol };

    Type type;
    QString text; // identifiers and strings unquoted; symbols as written

    bool isKeyword(const char* word) const;
    bool isSymbol(const char* symbol) const;
    bool isName() const { return type == Type::Identifier || type == Type::QuotedIdentifier; }
    // The token written back as SQL.
    QString toSql() const;

    // Splits a text into tokens; throws EngineError on an unterminated quote or a
    // character that belongs to no token.
    static QList<SqlToken> tokenize(const QString& text);
};
