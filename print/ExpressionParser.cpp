#include "ExpressionParser.h"

#include "EngineError.h"

namespace {

using Ptr = ExpressionNode::Ptr;
using Operator = ExpressionNode::Operator;

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

ExpressionParser::ExpressionParser(const QString& text)
    : m_text(text)
{
}

Ptr ExpressionParser::parse(const QString& text)
{
    ExpressionParser parser(text);
    parser.tokenize();
    Ptr root = parser.comparison();
    if (parser.peek().kind != Token::Kind::End)
        parser.fail();
    return root;
}

void ExpressionParser::fail() const
{
    throw EngineError(QStringLiteral("Chybný výraz v sestavě: „%1“.").arg(m_text),
                      EngineError::Kind::Syntax);
}

void ExpressionParser::tokenize()
{
    qsizetype at = 0;
    while (at < m_text.size()) {
        const QChar c = m_text[at];
        if (c.isSpace())
            ++at;
        else if (c.isDigit())
            at = readNumber(at);
        else if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
            at = readQuoted(at);
        else if (isNameChar(c))
            at = readName(at);
        else
            at = readSymbol(at);
    }
    m_tokens << Token{};
}

qsizetype ExpressionParser::readNumber(qsizetype at)
{
    qsizetype end = at;
    while (end < m_text.size() && (m_text[end].isDigit() || m_text[end] == QLatin1Char('.')))
        ++end;
    m_tokens << Token{Token::Kind::Number, m_text.mid(at, end - at)};
    return end;
}

qsizetype ExpressionParser::readQuoted(qsizetype at)
{
    const qsizetype end = m_text.indexOf(m_text[at], at + 1);
    if (end < 0)
        fail();
    m_tokens << Token{Token::Kind::Text, m_text.mid(at + 1, end - at - 1)};
    return end + 1;
}

qsizetype ExpressionParser::readName(qsizetype at)
{
    qsizetype end = at;
    while (end < m_text.size() && isNameChar(m_text[end]))
        ++end;
    m_tokens << Token{Token::Kind::Name, m_text.mid(at, end - at)};
    return end;
}

qsizetype ExpressionParser::readSymbol(qsizetype at)
{
    for (const char* pair : {"<=", ">=", "<>"}) {
        if (m_text.mid(at, 2) == QLatin1String(pair)) {
            m_tokens << Token{Token::Kind::Symbol, QLatin1String(pair)};
            return at + 2;
        }
    }
    if (!QStringLiteral("()+-*/=<>,.").contains(m_text[at]))
        fail();
    m_tokens << Token{Token::Kind::Symbol, m_text.mid(at, 1)};
    return at + 1;
}

bool ExpressionParser::accept(const char* symbol)
{
    if (peek().kind != Token::Kind::Symbol || peek().text != QLatin1String(symbol))
        return false;
    ++m_pos;
    return true;
}

void ExpressionParser::expect(const char* symbol)
{
    if (!accept(symbol))
        fail();
}

Ptr ExpressionParser::comparison()
{
    static const std::pair<const char*, Operator> operators[] = {
        {"=", Operator::Equal},   {"<>", Operator::NotEqual},
        {"<", Operator::Less},    {"<=", Operator::LessOrEqual},
        {">", Operator::Greater}, {">=", Operator::GreaterOrEqual}};
    Ptr left = sum();
    for (const auto& [symbol, op] : operators)
        if (accept(symbol))
            return ExpressionNode::binary(op, std::move(left), sum());
    return left;
}

Ptr ExpressionParser::sum()
{
    Ptr left = product();
    for (;;) {
        if (accept("+"))
            left = ExpressionNode::binary(Operator::Add, std::move(left), product());
        else if (accept("-"))
            left = ExpressionNode::binary(Operator::Subtract, std::move(left), product());
        else
            return left;
    }
}

Ptr ExpressionParser::product()
{
    Ptr left = factor();
    for (;;) {
        if (accept("*"))
            left = ExpressionNode::binary(Operator::Multiply, std::move(left), factor());
        else if (accept("/"))
            left = ExpressionNode::binary(Operator::Divide, std::move(left), factor());
        else
            return left;
    }
}

Ptr ExpressionParser::factor()
{
    if (accept("-"))
        return ExpressionNode::binary(Operator::Subtract, ExpressionNode::constant(0.0), factor());
    return primary();
}

Ptr ExpressionParser::primary()
{
    const Token token = peek();
    if (token.kind == Token::Kind::Number) {
        ++m_pos;
        bool ok = false;
        const double value = token.text.toDouble(&ok);
        if (!ok)
            fail();
        return ExpressionNode::constant(value);
    }
    if (token.kind == Token::Kind::Text) {
        ++m_pos;
        return ExpressionNode::constant(token.text);
    }
    if (token.kind == Token::Kind::Name)
        return nameOrCall();
    expect("(");
    Ptr inner = comparison();
    expect(")");
    return inner;
}

Ptr ExpressionParser::nameOrCall()
{
    const QString name = m_tokens[m_pos++].text;
    if (accept("("))
        return call(name.toUpper());
    if (name.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return ExpressionNode::constant(true);
    if (name.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return ExpressionNode::constant(false);
    expect(".");
    if (peek().kind != Token::Kind::Name)
        fail();
    return ExpressionNode::field(name, m_tokens[m_pos++].text);
}

Ptr ExpressionParser::call(const QString& function)
{
    Ptr first = comparison();
    if (function == QLatin1String("IF")) {
        expect(",");
        Ptr whenTrue = comparison();
        expect(",");
        Ptr whenFalse = comparison();
        expect(")");
        return ExpressionNode::condition(std::move(first), std::move(whenTrue),
                                         std::move(whenFalse));
    }
    expect(")");
    if (function == QLatin1String("SUM"))
        return ExpressionNode::aggregate(ExpressionNode::Aggregate::Sum, std::move(first));
    if (function == QLatin1String("AVERAGE"))
        return ExpressionNode::aggregate(ExpressionNode::Aggregate::Average, std::move(first));
    fail();
}
