// A program holding a data directory open the way the real one does, for tests that need a
// second process: it opens and closes the database's files as other code in a program may
// (a file dialog guessing their types), then deletes payments on request until killed; or
// makes backups until killed.

#include "Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString directory = QCoreApplication::arguments().value(1);
    Database db(directory);
    // "backups FOLDER": backs the data up again and again until killed.
    if (QCoreApplication::arguments().value(2) == QLatin1String("backups")) {
        const QDir folder(QCoreApplication::arguments().value(3));
        std::puts("ready");
        std::fflush(stdout);
        for (int n = 0;; ++n)
            db.backupTo(
                folder.filePath(QStringLiteral("zeb-%1.sqlite").arg(n, 6, 10, QLatin1Char('0'))));
    }
    const QString base = QDir(directory).filePath(QLatin1String(Database::FileName));
    db.run(QStringLiteral("DELETE FROM Povol WHERE CLEN_CISLO = '1'"), {});
    for (const char* suffix : {"", "-wal", "-shm"}) {
        QFile file(base + QLatin1String(suffix));
        if (file.open(QIODevice::ReadOnly))
            file.read(16);
    }
    QTextStream in(stdin);
    QTextStream out(stdout);
    out << "ready" << Qt::endl;
    while (!in.atEnd()) {
        const QString number = in.readLine().trimmed();
        db.run(QStringLiteral("DELETE FROM Povol WHERE CLEN_CISLO = ?"), {number});
        out << "deleted " << number << Qt::endl;
    }
    return 0;
}
