#include "DataDirectoryInitializer.h"
#include "DataModel.h"
#include "Database.h"
#include "OlderLayout.h"
#include "RecordingHost.h"
#include "TDataModule1.h"
#include "Table.h"
#include "TestDataDir.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A data directory made by the initializer, reopened by each start of the data module.
class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        DataDirectoryInitializer::Options options;
        options.year = 2012;
        DataDirectoryInitializer::create(path(), options);
        m_db = std::make_unique<Database>(path());
    }

    QString path() const { return m_dir.filePath(u"data"_s); }
    Database& db() { return *m_db; }

    // One program start: the module is created and runs its start-up.
    std::unique_ptr<TDataModule1> startModule(RecordingHost& host)
    {
        auto module = std::make_unique<TDataModule1>(db(), host);
        module->DataModuleCreate();
        return module;
    }

    // Replaces a table by its layout without the named fields, keeping no rows.
    void makeOlderLayout(const QString& table, const QStringList& missing)
    {
        OlderLayout::withoutFields(db(), table, missing);
    }

    void setSummaryYear(int year)
    {
        Table setup(db(), u"Setup.db"_s);
        setup.open();
        setup.edit();
        setup.fieldByName(u"PRACOVNI_ROK_SUM"_s).setAsInteger(year);
        setup.post();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};

const QStringList& miAndPostage = OlderLayout::postageAndMi();
const QStringList& newSpecies = OlderLayout::newSpecies();

QStringList namesOf(const QList<FieldDef>& fields)
{
    QStringList names;
    for (const FieldDef& f : fields)
        names << f.name;
    return names;
}

} // namespace

TEST_F(StartUp, OldFeeLayoutsAreRestructuredOnceKeepingRows)
{
    makeOlderLayout(u"Povol"_s, miAndPostage);
    makeOlderLayout(u"SumPovol"_s, miAndPostage);
    makeOlderLayout(u"PovolSet"_s, miAndPostage);
    makeOlderLayout(u"NumPovol"_s, miAndPostage + QStringList{u"MI_CESTNA"_s, u"MI_CELKEM"_s});
    {
        Table payments(db(), u"Povol.DB"_s);
        payments.open();
        appendRow(payments, {{u"CLEN_CISLO"_s, u"105"_s},
                             {u"STANOVY_ZEB"_s, 40},
                             {u"MP_ROCNI"_s, 900},
                             {u"PS_RAD"_s, 30},
                             {u"CELKEM_KC"_s, 970},
                             {u"MP_VRACENO"_s, u"NE"_s}});
    }

    RecordingHost host;
    auto module = startModule(host);
    EXPECT_TRUE(host.errors.isEmpty()) << host.errors.join(u'\n').toStdString();
    EXPECT_TRUE(host.upgradeVisible);
    EXPECT_EQ(host.upgradeCaption, u"Upgrade 5.10 proveden"_s);
    for (const char* table : {"Povol", "SumPovol", "PovolSet", "NumPovol"})
        EXPECT_EQ(namesOf(db().tableDef(QLatin1String(table)).fields),
                  namesOf(DataModel::table(QLatin1String(table)).fields))
            << table;

    // The module's own payment cursor follows the current member; read the table whole.
    Table payments(db(), u"Povol.DB"_s);
    payments.open();
    EXPECT_EQ(payments.fieldByName(u"STANOVY_ZEB"_s).asInteger(), 40);
    EXPECT_TRUE(payments.fieldByName(u"POSTOVNE"_s).isNull());
    EXPECT_EQ(payments.fieldByName(u"MP_ROCNI"_s).asInteger(), 900);
    EXPECT_EQ(payments.fieldByName(u"PS_RAD"_s).asInteger(), 30);
    EXPECT_TRUE(payments.fieldByName(u"MI_ROCNI"_s).isNull());
    EXPECT_EQ(payments.fieldByName(u"CELKEM_KC"_s).asInteger(), 970);
    EXPECT_EQ(payments.fieldByName(u"MP_VRACENO"_s).asString(), u"NE"_s);

    module.reset();
    RecordingHost again;
    const quint64 before = db().version(u"Povol"_s);
    startModule(again);
    EXPECT_FALSE(again.upgradeVisible);
    EXPECT_EQ(db().version(u"Povol"_s), before) << "the current layout was restructured again";
}

TEST_F(StartUp, OldCatchTablesGetTheNewSpeciesAndTheWeightRowOnce)
{
    for (const QString& t : {u"SuMP2000"_s, u"SuPS2000"_s, u"SuMP2010"_s, u"SuPS2010"_s,
                             u"SuMP2012"_s, u"SuPS2012"_s, u"CSumMP"_s, u"CSumPS"_s})
        makeOlderLayout(t, newSpecies);
    {
        Table weights(db(), u"VAHY.db"_s);
        weights.open();
        ASSERT_TRUE(weights.locate(u"DB_NAME"_s, u"PODOUSTEV_KG"_s, false));
        weights.deleteRecord();
    }

    RecordingHost host;
    startModule(host);
    startModule(host).reset();
    EXPECT_TRUE(host.errors.isEmpty()) << host.errors.join(u'\n').toStdString();
    for (const QString& t : db().tableNames()) {
        if (DataModel::isYearCatchTableName(t) || t.startsWith(u"CSum"_s)) {
            EXPECT_EQ(namesOf(db().tableDef(t).fields), namesOf(DataModel::table(t).fields))
                << t.toStdString();
        }
    }

    Table weights(db(), u"VAHY.db"_s);
    weights.setFilter(u"DB_NAME='PODOUSTEV_KG'"_s);
    weights.setFiltered(true);
    weights.open();
    ASSERT_EQ(weights.recordCount(), 1);
    EXPECT_EQ(weights.fieldByName(u"USER_NAME"_s).asString(), u"Podoustev"_s);
    EXPECT_DOUBLE_EQ(weights.fieldByName(u"KG_MIN"_s).asFloat(), 0.2);
    EXPECT_DOUBLE_EQ(weights.fieldByName(u"KG_MAX"_s).asFloat(), 0.8);
}

