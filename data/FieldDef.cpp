#include "FieldDef.h"

#include <QRegularExpression>

QString FieldDef::sqlType() const
{
    switch (type) {
    case FieldType::Text:
        return QStringLiteral("VARCHAR(%1)").arg(size);
    case FieldType::Memo:
        return QStringLiteral("TEXT");
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::Float:
        return QStringLiteral("REAL");
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::Boolean:
        return QStringLiteral("BOOLEAN");
    }
    return QStringLiteral("TEXT");
}

FieldDef FieldDef::fromSqlType(const QString& name, const QString& declaredType)
{
    const QString t = declaredType.trimmed().toUpper();
    static const QRegularExpression sized(QStringLiteral("^(?:VAR)?CHAR\\s*\\(\\s*(\\d+)\\s*\\)$"));
    if (const auto m = sized.match(t); m.hasMatch())
        return text(name, m.captured(1).toInt());
    if (t == QLatin1String("DATE"))
        return date(name);
    if (t == QLatin1String("BOOLEAN") || t == QLatin1String("BOOL"))
        return boolean(name);
    if (t.contains(QLatin1String("INT")))
        return integer(name);
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) ||
        t.contains(QLatin1String("DOUB")))
        return real(name);
    return memo(name);
}
