#include "ScanBenchmark.h"

#include "Database.h"
#include "DbNavigator.h"
#include "Messages.h"
#include "PermitIssueTab.h"
#include "PlainSqlite.h"
#include "ProgramStart.h"
#include "PseudoTerminal.h"
#include "Stopwatch.h"
#include "TDataModule1.h"
#include "TFClenove.h"
#include "Table.h"

#include <sqlite3.h>

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QTabWidget>

namespace {

constexpr int runs = 5;

double plainRuns(const QString& dataDirectory, const QStringList& numbers)
{
    sqlite3* db = nullptr;
    const QString path = QDir(dataDirectory).filePath(QLatin1String(Database::FileName));
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    int run = 0;
    const double ms = Stopwatch::medianOf(runs, [&] {
        const QByteArray n = "'" + numbers[run++ % numbers.size()].toUtf8() + "'";
        for (const char* table : {"Clenove", "Povol", "Brigady", "Vyznam"})
            PlainSqlite::stepAll(db,
                                 QByteArray("SELECT * FROM ") + table + " WHERE CLEN_CISLO = " + n);
        PlainSqlite::stepAll(db, "SELECT * FROM PovolSet");
    });
    sqlite3_close(db);
    return ms;
}

// The numbers of a few members spread over the register.
QStringList someNumbers(Table& members)
{
    QStringList numbers;
    const int step = qMax(1, members.recordCount() / (runs + 1));
    for (int i = 1; i <= runs; ++i) {
        members.moveToPosition(i * step);
        numbers << members.fieldByName(QStringLiteral("CLEN_CISLO")).asString();
    }
    return numbers;
}

bool becomesActive(QWidget& window)
{
    const QDeadlineTimer deadline(5000);
    while (QApplication::activeWindow() != &window && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return QApplication::activeWindow() == &window;
}

} // namespace

BenchmarkResult ScanBenchmark::run(const QString& dataDirectory)
{
    Messages::setResponder(
        [](Messages::Kind, const QString&, Messages::Buttons) { return Messages::Answer::Yes; });
    BenchmarkResult r{QStringLiteral("scan selecting a member and starting a new issue"), 0, 0};
    QStringList numbers;
    {
        PseudoTerminal scanner;
        ProgramStart program(dataDirectory, QCoreApplication::applicationDirPath(),
                             QDir(dataDirectory).filePath(QStringLiteral("TALU.ini")));
        program.start();
        TDataModule1& data = program.dataModule();
        data.scanTimer().stop();
        data.OpenScanner(scanner.device(), QStringLiteral("9600"));
        numbers = someNumbers(data.TableClenove());
        TFClenove& window = program.membersWindow();
        PermitIssueTab& tab = window.permitTab();
        tab.findChild<QCheckBox*>(QStringLiteral("CheckBoxSnimac"))->setChecked(true);
        window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentWidget(&tab);
        window.show();
        window.activateWindow();
        const bool active = becomesActive(window);
        auto* navigator = tab.findChild<DbNavigator*>(QStringLiteral("DBNavigatorPovol"));
        int run = 0;
        int issues = 0;
        r.oursMs = Stopwatch::medianOf(
            runs,
            [&] {
                // The issue of the run before is called off, untimed.
                if (tab.issueFlag() == 1)
                    navigator->click(DbNavigator::Button::Delete);
            },
            [&] {
                scanner.send(numbers[run++ % numbers.size()].toUtf8() + "\r\n");
                data.ScanTick();
                issues += tab.issueFlag();
            });
        if (!active || !data.scanner().isOpen() || issues != runs)
            r.name += QStringLiteral(" (UNEXPECTED: %1 issues started)").arg(issues);
        if (tab.issueFlag() == 1)
            navigator->click(DbNavigator::Button::Delete);
        window.hide();
    }
    r.sqliteMs = plainRuns(dataDirectory, numbers);
    Messages::setResponder({});
    return r;
}