// Species are found by position: a later table without the new species would be read
// wrongly from them on, so each table is checked on its own, not only the first year's.
TEST_F(StartUp, EveryCatchTableWithoutTheNewSpeciesIsUpgraded)
{
    makeOlderLayout(u"SuMP2012"_s, newSpecies);
    RecordingHost host;
    startModule(host);
    EXPECT_EQ(db().tableDef(u"SuMP2012"_s).fieldNames(),
              TableDef(u"SuMP2012"_s, DataModel::yearCatchFields()).fieldNames());
    EXPECT_TRUE(host.upgradeVisible);
}

TEST_F(StartUp, YearTablesAreCopiedFrom2010OnlyWhen2011IsMissing)
{
    {
        Table source(db(), u"SuMP2010.DB"_s);
        source.open();
        appendRow(source, {{u"CLEN_CISLO"_s, u"7"_s}, {u"KAPR_KS"_s, 3}});
    }
    RecordingHost host;
    startModule(host);
    for (int year = 2011; year <= 2020; ++year) {
        ASSERT_TRUE(db().fileExists(u"SuMP%1.DB"_s.arg(year))) << year;
        ASSERT_TRUE(db().fileExists(u"SuPS%1.DB"_s.arg(year))) << year;
    }
    EXPECT_EQ(db().rowCount(u"SuMP2015"_s), 1);
    EXPECT_EQ(db().rowCount(u"SuMP2012"_s), 0) << "an existing year table is never overwritten";

    db().dropTable(u"SuMP2016"_s);
    startModule(host);
    EXPECT_FALSE(db().fileExists(u"SuMP2016.DB"_s)) << "with 2011 present nothing is copied";
}

TEST_F(StartUp, SummaryYearOutsideItsRangeIsRefusedAndTheEdgesAccepted)
{
    RecordingHost host;
    auto module = startModule(host);
    for (int year : {1989, 2051}) {
        setSummaryYear(year);
        host.errors.clear();
        module->EnsureYearTables();
        EXPECT_EQ(host.errors, QStringList{u"Chyba v letopočtu"_s}) << year;
        EXPECT_FALSE(db().fileExists(u"SuMP%1.DB"_s.arg(year)));
        EXPECT_FALSE(db().fileExists(u"SuPS%1.DB"_s.arg(year)));
    }
    for (int year : {1990, 2050}) {
        setSummaryYear(year);
        host.errors.clear();
        host.confirmations.clear();
        module->EnsureYearTables();
        EXPECT_TRUE(host.errors.isEmpty());
        EXPECT_EQ(host.confirmations,
                  QStringList({u"Sumář SuMP%1.DB neexistuje, VYTVOŘIT ? "_s.arg(year),
                               u"Sumář SuPS%1.DB neexistuje, VYTVOŘIT ? "_s.arg(year)}));
        EXPECT_EQ(module->TableSumar().storageName(), u"SuMP%1"_s.arg(year));
        EXPECT_EQ(module->TableSumar().fieldCount(), 60);
        EXPECT_EQ(module->TableSumar().recordCount(), 0);
    }
}

TEST_F(StartUp, FillsTheMembersWindowAndLeavesOneEmptyAwardForNoAwards)
{
    RecordingHost host;
    auto module = startModule(host);
    EXPECT_EQ(host.brigadeYear, u"2012"_s);
    EXPECT_EQ(host.memberCount, 0);
    EXPECT_EQ(host.allMembersShown, 1);
    EXPECT_EQ(host.awardKinds, QStringList{QString()});
    EXPECT_TRUE(module->TableClenove().notificationsEnabled());

    for (const char* kind : {"Zlatý odznak", "Čestné uznání", "Bronzový odznak", "Zlatý odznak"})
        appendRow(module->TableVyznam(),
                  {{u"CLEN_CISLO"_s, u"1"_s}, {u"DRUH_VYZNAMENANI"_s, QString::fromUtf8(kind)}});
    startModule(host);
    EXPECT_EQ(host.awardKinds, listOf("Bronzový odznak,Čestné uznání,Zlatý odznak"));
}

TEST_F(StartUp, PendingEditIsPostedBeforeTheEndAndFlushKeepsIt)
{
    {
        RecordingHost host;
        auto module = startModule(host);
        appendRow(module->TableClenove(), member(u"1"_s, u"Novák"_s));
        Table& members = module->TableClenove();
        members.edit();
        members.fieldByName(u"PRIJMENI"_s).setAsString(u"Nováková"_s);
        module->Update_All_Data();
        EXPECT_TRUE(members.isEditing()) << "saving the data leaves a pending edit alone";
        module->PostPendingEdits();
        module->Update_All_Data();
    }
    m_db.reset();
    m_db = std::make_unique<Database>(path());
    Table members(db(), u"Clenove.DB"_s);
    members.open();
    EXPECT_EQ(columnOf(members, u"PRIJMENI"_s), QStringList{u"Nováková"_s});
}
