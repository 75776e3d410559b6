#include "MemberTexts.h"

#include "DataSet.h"

#include <QRegularExpression>

namespace {
QString text(DataSet& members, const char* field)
{
    return members.fieldByName(QLatin1String(field)).asString();
}
} // namespace

QString MemberTexts::nameLine(DataSet& members)
{
    return text(members, "TITUL") + QStringLiteral("  ") + text(members, "JMENO") +
           QStringLiteral("  ") + text(members, "PRIJMENI");
}

QString MemberTexts::addressLine(DataSet& members)
{
    return text(members, "ULICE") + QStringLiteral("     ") + text(members, "PSC") +
           QStringLiteral("  ") + text(members, "OBEC");
}

QString MemberTexts::shortName(DataSet& members)
{
    return text(members, "JMENO") + QLatin1Char(' ') + text(members, "PRIJMENI");
}

QStringList MemberTexts::noteLines(DataSet& members)
{
    const QString notes = text(members, "ZAZNAMY");
    if (notes.isEmpty())
        return {};
    // Notes typed on Windows end their lines with CR LF, others with LF alone.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n\r|\n|\r"));
    return notes.split(lineBreak);
}
