#pragma once

#include "ExpressionNode.h"

#include <QList>
#include <QString>

// Reads the expressions of report layouts: field references "Dataset.FIELD", numbers with a
// decimal point, texts in single or double quotes, + - * / with the usual precedence,
// comparisons (= <> < <= > >=), parentheses, and the functions SUM, AVERAGE and
// IF(condition, a, b). Names of functions are read without regard to letter case.
class ExpressionParser {
public:
    // Throws EngineError naming the expression when the text is not one.
    static ExpressionNode::Ptr parse(const QString& text);

private:
    struct Token {
        enum class Kind { Number, Text, Name, Symbol, End };
        Kind kind = Kind::End;
        QString text;
    };

    explicit ExpressionParser(const QString& text);

    void tokenize();
    qsizetype readNumber(qsizetype at);
    qsizetype readQuoted(qsizetype at);
    qsizetype readName(qsizetype at);
    qsizetype readSymbol(qsizetype at);

    ExpressionNode::Ptr comparison();
    ExpressionNode::Ptr sum();
    ExpressionNode::Ptr product();
    ExpressionNode::Ptr factor();
    ExpressionNode::Ptr primary();
    ExpressionNode::Ptr nameOrCall();
    ExpressionNode::Ptr call(const QString& function);

    const Token& peek() const { return m_tokens[m_pos]; }
    bool accept(const char* symbol);
    void expect(const char* symbol);
    [[noreturn]] void fail() const;

    QString m_text;
    QList<Token> m_tokens;
    int m_pos = 0;
};
