#include "Database.h"
#include "EngineError.h"
#include "ParadoxChapterWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(ZEB_INIT_BINARY), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray digestOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

struct BadCall {
    const char* why;
    QStringList arguments; // "DIR" stands for the data directory
};

void PrintTo(const BadCall& call, std::ostream* os)
{
    *os << call.why;
}

class InitToolUsageTest : public ::testing::TestWithParam<BadCall> {};

TEST_P(InitToolUsageTest, ShowsUsageAndMakesNothing)
{
    QTemporaryDir temp;
    const QString dir = temp.filePath(QStringLiteral("data"));
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings(QStringLiteral("DIR"), dir);
    const ToolRun run = runTool(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--members"))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_FALSE(QDir(dir).exists());
}

QStringList args(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* a : list)
        result << QString::fromUtf8(a);
    return result;
}

INSTANTIATE_TEST_SUITE_P(
    BadArguments, InitToolUsageTest,
    ::testing::Values(BadCall{"no directory", {}},
                      BadCall{"two directories", args({"DIR", "DIR2"})},
                      BadCall{"unknown option", args({"DIR", "--colour"})},
                      BadCall{"members not a number", args({"DIR", "--demo", "--members", "abc"})},
                      BadCall{"no members", args({"DIR", "--demo", "--members", "0"})},
                      BadCall{"year too early", args({"DIR", "--year", "1989"})},
                      BadCall{"year too late", args({"DIR", "--year", "2051"})},
                      BadCall{"seed without demo", args({"DIR", "--seed", "3"})},
                      BadCall{"summary with demo", args({"--summary", "DIR", "--demo"})}));

TEST(InitTool, CreatesSummarisesAndThenRefusesToOverwrite)
{
    QTemporaryDir temp;
    const QString dir = temp.filePath(QStringLiteral("data"));
    const ToolRun created =
        runTool({dir, QStringLiteral("--demo"), QStringLiteral("--members"), QStringLiteral("40"),
                 QStringLiteral("--seed"), QStringLiteral("3"), QStringLiteral("--year"),
                 QStringLiteral("2015")});
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();

    const ToolRun summary = runTool({QStringLiteral("--summary"), dir});
    ASSERT_EQ(summary.exitCode, 0) << summary.err.toStdString();
    const QStringList lines = summary.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains(QStringLiteral("Clenove: 40 rows")));
    QStringList sorted = lines;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(lines, sorted);
    {
        const Database db(dir);
        EXPECT_EQ(lines.size(), db.tableNames().size());
        const QRegularExpression form(QStringLiteral("^(\\w+): (\\d+) rows$"));
        for (const QString& line : lines) {
            const auto m = form.match(line);
            ASSERT_TRUE(m.hasMatch()) << line.toStdString();
            EXPECT_EQ(m.captured(2).toInt(), db.rowCount(m.captured(1))) << line.toStdString();
        }
    }

    const QString file = QDir(dir).filePath(QLatin1String(Database::FileName));
    const QByteArray before = digestOf(file);
    const ToolRun again = runTool({dir});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("nic nebylo přepsáno")))
        << again.err.toStdString();
    EXPECT_EQ(digestOf(file), before);
}

TEST(InitTool, TakesOverParadoxTablesAndPrintsWhatCameOver)
{
    QTemporaryDir temp;
    const QString source = temp.filePath(QStringLiteral("data"));
    const QString old = temp.filePath(QStringLiteral("paradox"));
    ASSERT_EQ(runTool({source, QStringLiteral("--demo"), QStringLiteral("--members"),
                       QStringLiteral("25")})
                  .exitCode,
              0);
    QDir().mkpath(old);
    int tables = 0;
    {
        Database db(source);
        ParadoxChapterWriter::writeOlderLayouts(db, old);
        tables = int(db.tableNames().size());
    }
    const ToolRun taken = runTool({QStringLiteral("--take-over"), old});
    ASSERT_EQ(taken.exitCode, 0) << taken.err.toStdString();
    const QStringList lines = taken.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), tables);
    EXPECT_TRUE(lines.contains(QStringLiteral("Clenove: 25 záznamů"))) << taken.out.toStdString();
    EXPECT_TRUE(Database::existsIn(old));

    const ToolRun again = runTool({QStringLiteral("--take-over"), old});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("nic nebylo přepsáno")))
        << again.err.toStdString();
    EXPECT_EQ(runTool({QStringLiteral("--take-over"), old, QStringLiteral("--demo")}).exitCode, 2);
}

TEST(InitTool, SummaryOfADirectoryWithoutDataFails)
{
    QTemporaryDir temp;
    const ToolRun run = runTool({QStringLiteral("--summary"), temp.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String(Database::FileName))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

} // namespace

// A new data directory appears whole or not at all: a run killed at any moment leaves
// nothing that looks like data, and the next run makes it.
TEST(InitTool, KilledHalfWayLeavesNoHalfMadeData)
{
    QTemporaryDir parent;
    const QString dir = QDir(parent.path()).filePath(QStringLiteral("data"));
    const QStringList demo{dir, QStringLiteral("--demo"), QStringLiteral("--members"),
                           QStringLiteral("2000")};
    // The kills are spread over how long a whole run takes on this machine today.
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(runTool(demo).exitCode, 0);
    const qint64 whole = clock.elapsed();
    QDir(dir).removeRecursively();
    int complete = 0;
    for (int run = 0; run < 10; ++run) {
        QProcess init;
        init.start(QStringLiteral(ZEB_INIT_BINARY), demo);
        ASSERT_TRUE(init.waitForStarted());
        QThread::msleep(unsigned(whole * run / 7));
        init.kill();
        init.waitForFinished();
        if (!Database::existsIn(dir)) {
            EXPECT_EQ(runTool({dir}).exitCode, 0) << "a killed run must not block the next";
        } else {
            ++complete;
        }
        const ToolRun summary = runTool({QStringLiteral("--summary"), dir});
        EXPECT_EQ(summary.exitCode, 0) << summary.err.toStdString();
        EXPECT_TRUE(summary.out.contains(QStringLiteral("Clenove"))) << summary.out.toStdString();
        QDir(dir).removeRecursively();
    }
    EXPECT_GT(complete, 0) << "no run finished: the kills came too late to prove anything";
    EXPECT_LT(complete, 10) << "every run finished before its kill";
}

TEST(InitTool, AnEmptyDatabaseFileIsDamageNotRoomForNewData)
{
    QTemporaryDir dir;
    QFile empty(QDir(dir.path()).filePath(QStringLiteral("zeb.sqlite")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    try {
        Database db(dir.path());
        FAIL() << "an empty file was opened as data";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.kind(), EngineError::Kind::Damaged);
    }
    EXPECT_NE(runTool({dir.path()}).exitCode, 0) << "and it is not written over";
    EXPECT_EQ(QFileInfo(empty).size(), 0);
}
