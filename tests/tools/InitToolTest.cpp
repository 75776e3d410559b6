#include "Database.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

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

TEST(InitTool, SummaryOfADirectoryWithoutDataFails)
{
    QTemporaryDir temp;
    const ToolRun run = runTool({QStringLiteral("--summary"), temp.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String(Database::FileName))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

} // namespace
