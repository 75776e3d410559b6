#include "DataDirectoryInitializer.h"
#include "DataModel.h"
#include "Database.h"
#include "EngineError.h"
#include "TableRows.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Options = DataDirectoryInitializer::Options;

class InitializerTest : public ::testing::Test {
protected:
    QString dataDir() const { return m_temp.filePath(QStringLiteral("data")); }

    Database& create(const Options& options)
    {
        DataDirectoryInitializer::create(dataDir(), options);
        m_db = std::make_unique<Database>(dataDir());
        return *m_db;
    }

    // The directory's files and a digest of each, to prove that nothing changed.
    QStringList snapshot() const
    {
        QStringList files;
        const QDir dir(dataDir());
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::ReadOnly);
            files << name + QLatin1Char(' ') +
                         QString::fromLatin1(
                             QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                 .toHex());
        }
        return files;
    }

    QTemporaryDir m_temp;
    std::unique_ptr<Database> m_db;
};

TEST_F(InitializerTest, EveryTableHasTheDataModelsLayout)
{
    Database& db = create({.year = 2012});
    for (const TableDef& model : DataModel::tables()) {
        SCOPED_TRACE(model.name.toStdString());
        const TableDef& stored = db.tableDef(model.name);
        EXPECT_EQ(stored.name, model.name);
        EXPECT_EQ(stored.fields, model.fields);
        EXPECT_EQ(stored.primaryKey, model.primaryKey);
        EXPECT_EQ(stored.secondaryIndex, model.secondaryIndex);
    }
    for (const char* name :
         {"SuMP2000", "SuPS2000", "SuMP2010", "SuPS2010", "SuMP2012", "SuPS2012"}) {
        SCOPED_TRACE(name);
        const TableDef& stored = db.tableDef(QLatin1String(name));
        EXPECT_EQ(stored.name, QLatin1String(name));
        EXPECT_EQ(stored.fields, DataModel::yearCatchFields());
        EXPECT_TRUE(stored.primaryKey.isEmpty());
        EXPECT_EQ(db.rowCount(QLatin1String(name)), 0);
    }
    EXPECT_EQ(db.tableNames().size(), DataModel::tables().size() + 6);
}

struct YearCase {
    int year;
    const char* tables;
};

void PrintTo(const YearCase& c, std::ostream* os)
{
    *os << c.year;
}

class YearTablesTest : public InitializerTest, public ::testing::WithParamInterface<YearCase> {};

TEST_P(YearTablesTest, TheSummaryYearsTablesJoinTheFixedOnes)
{
    Database& db = create({.year = GetParam().year});
    QStringList yearTables = db.findFiles(QStringLiteral("Su??2*.DB"));
    yearTables.sort();
    EXPECT_EQ(yearTables.join(QLatin1Char(' ')), QLatin1String(GetParam().tables));
}

INSTANTIATE_TEST_SUITE_P(
    Years, YearTablesTest,
    ::testing::Values(YearCase{2000, "SuMP2000.DB SuMP2010.DB SuPS2000.DB SuPS2010.DB"},
                      YearCase{2010, "SuMP2000.DB SuMP2010.DB SuPS2000.DB SuPS2010.DB"},
                      YearCase{2050, "SuMP2000.DB SuMP2010.DB SuMP2050.DB SuPS2000.DB "
                                     "SuPS2010.DB SuPS2050.DB"}));

TEST_F(InitializerTest, SettingsRowCarriesTheYear)
{
    Database& db = create({.year = 2019});
    const TableRows setup(db, QStringLiteral("Setup"));
    ASSERT_EQ(setup.count(), 1);
    EXPECT_EQ(setup.value(0, QStringLiteral("PRACOVNI_ROK")).toInt(), 2019);
    EXPECT_EQ(setup.value(0, QStringLiteral("PRACOVNI_ROK_SUM")).toInt(), 2019);
    EXPECT_FALSE(setup.value(0, QStringLiteral("TISK")).toBool());
    for (const char* field : {"NAZEV_ORGANIZACE", "CISLO_ORGANIZACE", "ULICE", "OBEC", "PSC"})
        EXPECT_FALSE(setup.value(0, QLatin1String(field)).toString().isEmpty()) << field;

    const TableRows counts(db, QStringLiteral("NumPovol"));
    ASSERT_EQ(counts.count(), 1);
    EXPECT_EQ(counts.value(0, QStringLiteral("ROK")).toInt(), 2019);
}

