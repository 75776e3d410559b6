#include "BenchmarkResult.h"
#include "CashDeskBenchmark.h"
#include "CatchEntryBenchmark.h"
#include "CatchExchangeBenchmark.h"
#include "CatchTotalsBenchmark.h"
#include "DataAdminBenchmark.h"
#include "DataDirectoryInitializer.h"
#include "DataSafetyBenchmark.h"
#include "EngineBenchmark.h"
#include "EngineError.h"
#include "EnvelopeBenchmark.h"
#include "ListReportsBenchmark.h"
#include "MailingListBenchmark.h"
#include "MemberOperationsBenchmark.h"
#include "MembersBenchmark.h"
#include "MoneyBenchmark.h"
#include "RemovalBenchmark.h"
#include "ReportBenchmark.h"
#include "ScanBenchmark.h"
#include "StartupBenchmark.h"
#include "TakeOverBenchmark.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // The start-up figure builds the real windows; no screen is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Měří rychlost práce s daty na velké organizaci."));
    parser.addHelpOption();
    const QCommandLineOption membersOption(QStringLiteral("members"),
                                           QStringLiteral("Počet členů vygenerované organizace."),
                                           QStringLiteral("N"), QStringLiteral("20000"));
    const QCommandLineOption dirOption(QStringLiteral("dir"),
                                       QStringLiteral("Použít existující adresář dat."),
                                       QStringLiteral("DIR"));
    parser.addOption(membersOption);
    parser.addOption(dirOption);
    parser.process(app);

    QTextStream out(stdout);
    const double load = BenchmarkResult::currentLoad();
    out << QStringLiteral("machine load at start: %1")
               .arg(load < 0 ? QStringLiteral("unknown") : QString::number(load, 'f', 2))
        << Qt::endl;
    QTemporaryDir temporary;
    QString directory = parser.value(dirOption);
    const int year = QDate::currentDate().year();
    try {
        if (directory.isEmpty()) {
            directory = temporary.filePath(QStringLiteral("data"));
            DataDirectoryInitializer::Options options;
            options.demo = true;
            options.members = parser.value(membersOption).toInt();
            options.seed = 2026;
            options.year = year;
            QElapsedTimer timer;
            timer.start();
            DataDirectoryInitializer::create(directory, options);
            out << QStringLiteral("generated %1 members in %2 ms")
                       .arg(options.members)
                       .arg(timer.elapsed())
                << Qt::endl;
        }
        {
            EngineBenchmark bench(directory, year);
            for (const BenchmarkResult& r : bench.runAll())
                out << r.line() << Qt::endl;
        }
        {
            MembersBenchmark members(directory);
            for (const BenchmarkResult& r : members.runAll())
                out << r.line() << Qt::endl;
        }
        {
            ReportBenchmark report(directory);
            for (const BenchmarkResult& r : report.runAll())
                out << r.line() << Qt::endl;
        }
        out << StartupBenchmark::run(directory).line() << Qt::endl;
        out << CashDeskBenchmark::run(directory).line() << Qt::endl;
        out << ScanBenchmark::run(directory).line() << Qt::endl;
        for (const BenchmarkResult& r : MemberOperationsBenchmark(directory).runAll())
            out << r.line() << Qt::endl;
        out << RemovalBenchmark(directory).run().line() << Qt::endl;
        for (const BenchmarkResult& r : DataSafetyBenchmark(directory).runAll())
            out << r.line() << Qt::endl;
        for (const BenchmarkResult& r : DataAdminBenchmark(directory).runAll())
            out << r.line() << Qt::endl;
        for (const BenchmarkResult& r : TakeOverBenchmark(directory, year).runAll())
            out << r.line() << Qt::endl;
        out << CatchExchangeBenchmark(directory, year).run().line() << Qt::endl;
        for (const BenchmarkResult& r : CatchEntryBenchmark(directory, year).runAll())
            out << r.line() << Qt::endl;
        out << CatchTotalsBenchmark::run().line() << Qt::endl;
        out << MoneyBenchmark::run().line() << Qt::endl;
        out << MailingListBenchmark::run(directory).line() << Qt::endl;
        out << EnvelopeBenchmark::run(directory).line() << Qt::endl;
        for (const BenchmarkResult& r : ListReportsBenchmark(directory, year).runAll())
            out << r.line() << Qt::endl;
    } catch (const EngineError& e) {
        QTextStream(stderr) << e.message() << Qt::endl;
        return 1;
    }
    return 0;
}
