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

#include <functional>
#include <utility>

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
    const QCommandLineOption groupOption(
        QStringLiteral("group"),
        QStringLiteral("Jen tato skupina měření (engine, members, report, startup, cashdesk, "
                       "operations, safety, admin, takeover, catch, lists); lze opakovat."),
        QStringLiteral("NAME"));
    parser.addOption(membersOption);
    parser.addOption(groupOption);
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
        using Figures = std::function<QList<BenchmarkResult>()>;
        // Each benchmark object goes before the next one opens the data, so one statement
        // each: temporaries of one expression would all hold the data at once.
        const QList<std::pair<QString, Figures>> groups{
            {QStringLiteral("engine"),
             [&] {
                 return EngineBenchmark(directory, year).runAll();
             }},
            {QStringLiteral("members"),
             [&] {
                 return MembersBenchmark(directory).runAll();
             }},
            {QStringLiteral("report"),
             [&] {
                 return ReportBenchmark(directory).runAll();
             }},
            {QStringLiteral("startup"),
             [&] {
                 return QList<BenchmarkResult>{StartupBenchmark::run(directory)};
             }},
            {QStringLiteral("cashdesk"),
             [&] {
                 QList<BenchmarkResult> figures{CashDeskBenchmark::run(directory)};
                 figures << ScanBenchmark::run(directory);
                 return figures;
             }},
            {QStringLiteral("operations"),
             [&] {
                 QList<BenchmarkResult> figures = MemberOperationsBenchmark(directory).runAll();
                 figures << RemovalBenchmark(directory).run();
                 return figures;
             }},
            {QStringLiteral("safety"),
             [&] {
                 return DataSafetyBenchmark(directory).runAll();
             }},
            {QStringLiteral("admin"),
             [&] {
                 return DataAdminBenchmark(directory).runAll();
             }},
            {QStringLiteral("takeover"),
             [&] {
                 return TakeOverBenchmark(directory, year).runAll();
             }},
            {QStringLiteral("catch"),
             [&] {
                 QList<BenchmarkResult> figures{CatchExchangeBenchmark(directory, year).run()};
                 figures << CatchEntryBenchmark(directory, year).runAll();
                 figures << CatchTotalsBenchmark::run();
                 return figures;
             }},
            {QStringLiteral("lists"),
             [&] {
                 QList<BenchmarkResult> figures{MoneyBenchmark::run()};
                 figures << MailingListBenchmark::run(directory);
                 figures << EnvelopeBenchmark::run(directory);
                 figures << ListReportsBenchmark(directory, year).runAll();
                 return figures;
             }},
        };
        const QStringList chosen = parser.values(groupOption);
        for (const auto& [name, figures] : groups) {
            if (!chosen.isEmpty() && !chosen.contains(name))
                continue;
            for (const BenchmarkResult& r : figures())
                out << r.line() << Qt::endl;
        }
    } catch (const EngineError& e) {
        QTextStream(stderr) << e.message() << Qt::endl;
        return 1;
    }
    return 0;
}
