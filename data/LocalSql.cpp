#include "LocalSql.h"

#include "CzechCollation.h"
#include "Database.h"
#include "DateText.h"
#include "EngineError.h"

#include <QHash>
#include <QSet>

namespace {

using Type = SqlToken::Type;

const QSet<QString>& keywords()
{
    static const QSet<QString> words = [] {
        QSet<QString> s;
        for (const char* w :
             {"select", "from",   "where",    "and",    "or",      "not",     "in",     "is",
              "null",   "like",   "group",    "by",     "order",   "union",   "all",    "as",
              "asc",    "desc",   "distinct", "having", "true",    "false",   "delete", "update",
              "set",    "insert", "into",     "values", "between", "escape",  "join",   "on",
              "inner",  "left",   "outer",    "cast",   "integer", "collate", "limit",  "exists",
              "case",   "when",   "then",     "else",   "end",     "upper",   "lower"})
            s.insert(QLatin1String(w));
        return s;
    }();
    return words;
}

bool isKeyword(const SqlToken& t)
{
    return t.type == Type::Identifier && keywords().contains(t.text.toLower());
}

bool endsFromList(const SqlToken& t)
{
    for (const char* w : {"where", "group", "order", "union", "having", "limit"})
        if (t.isKeyword(w))
            return true;
    return t.isSymbol(";") || t.isSymbol(")");
}

SqlToken symbol(const char* s)
{
    return {Type::Symbol, QLatin1String(s)};
}

SqlToken word(const char* s)
{
    return {Type::Identifier, QLatin1String(s)};
}

// Paren depth before each token, and the SELECT or DELETE token each token belongs to.
struct Scopes {
    QList<int> depth;
    QList<int> owner;
};

Scopes scopesOf(const QList<SqlToken>& tokens)
{
    Scopes s;
    QList<int> ownerAt{-1};
    int depth = 0;
    for (int i = 0; i < tokens.size(); ++i) {
        const SqlToken& t = tokens[i];
        if (t.isSymbol(")") && depth > 0) {
            --depth;
            ownerAt.removeLast();
        }
        if (t.isKeyword("select") || t.isKeyword("delete"))
            ownerAt[depth] = i;
        int owner = -1;
        for (int d = depth; d >= 0 && owner < 0; --d)
            owner = ownerAt[d];
        s.depth << depth;
        s.owner << owner;
        if (t.isSymbol("(")) {
            ++depth;
            ownerAt << -1;
        }
    }
    return s;
}

// The ORDER BY that sorts a whole UNION, or -1.
int compoundOrderIndex(const QList<SqlToken>& tokens, const Scopes& scopes)
{
    bool compound = false;
    for (int i = 0; i < tokens.size(); ++i) {
        if (scopes.depth[i] != 0)
            continue;
        if (tokens[i].isKeyword("union"))
            compound = true;
        if (compound && tokens[i].isKeyword("order"))
            return i;
    }
    return -1;
}

int matchingParen(const QList<SqlToken>& tokens, int open)
{
    int depth = 0;
    for (int i = open; i < tokens.size(); ++i) {
        if (tokens[i].isSymbol("("))
            ++depth;
        else if (tokens[i].isSymbol(")") && --depth == 0)
            return i;
    }
    throw EngineError(QStringLiteral("Chybí uzavírací závorka v dotazu SQL."),
                      EngineError::Kind::Syntax);
}

} // namespace

LocalSql::LocalSql(const Database& db)
    : m_db(db)
{
}

