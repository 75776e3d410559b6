#include "DataDamage.h"

#include "Database.h"
#include "SqlStatement.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

void zeroAPageOf(const QString& dataDirectory)
{
    qint64 page = 0;
    qint64 pageSize = 0;
    {
        Database db(dataDirectory);
        SqlStatement root =
            db.prepare(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'Povol'"));
        ASSERT_TRUE(root.step());
        page = root.integer(0);
        SqlStatement size = db.prepare(QStringLiteral("PRAGMA page_size"));
        size.step();
        pageSize = size.integer(0);
    }
    QFile file(QDir(dataDirectory).filePath(QLatin1String(Database::FileName)));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek((page - 1) * pageSize);
    file.write(QByteArray(pageSize, '\0'));
}
