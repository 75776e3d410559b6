#include "Database.h"
#include "DatabaseDump.h"
#include "OperationScenario.h"
#include "RecordingHost.h"
#include "TDataModule1.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

using Operation = OperationScenario::Operation;

constexpr int runsPerOperation = 100;
constexpr int loopKills = 40;
constexpr int childTimeoutMs = 120000;

// The same kill points every time, unless ZEB_KILL_SEED asks for others.
quint64 seed()
{
    bool ok = false;
    const quint64 chosen = qEnvironmentVariable("ZEB_KILL_SEED").toULongLong(&ok);
    return ok ? chosen : 20261209;
}

// Replaces the folder by one holding copies of the named files of another.
void copyFiles(const QString& from, const QString& to, const QStringList& names)
{
    QDir(to).removeRecursively();
    QDir().mkpath(to);
    for (const QString& name : names)
        QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name));
}

// A fresh copy of the data as the operation starts from it. A clean close leaves the database
// file alone; whatever the last run left beside it (log, shared memory, lock) goes.
void copyData(const QString& from, const QString& to)
{
    copyFiles(from, to, {QLatin1String(Database::FileName)});
}

// Everything a killed child left: the database, its log, shared memory and lock.
void copyLeftovers(const QString& from, const QString& to)
{
    copyFiles(from, to, QDir(from).entryList(QDir::Files));
}

struct ChildResult {
    bool finished = false; // within the time allowed
    bool killed = false;   // ended by a signal
    int exitCode = -1;
    QString out;
    QString err;
};

ChildResult collect(QProcess& child)
{
    ChildResult r;
    r.finished = child.waitForFinished(childTimeoutMs);
    if (!r.finished) {
        child.kill();
        child.waitForFinished();
    }
    r.killed = child.exitStatus() == QProcess::CrashExit;
    r.exitCode = child.exitCode();
    r.out = QString::fromUtf8(child.readAllStandardOutput());
    r.err = QString::fromUtf8(child.readAllStandardError());
    return r;
}

ChildResult runChild(const QStringList& arguments)
{
    QProcess child;
    child.start(QStringLiteral(ZEB_OPERATION_CHILD), arguments);
    return collect(child);
}

// What the child said after running the operation to its end.
struct Count {
    quint64 steps = 0;
    quint64 commits = 0;
    quint64 committedAt = 0;
};

bool parseCount(const QString& out, Count* count)
{
    static const QRegularExpression line(u"steps (\\d+) commits (\\d+) committed-at (\\d+)"_s);
    const QRegularExpressionMatch m = line.match(out);
    if (!m.hasMatch())
        return false;
    count->steps = m.captured(1).toULongLong();
    count->commits = m.captured(2).toULongLong();
    count->committedAt = m.captured(3).toULongLong();
    return true;
}

std::string describe(const DatabaseDump& state, const DatabaseDump& before,
                     const DatabaseDump& after)
{
    return "differs from the state before in [" +
           state.differencesFrom(before).join(u", "_s).toStdString() +
           "] and from the state after in [" +
           state.differencesFrom(after).join(u", "_s).toStdString() + "]";
}

// A normal start of the program over the data the killed one left.
QStringList startNormally(const QString& directory)
{
    Database db(directory);
    RecordingHost host;
    TDataModule1 data(db, host);
    data.DataModuleCreate();
    return host.errors;
}

// Where the data of the kill runs lives. A killed process leaves what it wrote in the system's
// cache, so whether the disk had it yet makes no difference to what the next start finds; a
// folder in memory, where the system has one, spares a hundred runs their waits on the disk.
// The crude kills, which are about real writes, keep to the ordinary temporary folder.
QString memoryFolder()
{
    const QString shared = u"/dev/shm"_s;
    return QFileInfo(shared).isDir() && QFileInfo(shared).isWritable() ? shared : QDir::tempPath();
}