QString LocalSql::quoted(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString LocalSql::translate(const QString& sql) const
{
    QList<SqlToken> tokens = SqlToken::tokenize(sql);
    rewriteExtract(tokens);
    rewriteDateLiterals(tokens);
    qualifyColumns(tokens);
    wrapCompoundOrder(tokens);
    addOrderCollation(tokens);
    return render(tokens);
}

void LocalSql::rewriteExtract(QList<SqlToken>& tokens) const
{
    for (int i = 0; i + 4 < tokens.size(); ++i) {
        if (!tokens[i].isKeyword("extract") || !tokens[i + 1].isSymbol("(") ||
            !tokens[i + 3].isKeyword("from"))
            continue;
        const SqlToken& part = tokens[i + 2];
        const char* start = part.isKeyword("year") ? "1" : part.isKeyword("month") ? "6" : "9";
        const char* length = part.isKeyword("year") ? "4" : "2";
        if (!part.isKeyword("year") && !part.isKeyword("month") && !part.isKeyword("day"))
            throw EngineError(QStringLiteral("EXTRACT zná jen YEAR, MONTH a DAY."),
                              EngineError::Kind::Syntax);
        const int close = matchingParen(tokens, i + 1);
        QList<SqlToken> replacement{word("CAST"), symbol("("), word("substr"), symbol("(")};
        replacement << tokens.mid(i + 4, close - i - 4);
        replacement << symbol(",") << SqlToken{Type::Number, QLatin1String(start)} << symbol(",")
                    << SqlToken{Type::Number, QLatin1String(length)} << symbol(")") << word("AS")
                    << word("INTEGER") << symbol(")");
        tokens = tokens.mid(0, i) + replacement + tokens.mid(close + 1);
    }
}

QSet<QString> LocalSql::dateFieldsOf(const QList<SqlToken>& tokens) const
{
    QSet<QString> dates;
    for (const SqlToken& t : tokens) {
        if (t.type != Type::String && !t.isName())
            continue;
        const QString table = m_db.tableNameFor(t.text);
        if (table.isEmpty())
            continue;
        for (const FieldDef& f : m_db.tableDef(table).fields)
            if (f.type == FieldType::Date)
                dates.insert(f.name.toUpper());
    }
    return dates;
}

bool LocalSql::comparedWithDate(const QList<SqlToken>& tokens, int literal,
                                const QSet<QString>& dateFields)
{
    static const char* comparisons[] = {"=", "<>", "<", "<=", ">", ">=", "!="};
    const auto isComparison = [](const SqlToken& t) {
        for (const char* c : comparisons)
            if (t.isSymbol(c))
                return true;
        return false;
    };
    const auto isDateColumn = [&](int i) {
        return i >= 0 && i < tokens.size() && tokens[i].isName() &&
               dateFields.contains(tokens[i].text.toUpper());
    };
    // A column compared with the literal, on either side: DATUM <= '31.12.2012'.
    return (literal >= 2 && isComparison(tokens[literal - 1]) && isDateColumn(literal - 2)) ||
           (literal + 2 < tokens.size() && isComparison(tokens[literal + 1]) &&
            isDateColumn(literal + 2));
}

void LocalSql::rewriteDateLiterals(QList<SqlToken>& tokens) const
{
    // Only a literal compared with a date field is a date: a category or a name may well
    // look like one ("31.2.2020") and is compared as the text it is.
    const QSet<QString> dateFields = dateFieldsOf(tokens);
    for (int i = 0; i < tokens.size(); ++i) {
        SqlToken& t = tokens[i];
        if (t.type != Type::String || !DateText::looksLikeDate(t.text) ||
            !comparedWithDate(tokens, i, dateFields))
            continue;
        const QDate d = DateText::parse(t.text);
        if (!d.isValid())
            throw EngineError(QStringLiteral("„%1“ není platné datum.").arg(t.text),
                              EngineError::Kind::Conversion);
        t.text = DateText::toIso(d);
    }
}

QList<LocalSql::Source> LocalSql::resolveFromList(QList<SqlToken>& tokens, int fromIndex,
                                                  int depth) const
{
    QList<Source> sources;
    int i = fromIndex + 1;
    const Scopes scopes = scopesOf(tokens);
    while (i < tokens.size() && scopes.depth[i] == depth && !endsFromList(tokens[i])) {
        SqlToken& table = tokens[i];
        if (table.type != Type::String && !table.isName())
            throw EngineError(
                QStringLiteral("Za FROM čekám jméno tabulky, ne „%1“.").arg(table.text),
                EngineError::Kind::Syntax);
        Source source{m_db.requireTable(table.text), QString()};
        table = {Type::QuotedIdentifier, source.table};
        ++i;
        if (i < tokens.size() && tokens[i].isKeyword("as"))
            ++i;
        if (i < tokens.size() && tokens[i].isName() && !isKeyword(tokens[i])) {
            source.alias = tokens[i].text;
            ++i;
        }
        sources << source;
        if (i < tokens.size() && tokens[i].isSymbol(","))
            ++i;
    }
    return sources;
}

void LocalSql::qualifyColumns(QList<SqlToken>& tokens) const
{
    Scopes scopes = scopesOf(tokens);
    QHash<int, QList<Source>> sourcesOf; // core token -> its tables
    QHash<int, int> fromOf;
    QSet<int> tableTokens;
    for (int s = 0; s < tokens.size(); ++s) {
        if (!tokens[s].isKeyword("select") && !tokens[s].isKeyword("delete"))
            continue;
        for (int f = s + 1; f < tokens.size(); ++f) {
            if (scopes.owner[f] == s && scopes.depth[f] == scopes.depth[s] &&
                tokens[f].isKeyword("from")) {
                sourcesOf[s] = resolveFromList(tokens, f, scopes.depth[s]);
                fromOf[s] = f;
                for (int k = f + 1; k < tokens.size() && scopes.depth[k] == scopes.depth[s] &&
                                    !endsFromList(tokens[k]);
                     ++k)
                    tableTokens.insert(k);
                break;
            }
        }
    }
    if (tokens.isEmpty() || (!tokens[0].isKeyword("select") && !tokens[0].isKeyword("delete")))
        throw EngineError(QStringLiteral("Dotaz SQL musí začínat slovem SELECT nebo DELETE."),
                          EngineError::Kind::Syntax);

    // In a UNION the closing ORDER BY names result columns, which must stay as written.
    int compoundOrder = compoundOrderIndex(tokens, scopes);
    if (compoundOrder < 0)
        compoundOrder = int(tokens.size());

    QList<SqlToken> out;
    for (int i = 0; i < tokens.size(); ++i) {
        const SqlToken& t = tokens[i];
        const int core = scopes.owner[i];
        const auto sources = sourcesOf.value(core);
        const bool candidate = sources.size() > 1 && i < compoundOrder && t.isName() &&
                               !isKeyword(t) && !tableTokens.contains(i) &&
                               !(i > 0 && tokens[i - 1].isSymbol(".")) &&
                               !(i > 0 && tokens[i - 1].isKeyword("as")) &&
                               !(i + 1 < tokens.size() &&
                                 (tokens[i + 1].isSymbol(".") || tokens[i + 1].isSymbol("(")));
        if (!candidate) {
            out << t;
            continue;
        }
        QList<const Source*> having;
        for (const Source& s : sources)
            if (m_db.tableDef(s.table).fieldIndex(t.text) >= 0)
                having << &s;
        if (having.size() < 2) {
            out << t;
            continue;
        }
        const Source& first = *having.first();
        out << (first.alias.isEmpty() ? SqlToken{Type::QuotedIdentifier, first.table}
                                      : SqlToken{Type::Identifier, first.alias})
            << symbol(".") << t;
        const bool inSelectList =
            i < fromOf.value(core, -1) && scopes.depth[i] == scopes.depth[core] &&
            (tokens[i - 1].isSymbol(",") || tokens[i - 1].isKeyword("select") ||
             tokens[i - 1].isKeyword("distinct")) &&
            (tokens[i + 1].isSymbol(",") || tokens[i + 1].isKeyword("from"));
        if (inSelectList)
            out << word("AS") << SqlToken{Type::QuotedIdentifier, t.text};
    }
    tokens = out;
}

void LocalSql::wrapCompoundOrder(QList<SqlToken>& tokens) const
{
    // SQLite refuses a collation on the ORDER BY of a UNION whose last arm groups
    // ("no such column"), so the union is sorted from outside instead.
    const int order = compoundOrderIndex(tokens, scopesOf(tokens));
    if (order < 0)
        return;
    QList<SqlToken> wrapped{word("SELECT"), symbol("*"), word("FROM"), symbol("(")};
    wrapped << tokens.mid(0, order) << symbol(")") << tokens.mid(order);
    tokens = wrapped;
}

void LocalSql::addOrderCollation(QList<SqlToken>& tokens) const
{
    const Scopes scopes = scopesOf(tokens);
    QList<SqlToken> out;
    bool inOrder = false;
    int orderDepth = 0;
    for (int i = 0; i < tokens.size(); ++i) {
        const SqlToken& t = tokens[i];
        if (inOrder && (scopes.depth[i] < orderDepth || t.isKeyword("limit") || t.isSymbol(";")))
            inOrder = false;
        out << t;
        if (t.isKeyword("by") && i > 0 && tokens[i - 1].isKeyword("order")) {
            inOrder = true;
            orderDepth = scopes.depth[i];
            continue;
        }
        if (!inOrder || scopes.depth[i] != orderDepth || !t.isName() || isKeyword(t))
            continue;
        const bool qualifierFollows = i + 1 < tokens.size() && tokens[i + 1].isSymbol(".");
        const bool termEnds = i + 1 >= tokens.size() || tokens[i + 1].isSymbol(",") ||
                              tokens[i + 1].isKeyword("asc") || tokens[i + 1].isKeyword("desc") ||
                              tokens[i + 1].isSymbol(")") || tokens[i + 1].isSymbol(";") ||
                              tokens[i + 1].isKeyword("limit");
        const bool termStarts = tokens[i - 1].isKeyword("by") || tokens[i - 1].isSymbol(",") ||
                                (tokens[i - 1].isSymbol(".") && i >= 2 && (tokens[i - 2].isName()));
        if (!qualifierFollows && termEnds && termStarts)
            out << word("COLLATE") << word(CzechCollation::Name);
    }
    tokens = out;
}

QString LocalSql::render(const QList<SqlToken>& tokens)
{
    QString sql;
    for (int i = 0; i < tokens.size(); ++i) {
        const bool glue = i == 0 || tokens[i].isSymbol(".") || tokens[i - 1].isSymbol(".");
        if (!glue)
            sql += QLatin1Char(' ');
        sql += tokens[i].toSql();
    }
    return sql;
}
