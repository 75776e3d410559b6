#include "DataDirectorySummary.h"

#include "Database.h"

QStringList DataDirectorySummary::lines(const QString& directory)
{
    const Database db(directory, Database::OpenMode::Existing);
    QStringList names = db.tableNames();
    names.sort(Qt::CaseInsensitive);
    QStringList lines;
    for (const QString& name : names)
        lines << QStringLiteral("%1: %2 rows").arg(name).arg(db.rowCount(name));
    return lines;
}
