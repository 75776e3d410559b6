#include "DataDirectoryInitializer.h"

#include "ChapterDefaults.h"
#include "DataModel.h"
#include "Database.h"
#include "DemoChapterGenerator.h"
#include "EngineError.h"
#include "FeeSchedule.h"
#include "RowWriter.h"
#include "UsualWeights.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <memory>

namespace {

int effectiveYear(const DataDirectoryInitializer::Options& options)
{
    return options.year == 0 ? QDate::currentDate().year() : options.year;
}

void checkOptions(const DataDirectoryInitializer::Options& options)
{
    const int year = effectiveYear(options);
    if (year < DataDirectoryInitializer::FirstYear || year > DataDirectoryInitializer::LastYear)
        throw EngineError(QStringLiteral("Rok %1 je mimo rozsah %2–%3.")
                              .arg(year)
                              .arg(DataDirectoryInitializer::FirstYear)
                              .arg(DataDirectoryInitializer::LastYear));
    if (options.members < 0)
        throw EngineError(
            QStringLiteral("Počet členů nesmí být záporný (%1).").arg(options.members));
}

void createTables(Database& db, int year)
{
    for (const TableDef& def : DataModel::tables())
        db.createTable(def);
    for (const QString& name : DataDirectoryInitializer::yearCatchTables(year))
        db.createTable(DataModel::table(name));
    db.setLayoutVersion(DataModel::layoutVersion);
}

void writeSetup(Database& db, int year)
{
    const ChapterDefaults::Chapter chapter = ChapterDefaults::chapter();
    RowWriter setup(db, QStringLiteral("Setup"));
    setup.append();
    setup.set(QStringLiteral("NAZEV_ORGANIZACE"), chapter.name);
    setup.set(QStringLiteral("ULICE"), chapter.street);
    setup.set(QStringLiteral("OBEC"), chapter.town);
    setup.set(QStringLiteral("PSC"), chapter.postCode);
    setup.set(QStringLiteral("CISLO_ORGANIZACE"), chapter.number);
    setup.set(QStringLiteral("PRACOVNI_ROK"), year);
    setup.set(QStringLiteral("PRACOVNI_ROK_SUM"), year);
    setup.set(QStringLiteral("TISK"), false);
    setup.set(QStringLiteral("DOCH_DRAD"), 0);
    setup.set(QStringLiteral("DOCH_DSLOUP"), 0);
    setup.post();
}

void writeFeeTable(Database& db, int year)
{
    RowWriter fees(db, QStringLiteral("PovolSet"));
    const QStringList& items = DataModel::feeItems();
    for (const FeeSchedule::Category& category : FeeSchedule::categories()) {
        const QList<int> amounts = FeeSchedule::fees(category, year);
        fees.append();
        fees.set(QStringLiteral("KATEGORIE"), category.name);
        fees.set(QStringLiteral("ROK"), year);
        for (int i = 0; i < items.size(); ++i)
            fees.set(items[i], amounts[i]);
        fees.set(QStringLiteral("BRIG_HODIN"), category.brigadeHours);
        fees.post();
    }
}

void writeUsualWeights(Database& db)
{
    RowWriter weights(db, QStringLiteral("VAHY"));
    for (const UsualWeights::Weight& w : UsualWeights::all()) {
        weights.append();
        weights.set(QStringLiteral("DB_NAME"), w.fieldName());
        weights.set(QStringLiteral("USER_NAME"), w.userName);
        weights.set(QStringLiteral("KG_MIN"), w.kgMin);
        weights.set(QStringLiteral("KG_MAX"), w.kgMax);
        weights.post();
    }
}

void writeDistricts(Database& db, bool trout)
{
    RowWriter districts(db, trout ? QStringLiteral("ReviryPS") : QStringLiteral("ReviryMP"));
    for (const ChapterDefaults::District& d : ChapterDefaults::districts(trout)) {
        districts.append();
        districts.set(QStringLiteral("REVIR_CISLO"), d.number);
        districts.set(QStringLiteral("REVIR_NAZEV"), d.name);
        districts.post();
    }
}

void writeIssueCounts(Database& db, int year)
{
    RowWriter counts(db, QStringLiteral("NumPovol"));
    counts.append();
    counts.set(QStringLiteral("ROK"), year);
    counts.post();
}

void fill(Database& db, const DataDirectoryInitializer::Options& options)
{
    const int year = effectiveYear(options);
    // One commit for everything: a large demo chapter would otherwise wait on the disk
    // for every row, and a failure leaves no half-made data behind.
    Database::Transaction transaction(db);
    createTables(db, year);
    writeSetup(db, year);
    writeFeeTable(db, year);
    writeUsualWeights(db);
    writeDistricts(db, false);
    writeDistricts(db, true);
    writeIssueCounts(db, year);
    if (options.demo)
        DemoChapterGenerator(db, options.seed, year).generate(options.members);
    transaction.commit();
}

// Where a new data directory is built before it takes its place: beside it when it does not
// exist yet (the whole folder is then renamed), inside it when it does (the database file is
// then moved in). Either way the rename is the last step, so a run killed or failed half-way
// leaves the data complete or absent, never a half-made database that looks like data.
QString buildingPlaceFor(const QDir& target, bool targetExists)
{
    return targetExists ? target.filePath(QStringLiteral(".zeb-novy"))
                        : target.absolutePath() + QStringLiteral(".zeb-novy");
}

void putInPlace(const QString& building, const QString& directory, bool directoryExisted)
{
    const QString database = QLatin1String(Database::FileName);
    const bool placed = directoryExisted ? QFile::rename(QDir(building).filePath(database),
                                                         QDir(directory).filePath(database))
                                         : QDir().rename(building, directory);
    if (!placed)
        throw EngineError(QStringLiteral("Nová data nelze uložit do adresáře %1; nic nebylo "
                                         "přepsáno.")
                              .arg(QDir::toNativeSeparators(directory)));
    if (directoryExisted)
        QDir(building).removeRecursively();
}

} // namespace

void DataDirectoryInitializer::create(const QString& directory, const Options& options)
{
    checkOptions(options);
    build(directory, [&options](Database& db) { fill(db, options); });
}

void DataDirectoryInitializer::build(const QString& directory,
                                     const std::function<void(Database&)>& fillData)
{
    const QDir target(directory);
    const bool directoryExisted = target.exists();
    if (Database::existsIn(directory))
        throw EngineError(
            QStringLiteral("V adresáři %1 už data programu jsou; nic nebylo přepsáno.")
                .arg(QDir::toNativeSeparators(target.absolutePath())));
    const QString building = buildingPlaceFor(target, directoryExisted);
    // What an earlier run left when it was killed.
    QDir(building).removeRecursively();
    try {
        {
            Database db(building, Database::OpenMode::CreateNew);
            fillData(db);
        }
        // The closed database holds everything; its lock file stays behind with the rest.
        QFile::remove(
            QDir(building).filePath(QLatin1String(Database::FileName) + QStringLiteral(".lock")));
        putInPlace(building, directory, directoryExisted);
    } catch (...) {
        QDir(building).removeRecursively();
        throw;
    }
}

QStringList DataDirectoryInitializer::yearCatchTables(int year)
{
    // Start-up opens the 2000 tables and copies the 2010 ones into the following years.
    QStringList names;
    for (int y : {2000, 2010, year})
        for (bool trout : {false, true})
            if (!names.contains(DataModel::yearCatchTableName(trout, y)))
                names << DataModel::yearCatchTableName(trout, y);
    return names;
}
