#include "CashDeskBenchmark.h"

#include "Stopwatch.h"

#include "Database.h"
#include "DbNavigator.h"
#include "Messages.h"
#include "PermitIssueTab.h"
#include "PlainSqlite.h"
#include "ProgramStart.h"
#include "ReportRunner.h"
#include "ReportSink.h"
#include "TDataModule1.h"
#include "TFClenove.h"

#include <sqlite3.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>

namespace {

constexpr int runs = 5;

struct CountingSink : ReportSink {
    int documents = 0;
    void deliver(const QString&, Mode, const RenderedDocument&) override { ++documents; }
};

void exec(sqlite3* db, const char* sql)
{
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// The rows an issue writes and the documents read, by hand.
void plainIssue(sqlite3* db, const QByteArray& number)
{
    const QByteArray n = "'" + number + "'";
    exec(db, "BEGIN");
    exec(db, "INSERT INTO Povol (CLEN_CISLO, ROK) VALUES (" + n + ", 2026)");
    exec(db, "COMMIT");
    exec(db, "BEGIN");
    exec(db, "UPDATE Povol SET CLEN_PRISP = 300, MAN_POPLATEK = 50, MP_ROCNI = 1000, "
             "PS_ROCNI = 1200, CELKEM_KC = 2550, VYDANO = date('now'), MP_VRACENO = 'NE', "
             "PS_VRACENO = 'NE' WHERE rowid = last_insert_rowid()");
    exec(db, "COMMIT");
    exec(db, "BEGIN");
    exec(db, "UPDATE Clenove SET LAST_CLENSTVI = 2026 WHERE CLEN_CISLO = " + n);
    exec(db, "COMMIT");
    for (const QByteArray& sql :
         {"SELECT * FROM Clenove WHERE CLEN_CISLO = " + n,
          "SELECT * FROM Povol WHERE CLEN_CISLO = " + n, QByteArray("SELECT * FROM Setup"),
          QByteArray("SELECT * FROM PovolSet")})
        PlainSqlite::stepAll(db, sql);
}

double plainRuns(const QString& dataDirectory, const QString& number)
{
    sqlite3* db = nullptr;
    const QString path = QDir(dataDirectory).filePath(QLatin1String(Database::FileName));
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    exec(db, "PRAGMA journal_mode=WAL");
    exec(db, "PRAGMA synchronous=FULL");
    const double ms = Stopwatch::medianOf(runs, [&] { plainIssue(db, number.toUtf8()); });
    sqlite3_close(db);
    return ms;
}

} // namespace

BenchmarkResult CashDeskBenchmark::run(const QString& dataDirectory)
{
    Messages::setResponder(
        [](Messages::Kind, const QString&, Messages::Buttons) { return Messages::Answer::Yes; });
    BenchmarkResult r{QStringLiteral("cash desk issue with receipt and two cards"), 0, 0};
    QString number;
    {
        ProgramStart program(dataDirectory, QCoreApplication::applicationDirPath(),
                             QDir(dataDirectory).filePath(QStringLiteral("TALU.ini")));
        program.start();
        CountingSink sink;
        program.reportRunner().setSink(&sink);
        TDataModule1& data = program.dataModule();
        data.TableClenove().last();
        number = data.TableClenove().fieldByName(QStringLiteral("CLEN_CISLO")).asString();
        PermitIssueTab& tab = program.membersWindow().permitTab();
        for (const char* master : {"CheckBoxMasterPOPL", "CheckBoxMasterMP", "CheckBoxMasterPS"})
            tab.findChild<QCheckBox*>(QLatin1String(master))->click();
        auto* navigator = tab.findChild<DbNavigator*>(QStringLiteral("DBNavigatorPovol"));
        r.oursMs = Stopwatch::medianOf(runs, [&] {
            navigator->click(DbNavigator::Button::Insert);
            navigator->click(DbNavigator::Button::Post);
        });
        if (sink.documents != 3 * runs)
            r.name += QStringLiteral(" (UNEXPECTED: %1 documents)").arg(sink.documents);
        program.reportRunner().setSink(nullptr);
    }
    r.sqliteMs = plainRuns(dataDirectory, number);
    Messages::setResponder({});
    return r;
}
