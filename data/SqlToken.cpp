#include "SqlToken.h"

#include "EngineError.h"

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

int readQuoted(const QString& text, int start, QChar quote, QString* out)
{
    int i = start + 1;
    out->clear();
    while (i < text.size()) {
        if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                out->append(quote);
                i += 2;
                continue;
            }
            return i + 1;
        }
        out->append(text[i++]);
    }
    throw EngineError(QStringLiteral("Neukončený text v uvozovkách: %1").arg(text.mid(start)),
                      EngineError::Kind::Syntax);
}

} // namespace

bool SqlToken::isKeyword(const char* word) const
{
    return type == Type::Identifier && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool SqlToken::isSymbol(const char* symbol) const
{
    return type == Type::Symbol && text == QLatin1String(symbol);
}

QString SqlToken::toSql() const
{
    switch (type) {
    case Type::String: {
        QString s = text;
        s.replace(QLatin1Char('\''), QStringLiteral("''"));
        return QLatin1Char('\'') + s + QLatin1Char('\'');
    }
    case Type::QuotedIdentifier: {
        QString s = text;
        s.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QLatin1Char('"') + s + QLatin1Char('"');
    }
    case Type::Parameter:
        return QLatin1Char(':') + text;
    default:
        return text;
    }
}

QList<SqlToken> SqlToken::tokenize(const QString& text)
{
    QList<SqlToken> tokens;
    int i = 0;
    const int n = int(text.size());
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString content;
            i = readQuoted(text, i, c, &content);
            tokens.append(
                {c == QLatin1Char('\'') ? Type::String : Type::QuotedIdentifier, content});
        } else if (c.isDigit()) {
            int j = i;
            while (j < n && (text[j].isDigit() ||
                             (text[j] == QLatin1Char('.') && j + 1 < n && text[j + 1].isDigit())))
                ++j;
            tokens.append({Type::Number, text.mid(i, j - i)});
            i = j;
        } else if (isNameStart(c)) {
            int j = i;
            while (j < n && isNamePart(text[j]))
                ++j;
            tokens.append({Type::Identifier, text.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char(':') && i + 1 < n && isNameStart(text[i + 1])) {
            int j = i + 1;
            while (j < n && isNamePart(text[j]))
                ++j;
            tokens.append({Type::Parameter, text.mid(i + 1, j - i - 1)});
            i = j;
        } else {
            const QString two = text.mid(i, 2);
            if (two == QLatin1String("<>") || two == QLatin1String("<=") ||
                two == QLatin1String(">=") || two == QLatin1String("!=") ||
                two == QLatin1String("||")) {
                tokens.append({Type::Symbol, two});
                i += 2;
            } else if (QStringLiteral("=<>(),.*+-/;").contains(c)) {
                tokens.append({Type::Symbol, QString(c)});
                ++i;
            } else {
                throw EngineError(QStringLiteral("Nečekaný znak „%1“ v textu: %2").arg(c).arg(text),
                                  EngineError::Kind::Syntax);
            }
        }
    }
    return tokens;
}
