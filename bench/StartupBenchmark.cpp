#include "StartupBenchmark.h"

#include "CzechCollation.h"
#include "Database.h"
#include "Messages.h"
#include "ProgramStart.h"
#include "Stopwatch.h"
#include "TMainForm.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>

namespace {

void plainStart(const QString& dataDirectory)
{
    sqlite3* db = nullptr;
    const QString path = QDir(dataDirectory).filePath(QLatin1String(Database::FileName));
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    CzechCollation::registerOn(db);
    for (const char* sql :
         {"SELECT rowid FROM Clenove ORDER BY PRIJMENI COLLATE CZECH, CLEN_CISLO COLLATE CZECH",
          "SELECT * FROM Clenove", "SELECT count(*) FROM Povol", "SELECT * FROM Setup",
          "SELECT * FROM PovolSet", "SELECT * FROM Vyznam", "SELECT rowid FROM Vyrazeni"}) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
}

} // namespace

BenchmarkResult StartupBenchmark::run(const QString& dataDirectory)
{
    Messages::setResponder(
        [](Messages::Kind, const QString&, Messages::Buttons) { return Messages::Answer::Ok; });
    BenchmarkResult r{QStringLiteral("start-up to the main window shown"), 0, 0};
    r.oursMs = Stopwatch::medianOf(3, [&] {
        ProgramStart program(dataDirectory, QCoreApplication::applicationDirPath(),
                             QDir(dataDirectory).filePath(QStringLiteral("TALU.ini")));
        program.start();
        program.mainForm().show();
        QCoreApplication::processEvents();
    });
    r.sqliteMs = Stopwatch::medianOf(3, [&] { plainStart(dataDirectory); });
    Messages::setResponder({});
    return r;
}