TEST_F(InitializerTest, NoYearMeansThisYear)
{
    Database& db = create({});
    EXPECT_EQ(
        TableRows(db, QStringLiteral("Setup")).value(0, QStringLiteral("PRACOVNI_ROK")).toInt(),
        QDate::currentDate().year());
    EXPECT_TRUE(db.fileExists(DataModel::yearCatchTableName(true, QDate::currentDate().year())));
}

TEST_F(InitializerTest, FeeTableHasEveryCategoryAndEveryItem)
{
    Database& db = create({.year = 2024});
    const TableRows fees(db, QStringLiteral("PovolSet"));
    EXPECT_EQ(
        fees.column(QStringLiteral("KATEGORIE")),
        QStringList({QStringLiteral("dospělý"), QStringLiteral("mládež"), QStringLiteral("dítě"),
                     QStringLiteral("důchodce"), QStringLiteral("ZTP"), QStringLiteral("čestný")}));
    for (int r = 0; r < fees.count(); ++r) {
        EXPECT_EQ(fees.value(r, QStringLiteral("ROK")).toInt(), 2024);
        EXPECT_FALSE(fees.value(r, QStringLiteral("BRIG_HODIN")).isNull());
        for (const QString& item : DataModel::feeItems()) {
            const QVariant amount = fees.value(r, item);
            EXPECT_FALSE(amount.isNull()) << item.toStdString();
            // An adult pays for everything there is.
            if (r == 0) {
                EXPECT_GT(amount.toInt(), 0) << item.toStdString();
            }
        }
    }
}

TEST_F(InitializerTest, UsualWeightsCoverEverySpecies)
{
    Database& db = create({.year = 2024});
    const TableRows weights(db, QStringLiteral("VAHY"));
    QStringList expected;
    for (const QString& species : DataModel::species())
        expected << species + QStringLiteral("_KG");
    EXPECT_EQ(weights.column(QStringLiteral("DB_NAME")), expected);
    for (int r = 0; r < weights.count(); ++r) {
        const double low = weights.value(r, QStringLiteral("KG_MIN")).toDouble();
        const double high = weights.value(r, QStringLiteral("KG_MAX")).toDouble();
        EXPECT_GT(low, 0);
        // Rounded to tenths, a catch must still fit the range.
        EXPECT_GE(high - low, 0.1);
        EXPECT_FALSE(weights.value(r, QStringLiteral("USER_NAME")).toString().isEmpty());
    }
    const int vimba = int(expected.indexOf(QStringLiteral("PODOUSTEV_KG")));
    EXPECT_EQ(weights.value(vimba, QStringLiteral("USER_NAME")).toString(),
              QStringLiteral("Podoustev"));
    EXPECT_DOUBLE_EQ(weights.value(vimba, QStringLiteral("KG_MIN")).toDouble(), 0.2);
    EXPECT_DOUBLE_EQ(weights.value(vimba, QStringLiteral("KG_MAX")).toDouble(), 0.8);
}

TEST_F(InitializerTest, RefusesExistingDataAndChangesNothing)
{
    DataDirectoryInitializer::create(dataDir(), {.year = 2020});
    const QStringList before = snapshot();
    ASSERT_FALSE(before.isEmpty());
    try {
        DataDirectoryInitializer::create(dataDir(), {.demo = true, .members = 20, .year = 2021});
        FAIL() << "existing data was not refused";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("už data programu jsou"))) << e.what();
    }
    EXPECT_EQ(snapshot(), before);
    Database db(dataDir());
    EXPECT_EQ(db.rowCount(QStringLiteral("Clenove")), 0);
    EXPECT_FALSE(db.fileExists(QStringLiteral("SuMP2021.DB")));
}

TEST_F(InitializerTest, UsesAnExistingEmptyDirectory)
{
    ASSERT_TRUE(QDir().mkpath(dataDir()));
    create({.year = 2024});
    EXPECT_TRUE(Database::existsIn(dataDir()));
}

struct BadOptions {
    const char* why;
    Options options;
};

void PrintTo(const BadOptions& c, std::ostream* os)
{
    *os << c.why;
}

class BadOptionsTest : public InitializerTest, public ::testing::WithParamInterface<BadOptions> {};

TEST_P(BadOptionsTest, AreRefusedBeforeAnythingIsMade)
{
    EXPECT_THROW(DataDirectoryInitializer::create(dataDir(), GetParam().options), EngineError);
    EXPECT_FALSE(QDir(dataDir()).exists());
}

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, BadOptionsTest,
    ::testing::Values(BadOptions{"year before 1990", {.year = 1989}},
                      BadOptions{"year after 2050", {.year = 2051}},
                      BadOptions{"negative size", {.demo = true, .members = -1, .year = 2024}}));

} // namespace
