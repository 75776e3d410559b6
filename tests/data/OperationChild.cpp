// The child process of the kill tests: runs one operation of the data layer over a data
// directory, the way the program would, and dies on the spot when told to.
//
//   zeb-operation-child OPERATION DIRECTORY STEP
//     Starts the data module and readies the operation, then counts the steps of SQLite's
//     virtual machine while the operation runs, and while the program goes on reading
//     afterwards, and kills its own process with SIGKILL at the given step, as a crash or a
//     killed program stops it: no destructor, no rollback, no close. With step 0 it runs to
//     the end and prints "steps S commits C committed-at K": how many steps it took, how many
//     transactions it committed, and the step count at the commit (the last one, when there
//     were more).
//   zeb-operation-child renumber-loop DIRECTORY
//     Prints "ready", then renumbers the member back and forth, one save after another,
//     until it is killed from outside.
//
// Signals are raised here and nowhere else in the tests.

#include "Database.h"
#include "EngineError.h"
#include "OperationScenario.h"
#include "RecordingHost.h"
#include "SqlStatement.h"
#include "TDataModule1.h"
#include "Table.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>

namespace {

struct StepCounter {
    quint64 killAt = 0;
    quint64 steps = 0;
    quint64 commits = 0;
    quint64 committedAt = 0;
};

int countStep(void* context)
{
    auto* counter = static_cast<StepCounter*>(context);
    if (++counter->steps == counter->killAt)
        std::raise(SIGKILL);
    return 0;
}

int countCommit(void* context)
{
    auto* counter = static_cast<StepCounter*>(context);
    ++counter->commits;
    counter->committedAt = counter->steps;
    return 0;
}

// The program goes on reading after the operation, for as many steps as the operation took up
// to its commit, so that a kill is as likely to fall after the commit as before it.
void readAfterwards(Database& db, const StepCounter& counter)
{
    QStringList tables;
    SqlStatement names = db.prepare(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (names.step())
        tables << names.text(0);
    const quint64 until = 2 * counter.committedAt;
    while (counter.steps < until)
        for (const QString& table : std::as_const(tables)) {
            SqlStatement rows = db.prepare(
                QStringLiteral("SELECT * FROM %1").arg(Database::quoteIdentifier(table)));
            while (counter.steps < until && rows.step()) {
            }
        }
}

int runOnce(const QString& name, const QString& directory, quint64 killAt)
{
    OperationScenario::Operation operation;
    if (!OperationScenario::fromName(name, &operation))
        throw EngineError(QStringLiteral("Neznámá operace %1.").arg(name));
    Database db(directory);
    RecordingHost host;
    OperationScenario scenario(db, host, operation);
    StepCounter counter;
    counter.killAt = killAt;
    sqlite3_progress_handler(db.handle(), 1, &countStep, &counter);
    sqlite3_commit_hook(db.handle(), &countCommit, &counter);
    scenario.perform();
    readAfterwards(db, counter);
    sqlite3_progress_handler(db.handle(), 0, nullptr, nullptr);
    sqlite3_commit_hook(db.handle(), nullptr, nullptr);
    QTextStream(stdout) << QStringLiteral("steps %1 commits %2 committed-at %3")
                               .arg(counter.steps)
                               .arg(counter.commits)
                               .arg(counter.committedAt)
                        << Qt::endl;
    return 0;
}

[[noreturn]] void renumberForever(const QString& directory)
{
    Database db(directory);
    RecordingHost host;
    OperationScenario scenario(db, host, OperationScenario::Operation::Renumber);
    scenario.data().TableClenove().cancel();
    QTextStream(stdout) << "ready" << Qt::endl;
    for (bool renumbered = false;; renumbered = !renumbered)
        scenario.renumberCurrentMember(renumbered ? OperationScenario::memberNumber()
                                                  : OperationScenario::newNumber());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 3 && args[1] == QLatin1String("renumber-loop"))
            renumberForever(args[2]);
        bool stepOk = false;
        const quint64 killAt = args.size() == 4 ? args[3].toULongLong(&stepOk) : 0;
        if (!stepOk) {
            QTextStream(stderr) << "usage: zeb-operation-child OPERATION DIRECTORY STEP"
                                << Qt::endl;
            return 2;
        }
        return runOnce(args[1], args[2], killAt);
    } catch (const EngineError& e) {
        QTextStream(stderr) << e.message() << Qt::endl;
        return 1;
    }
}
