#include "FilterExpression.h"

#include "Database.h"
#include "DateText.h"
#include "EngineError.h"
#include "FieldValue.h"
#include "SqlToken.h"

namespace {
enum class Op { Eq, Ne, Lt, Le, Gt, Ge };

Op opFromText(const QString& s)
{
    if (s == QLatin1String("="))
        return Op::Eq;
    if (s == QLatin1String("<>") || s == QLatin1String("!="))
        return Op::Ne;
    if (s == QLatin1String("<"))
        return Op::Lt;
    if (s == QLatin1String("<="))
        return Op::Le;
    if (s == QLatin1String(">"))
        return Op::Gt;
    return Op::Ge;
}

const char* opSql(Op op)
{
    switch (op) {
    case Op::Eq:
        return "=";
    case Op::Ne:
        return "<>";
    case Op::Lt:
        return "<";
    case Op::Le:
        return "<=";
    case Op::Gt:
        return ">";
    case Op::Ge:
        return ">=";
    }
    return "=";
}

int compareValues(const QVariant& a, const QVariant& b)
{
    switch (a.typeId()) {
    case QMetaType::QString:
        return a.toString().compare(b.toString());
    case QMetaType::QDate:
        return a.toDate() < b.toDate() ? -1 : (a.toDate() == b.toDate() ? 0 : 1);
    case QMetaType::Double:
        return a.toDouble() < b.toDouble() ? -1 : (a.toDouble() == b.toDouble() ? 0 : 1);
    default:
        return a.toLongLong() < b.toLongLong() ? -1 : (a.toLongLong() == b.toLongLong() ? 0 : 1);
    }
}

bool holds(Op op, int c)
{
    switch (op) {
    case Op::Eq:
        return c == 0;
    case Op::Ne:
        return c != 0;
    case Op::Lt:
        return c < 0;
    case Op::Le:
        return c <= 0;
    case Op::Gt:
        return c > 0;
    case Op::Ge:
        return c >= 0;
    }
    return false;
}
} // namespace

struct FilterExpression::Node {
    enum class Kind { And, Or, Not, Compare };
    Kind kind = Kind::Compare;
    std::shared_ptr<const Node> left, right;
    int field = -1;
    Op op = Op::Eq;
    QVariant value; // canonical; null = the blank literal ''
    bool prefix = false;
};

class FilterExpression::Parser {
public:
    Parser(const QString& text, const QList<FieldDef>& fields)
        : m_text(text)
        , m_tokens(SqlToken::tokenize(text))
        , m_fields(fields)
    {
    }

    std::shared_ptr<const Node> parseAll()
    {
        if (m_tokens.isEmpty())
            return {};
        auto node = parseOr();
        if (m_pos != m_tokens.size())
            fail();
        return node;
    }

private:
    [[noreturn]] void fail() const
    {
        throw EngineError(QStringLiteral("Filtru „%1“ nerozumím.").arg(m_text),
                          EngineError::Kind::Syntax);
    }
    const SqlToken* peek() const { return m_pos < m_tokens.size() ? &m_tokens[m_pos] : nullptr; }
    const SqlToken& take()
    {
        if (m_pos >= m_tokens.size())
            fail();
        return m_tokens[m_pos++];
    }
    bool acceptKeyword(const char* word)
    {
        if (peek() && peek()->isKeyword(word)) {
            ++m_pos;
            return true;
        }
        return false;
    }

    std::shared_ptr<const Node> combine(Node::Kind kind, std::shared_ptr<const Node> l,
                                        std::shared_ptr<const Node> r)
    {
        auto n = std::make_shared<Node>();
        n->kind = kind;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }

    std::shared_ptr<const Node> parseOr()
    {
        auto node = parseAnd();
        while (acceptKeyword("or"))
            node = combine(Node::Kind::Or, node, parseAnd());
        return node;
    }

    std::shared_ptr<const Node> parseAnd()
    {
        auto node = parseUnary();
        while (acceptKeyword("and"))
            node = combine(Node::Kind::And, node, parseUnary());
        return node;
    }

    std::shared_ptr<const Node> parseUnary()
    {
        if (acceptKeyword("not"))
            return combine(Node::Kind::Not, parseUnary(), nullptr);
        if (peek() && peek()->isSymbol("(")) {
            ++m_pos;
            auto node = parseOr();
            if (!take().isSymbol(")"))
                fail();
            return node;
        }
        return parseComparison();
    }

    std::shared_ptr<const Node> parseComparison()
    {
        const SqlToken& name = take();
        if (!name.isName())
            fail();
        auto n = std::make_shared<Node>();
        for (int i = 0; i < m_fields.size(); ++i)
            if (m_fields[i].name.compare(name.text, Qt::CaseInsensitive) == 0) {
                n->field = i;
                break;
            }
        if (n->field < 0)
            throw EngineError(
                QStringLiteral("Pole %1 ve filtru „%2“ neexistuje.").arg(name.text, m_text),
                EngineError::Kind::Missing);
        const SqlToken& op = take();
        static const QStringList ops{
            QStringLiteral("="),  QStringLiteral("<>"), QStringLiteral("!="), QStringLiteral("<"),
            QStringLiteral("<="), QStringLiteral(">"),  QStringLiteral(">=")};
        if (op.type != SqlToken::Type::Symbol || !ops.contains(op.text))
            fail();
        n->op = opFromText(op.text);
        readValue(n.get());
        return n;
    }

