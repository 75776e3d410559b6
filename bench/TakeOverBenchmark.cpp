#include "TakeOverBenchmark.h"

#include "DataModel.h"
#include "Database.h"
#include "MemberImport.h"
#include "ParadoxChapterWriter.h"
#include "ParadoxTakeOver.h"
#include "PlainSqlite.h"
#include "Stopwatch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int CatchYears = 10;

// The chapter's catch tables of one year copied into the nine years before, as a chapter
// that has used the program for ten years brings them.
void addCatchYears(const QString& paradoxDirectory, int year)
{
    for (const bool trout : {false, true}) {
        const QString from = DataModel::yearCatchTableName(trout, year) + QStringLiteral(".DB");
        for (int back = 1; back < CatchYears; ++back)
            QFile::copy(QDir(paradoxDirectory).filePath(from),
                        QDir(paradoxDirectory)
                            .filePath(DataModel::yearCatchTableName(trout, year - back) +
                                      QStringLiteral(".DB")));
    }
}

void removeData(const QString& directory)
{
    for (const QString& name : QDir(directory).entryList({QStringLiteral("zeb.sqlite*")}))
        QFile::remove(QDir(directory).filePath(name));
}

} // namespace

TakeOverBenchmark::TakeOverBenchmark(const QString& dataDirectory, int year)
    : m_directory(dataDirectory)
    , m_year(year)
{
}

QList<BenchmarkResult> TakeOverBenchmark::runAll()
{
    QTemporaryDir scratch;
    const QString paradox = scratch.filePath(QStringLiteral("paradox"));
    QDir().mkpath(paradox);
    int members = 0;
    {
        Database db(m_directory);
        members = db.rowCount(QStringLiteral("Clenove"));
        ParadoxChapterWriter::writeOlderLayouts(db, paradox);
    }
    addCatchYears(paradox, m_year);
    BenchmarkResult result{QStringLiteral("take-over of %1 members in Paradox tables").arg(members),
                           0, 0};
    result.oursMs = Stopwatch::medianOf(
        2, [&] { removeData(paradox); }, [&] { ParadoxTakeOver::takeOver(paradox); });
    const QString copy = scratch.filePath(QStringLiteral("plain.sqlite"));
    result.sqliteMs = Stopwatch::medianOf(
        2, [&] { QFile::remove(copy); },
        [&] {
            PlainSqlite::copy(QDir(paradox).filePath(QLatin1String(Database::FileName)), copy);
        });
    return {result, importResult(paradox, members)};
}

BenchmarkResult TakeOverBenchmark::importResult(const QString& paradoxDirectory, int members)
{
    // The delivered table under the name the import looks for.
    const QString delivered = QDir(paradoxDirectory).filePath(QStringLiteral("import"));
    QDir().mkpath(delivered);
    QFile::copy(QDir(paradoxDirectory).filePath(QStringLiteral("Clenove.DB")),
                MemberImport::sourcePath(delivered));
    BenchmarkResult result{
        QStringLiteral("import of %1 members equal to the register").arg(members), 0, 0};
    Database db(m_directory);
    result.oursMs = Stopwatch::medianOf(2, [&] {
        MemberImport(db).run(MemberImport::sourcePath(delivered),
                             [](const QString&) { return MemberImport::Answer::Keep; });
    });
    result.sqliteMs = Stopwatch::medianOf(2, [&] {
        PlainSqlite::exec(QDir(m_directory).filePath(QLatin1String(Database::FileName)),
                          "SELECT * FROM Clenove");
    });
    return result;
}
