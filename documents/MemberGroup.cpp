#include "MemberGroup.h"

#include "LocalSql.h"

QString MemberGroup::filter(const QString& group)
{
    // The trailing asterisk is the filter's prefix mark; the filter takes off only that one.
    return QStringLiteral("CLEN_CISLO=") + LocalSql::quoted(group + QLatin1Char('*'));
}