// The data an operation starts from, made once, and the data it ends with, made by the child
// running it to the end in a copy.
class KillFixture {
public:
    KillFixture(Operation operation, const QString& folder)
        : m_operation(operation)
        , m_work(QDir(folder).filePath(u"zeb-kill-XXXXXX"_s))
    {
        m_beforeDir = m_work.filePath(u"before"_s);
        m_runDir = m_work.filePath(u"run"_s);
        m_startDir = m_work.filePath(u"start"_s);
        OperationScenario::createDirectory(m_beforeDir, operation);
        m_before = std::make_unique<DatabaseDump>(DatabaseDump::ofDirectory(m_beforeDir));
    }

    const QString& runDir() const { return m_runDir; }
    // Where a normal start runs over what a killed child left.
    const QString& startDir() const { return m_startDir; }
    const QString& beforeDir() const { return m_beforeDir; }
    const DatabaseDump& before() const { return *m_before; }
    const DatabaseDump& after() const { return *m_after; }
    QString name() const { return OperationScenario::nameOf(m_operation); }

    // Runs the operation to its end once; false (with the reason) when it did not get there.
    ::testing::AssertionResult learnTheEnd(Count* count)
    {
        copyData(m_beforeDir, m_runDir);
        const ChildResult r = runChild({name(), m_runDir, u"0"_s});
        if (!r.finished || r.killed || r.exitCode != 0 || !parseCount(r.out, count))
            return ::testing::AssertionFailure()
                   << "the child did not run " << name().toStdString()
                   << " to its end: " << r.err.toStdString() << r.out.toStdString();
        m_after = std::make_unique<DatabaseDump>(DatabaseDump::ofDirectory(m_runDir));
        const QStringList missed = OperationScenario::missedResults(m_operation, *openRun());
        if (!missed.isEmpty())
            return ::testing::AssertionFailure() << "the operation ran but did not do its work: "
                                                 << missed.join(u"; "_s).toStdString();
        return ::testing::AssertionSuccess();
    }

private:
    std::unique_ptr<Database> openRun() { return std::make_unique<Database>(m_runDir); }

    Operation m_operation;
    QTemporaryDir m_work;
    QString m_beforeDir;
    QString m_runDir;
    QString m_startDir;
    std::unique_ptr<DatabaseDump> m_before;
    std::unique_ptr<DatabaseDump> m_after;
};

class KilledOperation : public ::testing::TestWithParam<Operation> {};

std::string caseName(const ::testing::TestParamInfo<Operation>& info)
{
    return OperationScenario::nameOf(info.param).replace(u'-', u'_').toStdString();
}

} // namespace

void PrintTo(OperationScenario::Operation operation, std::ostream* os)
{
    *os << OperationScenario::nameOf(operation).toStdString();
}