    void readValue(Node* n)
    {
        const FieldDef& field = m_fields[n->field];
        const SqlToken& t = take();
        QString raw = t.text;
        if (t.type == SqlToken::Type::Symbol && t.text == QLatin1String("-") && peek() &&
            peek()->type == SqlToken::Type::Number)
            raw = QLatin1Char('-') + take().text;
        else if (t.type != SqlToken::Type::String && t.type != SqlToken::Type::Number &&
                 t.type != SqlToken::Type::Identifier)
            fail();
        const bool isText = field.type == FieldType::Text || field.type == FieldType::Memo;
        if (isText && n->op == Op::Eq && raw.endsWith(QLatin1Char('*'))) {
            n->prefix = true;
            raw.chop(1);
            n->value = raw;
            return;
        }
        if (raw.isEmpty()) {
            n->value = QVariant();
            return;
        }
        FieldDef unlimited = field;
        unlimited.size = 0; // a filter may name a longer text; it simply matches nothing
        n->value = FieldValue::normalize(unlimited, raw);
    }

    QString m_text;
    QList<SqlToken> m_tokens;
    const QList<FieldDef>& m_fields;
    qsizetype m_pos = 0;
};

FilterExpression::FilterExpression() = default;

FilterExpression FilterExpression::parse(const QString& text, const QList<FieldDef>& fields)
{
    FilterExpression e;
    e.m_fields = fields;
    e.m_root = Parser(text, fields).parseAll();
    return e;
}

FilterExpression FilterExpression::equalTo(const QList<FieldDef>& fields, const QString& fieldName,
                                           const QVariant& value)
{
    auto node = std::make_shared<Node>();
    for (int i = 0; i < fields.size() && node->field < 0; ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            node->field = i;
    if (node->field < 0)
        throw EngineError(QStringLiteral("Pole %1 neexistuje.").arg(fieldName),
                          EngineError::Kind::Missing);
    FieldDef unlimited = fields[node->field];
    unlimited.size = 0; // a longer value simply matches nothing
    node->value = FieldValue::normalize(unlimited, value);
    FilterExpression e;
    e.m_fields = fields;
    e.m_root = node;
    return e;
}

namespace {
QString nodeSql(const auto& node, const QList<FieldDef>& fields, QList<QVariant>* binds)
{
    using Kind = std::remove_cvref_t<decltype(*node)>::Kind;
    switch (node->kind) {
    case Kind::And:
    case Kind::Or: {
        // Left before right: the values must reach binds in the order of their marks.
        const QString left = nodeSql(node->left, fields, binds);
        const QString right = nodeSql(node->right, fields, binds);
        return QStringLiteral("(%1 %2 %3)")
            .arg(left, node->kind == Kind::And ? QStringLiteral("AND") : QStringLiteral("OR"),
                 right);
    }
    case Kind::Not:
        return QStringLiteral("(NOT %1)").arg(nodeSql(node->left, fields, binds));
    case Kind::Compare:
        break;
    }
    const QString f = Database::quoteIdentifier(fields[node->field].name);
    if (node->prefix) {
        binds->append(node->value);
        return QStringLiteral("(substr(%1, 1, %2) = ?)").arg(f).arg(node->value.toString().size());
    }
    if (node->value.isNull()) {
        if (node->op == Op::Eq)
            return QStringLiteral("(%1 IS NULL OR %1 = '')").arg(f);
        if (node->op == Op::Ne)
            return QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(f);
        return QStringLiteral("(0)");
    }
    binds->append(node->value);
    if (node->op == Op::Ne)
        return QStringLiteral("(%1 IS NULL OR %1 <> ?)").arg(f);
    return QStringLiteral("(%1 %2 ?)").arg(f, QLatin1String(opSql(node->op)));
}

bool nodeMatches(const auto& node, const QList<QVariant>& row)
{
    using Kind = std::remove_cvref_t<decltype(*node)>::Kind;
    switch (node->kind) {
    case Kind::And:
        return nodeMatches(node->left, row) && nodeMatches(node->right, row);
    case Kind::Or:
        return nodeMatches(node->left, row) || nodeMatches(node->right, row);
    case Kind::Not:
        return !nodeMatches(node->left, row);
    case Kind::Compare:
        break;
    }
    const QVariant& v = row.value(node->field);
    const bool blank = v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
    if (node->prefix)
        return !v.isNull() && v.toString().startsWith(node->value.toString());
    if (node->value.isNull()) {
        if (node->op == Op::Eq)
            return blank;
        if (node->op == Op::Ne)
            return !blank;
        return false;
    }
    if (v.isNull())
        return node->op == Op::Ne;
    return holds(node->op, compareValues(v, node->value));
}
} // namespace

QString FilterExpression::toSql(QList<QVariant>* binds) const
{
    return m_root ? nodeSql(m_root, m_fields, binds) : QStringLiteral("1");
}

bool FilterExpression::matches(const QList<QVariant>& row) const
{
    return !m_root || nodeMatches(m_root, row);
}
