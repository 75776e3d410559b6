#include "DataBackups.h"
#include "DataDamage.h"
#include "DataDirectoryInitializer.h"
#include "Database.h"
#include "EngineError.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A chapter of a few hundred members in a temporary folder, so its file spans many pages.
class Backups : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataDirectoryInitializer::Options options;
        options.demo = true;
        options.members = 300;
        DataDirectoryInitializer::create(dataDir(), options);
    }
    QString dataDir() const { return m_dir.filePath(u"data"_s); }
    QStringList leftovers(const DataBackups& backups) const
    {
        return QDir(backups.folder()).entryList({u"*.part*"_s}, QDir::Files);
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(Backups, DamagedDataAreNeverBackedUpSoGoodBackupsStay)
{
    DataBackups backups(dataDir());
    {
        Database db(dataDir());
        for (int i = 0; i < 3; ++i)
            backups.make(db);
    }
    const QStringList good = backups.backups();
    ASSERT_EQ(good.size(), 3) << "three backups within a second each get a name of their own";

    zeroAPageOf(dataDir());
    Database damaged(dataDir());
    EXPECT_FALSE(damaged.integrityProblems(true).isEmpty()) << "the start's check sees it";
    for (int i = 0; i < DataBackups::kept + 1; ++i) {
        try {
            backups.make(damaged);
            FAIL() << "damaged data were backed up";
        } catch (const EngineError& e) {
            EXPECT_EQ(e.kind(), EngineError::Kind::Damaged);
        }
    }
    EXPECT_EQ(backups.backups(), good);
    EXPECT_TRUE(leftovers(backups).isEmpty());
}

TEST_F(Backups, ARestoreKeepsTheReplacedDataAndRefusesWhatIsNoBackup)
{
    DataBackups backups(dataDir());
    Database db(dataDir());
    const int members = db.rowCount(u"Clenove"_s);
    const QString backup = backups.make(db);
    db.execute(u"DELETE FROM Clenove"_s);

    const QString garbage = m_dir.filePath(u"zeb-2026-01-01-000000.sqlite"_s);
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("no database at all");
    file.close();
    EXPECT_THROW(backups.restore(db, garbage), EngineError);
    EXPECT_EQ(db.rowCount(u"Clenove"_s), 0) << "nothing changed";

    const QString replaced = backups.restore(db, backup);
    EXPECT_EQ(db.rowCount(u"Clenove"_s), members);
    EXPECT_TRUE(db.integrityProblems(false).isEmpty());
    Database::Transaction writable(db);
    db.execute(u"UPDATE Setup SET TISK = 1"_s);
    writable.commit();
    EXPECT_TRUE(QFile::exists(replaced));
    EXPECT_FALSE(backups.backups().contains(replaced)) << "the replaced data are no backup";
}