// The child dies at a random step of SQLite's virtual machine while the operation runs: the
// data is then exactly as before it or as after it, on the side of the one commit the kill
// fell on, never anything between; and a start after a killed upgrade completes it.
TEST_P(KilledOperation, LeavesTheDataAsBeforeOrAsAfterNeverBetween)
{
    const Operation operation = GetParam();
    KillFixture fixture(operation, memoryFolder());
    Count count;
    ASSERT_TRUE(fixture.learnTheEnd(&count));
    EXPECT_EQ(count.commits, 1u) << "the operation is not one transaction";
    ASSERT_FALSE(fixture.before() == fixture.after());

    const quint64 runSeed = seed() + quint64(operation);
    std::mt19937_64 random(runSeed);
    // Half the kills before the commit and half after, however the steps fall: an operation
    // whose own statements are few next to the reading that follows it is still killed in
    // their midst.
    std::uniform_int_distribution<quint64> beforeCommit(1, count.committedAt);
    std::uniform_int_distribution<quint64> afterCommit(count.committedAt + 1, count.steps);
    int befores = 0;
    int afters = 0;
    QElapsedTimer timer;
    timer.start();
    for (int run = 0; run < runsPerOperation && !HasFailure(); ++run) {
        const quint64 killAt = run % 2 == 0 ? beforeCommit(random) : afterCommit(random);
        SCOPED_TRACE(::testing::Message()
                     << "seed " << runSeed << ", run " << run << ", killed at step " << killAt
                     << " of " << count.steps << ", commit at " << count.committedAt);
        copyData(fixture.beforeDir(), fixture.runDir());
        const ChildResult r = runChild({fixture.name(), fixture.runDir(), QString::number(killAt)});
        ASSERT_TRUE(r.finished);
        ASSERT_TRUE(r.killed) << "exit " << r.exitCode << ": " << r.err.toStdString();

        const bool committed = killAt > count.committedAt;
        // An upgrade that was not committed is done by the next start, over what the killed
        // one left; once committed, there is nothing left to do.
        const bool toComplete = operation == Operation::Upgrade && !committed;
        if (toComplete)
            copyLeftovers(fixture.runDir(), fixture.startDir());
        const DatabaseDump state = DatabaseDump::ofDirectory(fixture.runDir());
        EXPECT_EQ(state.integrity(), u"ok"_s);
        (committed ? afters : befores)++;
        EXPECT_TRUE(state == (committed ? fixture.after() : fixture.before()))
            << (committed ? "killed after the commit: " : "killed before the commit: ")
            << describe(state, fixture.before(), fixture.after());
        if (toComplete) {
            EXPECT_EQ(startNormally(fixture.startDir()), QStringList());
            const DatabaseDump started = DatabaseDump::ofDirectory(fixture.startDir());
            EXPECT_TRUE(started == fixture.after())
                << "the next start did not complete the upgrade: "
                << describe(started, fixture.before(), fixture.after());
        }
    }
    EXPECT_GT(befores, 0) << "no kill fell before the commit";
    EXPECT_GT(afters, 0) << "no kill fell after the commit";
    std::printf("%s: %d kills (%d before the commit, %d after) in %lld ms\n",
                qPrintable(fixture.name()), befores + afters, befores, afters, timer.elapsed());
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, KilledOperation,
                         ::testing::ValuesIn(OperationScenario::operations()), caseName);

// The crude way: the child saves the member under the other number again and again, each save
// its own transaction written to disk, and is killed from outside at a random moment, whatever
// it is writing then. The member and all its records are under one of the numbers.
TEST(KilledRenumbering, AtAnyMomentOfRealWritesLeavesOneNumberForEverything)
{
    KillFixture fixture(Operation::Renumber, QDir::tempPath());
    Count count;
    ASSERT_TRUE(fixture.learnTheEnd(&count));

    const quint64 runSeed = seed();
    std::mt19937_64 random(runSeed);
    std::uniform_int_distribution<int> delayMs(0, 150);
    int underOld = 0;
    int underNew = 0;
    for (int run = 0; run < loopKills && !HasFailure(); ++run) {
        const int delay = delayMs(random);
        SCOPED_TRACE(::testing::Message() << "seed " << runSeed << ", run " << run
                                          << ", killed after " << delay << " ms");
        copyData(fixture.beforeDir(), fixture.runDir());
        QProcess child;
        child.start(QStringLiteral(ZEB_OPERATION_CHILD), {u"renumber-loop"_s, fixture.runDir()});
        ASSERT_TRUE(child.waitForReadyRead(childTimeoutMs)) << "the child never got ready";
        QThread::msleep(ulong(delay));
        child.kill();
        const ChildResult r = collect(child);
        ASSERT_TRUE(r.killed) << "exit " << r.exitCode << ": " << r.err.toStdString();

        const DatabaseDump state = DatabaseDump::ofDirectory(fixture.runDir());
        EXPECT_EQ(state.integrity(), u"ok"_s);
        if (state == fixture.before())
            ++underOld;
        else if (state == fixture.after())
            ++underNew;
        else
            ADD_FAILURE() << describe(state, fixture.before(), fixture.after());
    }
    EXPECT_GT(underOld, 0) << "no kill found the member under its old number";
    EXPECT_GT(underNew, 0) << "no kill found the member under its new number";
}
