#include "TestDataDir.h"

#include "DataModel.h"
#include "DateText.h"
#include "EngineError.h"
#include "ErrorLog.h"
#include "Query.h"
#include "Table.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <sqlite3.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

QStringList namesOf(const QList<FieldDef>& fields)
{
    QStringList names;
    for (const FieldDef& f : fields)
        names << f.name;
    return names;
}

// Expects the call to throw an engine error whose message names the given text.
template <typename Call> void expectEngineError(Call call, const QString& named)
{
    try {
        call();
        ADD_FAILURE() << "no error";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains(named)) << e.what();
    }
}

// The upgrade of payment records from the layout without local permits and postage.
TEST(Restructure, InsertedFieldsGoWhereTheUpgradePutsThemAndRowsKeepTheirValues)
{
    TestDataDir dir;
    const TableDef current = DataModel::table(u"Povol"_s);
    TableDef old = current;
    old.fields.removeIf(
        [](const FieldDef& f) { return f.name == u"POSTOVNE"_s || f.name.startsWith(u"MI_"_s); });
    ASSERT_EQ(old.fields.size(), current.fields.size() - 7);
    dir.db().createTable(old);
    {
        Table payments(dir.db(), u"Povol.DB"_s);
        payments.open();
        appendRow(payments, {{u"CLEN_CISLO"_s, u"105"_s},
                             {u"ROK"_s, 2009},
                             {u"STANOVY_ZEB"_s, 20},
                             {u"MP_ROCNI"_s, 600},
                             {u"PS_RAD"_s, 15},
                             {u"CELKEM_KC"_s, 635},
                             {u"VYDANO"_s, QDate(2009, 1, 9)},
                             {u"MP_VRACENO"_s, u"NE"_s}});
        appendRow(payments, {{u"CLEN_CISLO"_s, u"106"_s}, {u"ROK"_s, 2009}});
    }

    QList<QPair<int, FieldDef>> localPermits;
    for (const char* name :
         {"MI_ROCNI", "MI_MESICNI", "MI_TYDEN", "MI_CELOREP", "MI_MISTNI", "MI_RAD"})
        localPermits << qMakePair(22 + int(localPermits.size()),
                                  FieldDef::integer(QString::fromUtf8(name)));
    dir.db().insertFields(u"POVOL"_s, localPermits);
    dir.db().insertFields(u"POVOL"_s, {qMakePair(9, FieldDef::integer(u"POSTOVNE"_s))});

    EXPECT_EQ(namesOf(dir.db().tableDef(u"Povol"_s).fields), namesOf(current.fields));
    EXPECT_EQ(dir.db().tableDef(u"Povol"_s).fields, current.fields);
    EXPECT_EQ(dir.db().rowCount(u"Povol"_s), 2);

    Table payments(dir.db(), u"Povol.DB"_s);
    payments.open();
    ASSERT_TRUE(payments.locate(u"CLEN_CISLO"_s, u"105"_s));
    EXPECT_EQ(payments.field(8).asInteger(), 20);   // STANOVY_ZEB stays
    EXPECT_EQ(payments.field(10).asInteger(), 600); // MP_ROCNI moved up by one
    EXPECT_EQ(payments.field(22).asInteger(), 15);  // PS_RAD
    EXPECT_EQ(payments.field(29).asInteger(), 635); // CELKEM_KC moved up by seven
    EXPECT_EQ(payments.field(30).asDate(), QDate(2009, 1, 9));
    EXPECT_EQ(payments.field(31).asString(), u"NE"_s);
    for (int blank : {9, 23, 24, 25, 26, 27, 28})
        EXPECT_TRUE(payments.field(blank).isNull()) << payments.field(blank).name().toStdString();
}

TEST(Files, CopyNeverOverwritesAndPatternsMatchTableNames)
{
    TestDataDir dir({u"Clenove"_s, u"SuMP2010"_s, u"SuMP2012"_s, u"SuPS2010"_s, u"SuMP1999"_s});
    {
        Table catch2010(dir.db(), u"SuMP2010.DB"_s);
        catch2010.open();
        appendRow(catch2010, {{u"CLEN_CISLO"_s, u"1"_s}});
        appendRow(catch2010, {{u"CLEN_CISLO"_s, u"2"_s}});
        Table catch2012(dir.db(), u"SuMP2012.DB"_s);
        catch2012.open();
        appendRow(catch2012, {{u"CLEN_CISLO"_s, u"9"_s}});
    }

    EXPECT_TRUE(dir.db().copyFile(u"SuMP2010.DB"_s, u"SuMP2011.DB"_s));
    EXPECT_EQ(dir.db().rowCount(u"SuMP2011"_s), 2);
    EXPECT_EQ(namesOf(dir.db().tableDef(u"SuMP2011"_s).fields),
              namesOf(DataModel::yearCatchFields()));
    EXPECT_FALSE(dir.db().copyFile(u"SuMP2010.DB"_s, u"SuMP2012.DB"_s));
    EXPECT_EQ(dir.db().rowCount(u"SuMP2012"_s), 1);
    EXPECT_FALSE(dir.db().copyFile(u"SuMP2009.DB"_s, u"SuMP2013.DB"_s));
    EXPECT_FALSE(dir.db().fileExists(u"SuMP2013.DB"_s));

    QStringList found = dir.db().findFiles(u"SuMP2*.DB"_s);
    found.sort();
    EXPECT_EQ(found, listOf("SuMP2010.DB,SuMP2011.DB,SuMP2012.DB"));
    EXPECT_TRUE(dir.db().fileExists(u"clenove.db"_s));
    EXPECT_TRUE(dir.db().fileExists(u"Clenove.DB"_s));
    EXPECT_FALSE(dir.db().fileExists(u"Vyrazeni.DB"_s));
}

TEST(Files, MissingTableIsAnErrorNamingIt)
{
    TestDataDir dir({u"Clenove"_s});
    Table table(dir.db(), u"Vyrazeni.DB"_s);
    expectEngineError([&] { table.open(); }, u"Vyrazeni.DB"_s);
    EXPECT_FALSE(table.isActive());

    Query query(dir.db());
    query.setSql({u"select * from Clenove, VYZNAM"_s});
    expectEngineError([&] { query.open(); }, u"VYZNAM"_s);
    EXPECT_FALSE(query.isActive());
}

TEST(Files, ForeignFileInPlaceOfTheDatabaseGivesAClearError)
{
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath(QLatin1String(Database::FileName)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < 200; ++i)
        file.write("CLEN_CISLO;PRIJMENI;JMENO\n105;Novák;Jan\n");
    file.close();

    expectEngineError([&] { Database db(dir.path()); }, QLatin1String(Database::FileName));
    expectEngineError([&] { Database db(dir.path(), Database::OpenMode::CreateNew); },
                      QDir::toNativeSeparators(dir.path()));
}

TEST(Files, SecondDatabaseOnTheSameDirectoryIsRefusedUntilTheFirstCloses)
{
    TestDataDir dir({u"Clenove"_s});
    {
        Table members(dir.db(), u"Clenove.DB"_s);
        members.open();
        appendRow(members, member(u"105"_s, u"Novák"_s));
    }
    expectEngineError([&] { Database second(dir.path()); }, QDir::toNativeSeparators(dir.path()));

    dir.closeDatabase();
    Database reopened(dir.path());
    EXPECT_EQ(reopened.rowCount(u"Clenove"_s), 1);

    QTemporaryDir empty;
    expectEngineError([&] { Database none(empty.path()); }, QLatin1String(Database::FileName));
}

// Removing members who did not pay copies them into the removed members first; one
// removed earlier and now removed again gets the current record.
TEST(BatchMove, AppendsNewMembersAndUpdatesThoseAlreadyRemoved)
{
    TestDataDir dir({u"Clenove"_s, u"Vyrazeni"_s});
    Table members(dir.db(), u"Clenove.DB"_s);
    members.open();
    appendRow(members, member(u"101"_s, u"Nový"_s,
                              {{u"LAST_CLENSTVI"_s, 2011},
                               {u"DATUM_NAROZENI"_s, QDate(1970, 5, 4)},
                               {u"ZENA"_s, true}}));
    appendRow(members, member(u"102"_s, u"Placený"_s, {{u"LAST_CLENSTVI"_s, 2012}}));
    appendRow(members, member(u"103"_s, u"Čermák"_s));
    Table removed(dir.db(), u"Vyrazeni.DB"_s);
    removed.setIndexFieldNames(u"PRIJMENI"_s);
    removed.open();
    appendRow(removed, member(u"101"_s, u"Starý"_s, {{u"LAST_CLENSTVI"_s, 2005}}));
    appendRow(removed, member(u"099"_s, u"Dávný"_s));

    Query unpaid(dir.db());
    unpaid.setSql(
        {u"select * from CLENOVE"_s, u"where (LAST_CLENSTVI<2012) or (LAST_CLENSTVI is null)"_s});
    unpaid.open();
    EXPECT_EQ(removed.batchMoveAppendUpdate(unpaid), 2);

    EXPECT_EQ(columnOf(removed, u"CLEN_CISLO"_s), listOf("103,099,101"));
    ASSERT_TRUE(removed.locate(u"CLEN_CISLO"_s, u"101"_s));
    EXPECT_EQ(removed.fieldByName(u"PRIJMENI"_s).asString(), u"Nový"_s);
    EXPECT_EQ(removed.fieldByName(u"LAST_CLENSTVI"_s).asInteger(), 2011);
    EXPECT_EQ(removed.fieldByName(u"DATUM_NAROZENI"_s).asDate(), QDate(1970, 5, 4));
    EXPECT_TRUE(removed.fieldByName(u"ZENA"_s).asBoolean());
    EXPECT_EQ(dir.db().rowCount(u"Clenove"_s), 3);
}

} // namespace

// An interrupted write makes SQLite roll the whole transaction back by itself. The rest of
// the operation must then not be written on its own, outside any transaction.
TEST(Transactions, OneRolledBackBySQLiteRefusesTheRestOfTheOperation)
{
    TestDataDir dir({u"Brigady"_s});
    Database& db = dir.db();
    db.run(u"INSERT INTO Brigady (CLEN_CISLO, HODIN) VALUES ('1', 1)"_s, {});
    bool interrupt = false;
    sqlite3_progress_handler(
        db.handle(), 1, [](void* flag) { return *static_cast<bool*>(flag) ? 1 : 0; }, &interrupt);
    {
        Database::Transaction operation(db);
        db.run(u"UPDATE Brigady SET HODIN = 2"_s, {});
        interrupt = true;
        EXPECT_THROW(db.run(u"UPDATE Brigady SET HODIN = 3"_s, {}), EngineError);
        interrupt = false;
        EXPECT_THROW(Database::Transaction step(db), EngineError);
        EXPECT_THROW(operation.commit(), EngineError);
    }
    sqlite3_progress_handler(db.handle(), 0, nullptr, nullptr);
    Database::Transaction next(db);
    db.run(u"UPDATE Brigady SET ZAPSAL = 'x'"_s, {});
    next.commit();
    Table brigades(db, u"Brigady.DB"_s);
    brigades.open();
    EXPECT_EQ(brigades.fieldByName(u"HODIN"_s).asFloat(), 1.0) << "nothing of it was stored";
    EXPECT_EQ(brigades.fieldByName(u"ZAPSAL"_s).asString(), u"x"_s) << "the next one works";
}

// Closing any descriptor of a file drops every record lock the process holds on it. A program
// holding the data must keep its locks whatever other code of it opens and closes, or a
// reader from outside takes the database for unused, folds the log into it and deletes the
// log under the running program, whose next changes are then lost.
TEST(OtherPrograms, AnOutsideReaderNeverTakesTheDataFromTheRunningProgram)
{
    QTemporaryDir dir;
    {
        TestDataDir chapter({u"Povol"_s});
        for (const char* number : {"1", "2", "3"})
            chapter.db().run(u"INSERT INTO Povol (CLEN_CISLO, ROK) VALUES (?, 2012)"_s,
                             {QLatin1String(number)});
        chapter.closeDatabase();
        QFile::copy(QDir(chapter.path()).filePath(u"zeb.sqlite"_s), dir.filePath(u"zeb.sqlite"_s));
    }
    QProcess holder;
    holder.start(QStringLiteral(DATABASE_HOLDER), {dir.path()});
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readLine().trimmed(), "ready");

    QProcess reader;
    reader.start(u"sqlite3"_s, {dir.filePath(u"zeb.sqlite"_s), u"SELECT count(*) FROM Povol"_s});
    ASSERT_TRUE(reader.waitForFinished(10000));
    holder.write("2\n");
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    EXPECT_EQ(holder.readLine().trimmed(), "deleted 2");
    holder.kill();
    holder.waitForFinished();

    Database db(dir.path());
    Table payments(db, u"Povol.DB"_s);
    payments.open();
    EXPECT_EQ(columnOf(payments, u"CLEN_CISLO"_s), QStringList{u"3"_s})
        << "both changes made while the reader looked are kept";
}

namespace {

// Makes a file or folder unwritable for the test's life, also for root (which permissions
// do not stop): then the file is made immutable.
class Unwritable {
public:
    explicit Unwritable(const QString& path)
        : m_path(path)
        , m_permissions(QFile::permissions(path))
    {
        QFile::setPermissions(path, m_permissions & ~(QFile::WriteOwner | QFile::WriteUser |
                                                      QFile::WriteGroup | QFile::WriteOther));
        m_immutable = QProcess::execute(u"chattr"_s, {u"+i"_s, path}) == 0;
    }
    ~Unwritable()
    {
        if (m_immutable)
            QProcess::execute(u"chattr"_s, {u"-i"_s, m_path});
        QFile::setPermissions(m_path, m_permissions);
    }

private:
    QString m_path;
    QFile::Permissions m_permissions;
    bool m_immutable = false;
};

QString lockFileOf(const TestDataDir& dir)
{
    return QDir(dir.path()).filePath(u"zeb.sqlite.lock"_s);
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

// The lock is the system's, held while a program runs: what a crash or a copy left in the
// lock file never blocks a start on this computer.
TEST(Locks, LeftoverLockFilesNeverBlockAStart)
{
    TestDataDir dir({u"Clenove"_s});
    dir.closeDatabase();
    for (const QByteArray& leftover :
         {QByteArray(), QByteArray("\x01\xff garbage"),
          "zeb-mo\nhost=" + QSysInfo::machineHostName().toUtf8() + "\npid=999999\n"}) {
        writeFile(lockFileOf(dir), leftover);
        Database db(dir.path());
        EXPECT_EQ(db.rowCount(u"Clenove"_s), 0);
    }
    QFile lock(lockFileOf(dir));
    ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
    EXPECT_TRUE(lock.readAll().isEmpty()) << "a clean end leaves no owner named";
}

TEST(Locks, ALockOfAnotherComputerIsTakenOverOnlyWhenAsked)
{
    TestDataDir dir({u"Clenove"_s});
    dir.closeDatabase();
    writeFile(lockFileOf(dir), "zeb-mo\nhost=pokladna-2\npid=42\n");
    try {
        Database refused(dir.path());
        FAIL() << "opened over another computer's lock";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.kind(), EngineError::Kind::ForeignLock);
        EXPECT_TRUE(e.message().contains(u"pokladna-2"_s));
    }
    Database taken(dir.path(), Database::OpenMode::Existing, Database::ForeignLock::TakeOver);
    expectEngineError([&] { Database second(dir.path()); }, u"už používá jiný"_s);
}

TEST(Locks, AnUnwritableFolderOrFileIsNamed)
{
    TestDataDir dir({u"Clenove"_s});
    dir.closeDatabase();
    const QString database = QDir(dir.path()).filePath(u"zeb.sqlite"_s);
    {
        const Unwritable file(database);
        expectEngineError([&] { Database db(dir.path()); }, u"Soubor dat "_s +
                                                                QDir::toNativeSeparators(database) +
                                                                u" je jen pro čtení"_s);
    }
    QFile::remove(lockFileOf(dir));
    {
        const Unwritable folder(dir.path());
        expectEngineError([&] { Database db(dir.path()); },
                          QDir::toNativeSeparators(lockFileOf(dir)));
    }
    Database writable(dir.path());
}

// The user reads what failed and what to do, naming table and field; the statement and
// SQLite's own words go to the error log only.
TEST(Messages, EngineErrorsSpeakCzechAndLeaveTheStatementToTheLog)
{
    QTemporaryDir logDir;
    const QString log = logDir.filePath(u"chyby.log"_s);
    ErrorLog::setFile(log);
    TestDataDir dir({u"Povol"_s, u"Clenove"_s});
    Database& db = dir.db();
    const auto told = [&](const QString& sql) {
        try {
            db.run(sql, {});
        } catch (const EngineError& e) {
            return e.message();
        }
        return QString();
    };
    EXPECT_EQ(told(u"INSERT INTO Povol (ROK) VALUES (2012)"_s),
              u"Záznam nelze uložit: pole CLEN_CISLO tabulky Povol musí být vyplněno."_s);
    EXPECT_EQ(told(u"SELECT NEEXISTUJE FROM Clenove"_s),
              u"V datech chybí pole NEEXISTUJE (tabulka Clenove)."_s);
    // A disk that is full, as far as SQLite can tell: the file may not grow.
    SqlStatement pages = db.prepare(u"PRAGMA page_count"_s);
    pages.step();
    db.execute(u"PRAGMA max_page_count = "_s + QString::number(pages.integer(0)));
    const QString full = told(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < 50000) INSERT INTO Povol (CLEN_CISLO, ROK) SELECT "
                              "printf('%06d', i), 2012 FROM n"_s);
    EXPECT_TRUE(full.startsWith(u"Na disku s daty došlo místo"_s)) << full.toStdString();
    EXPECT_FALSE(full.contains(u"INSERT"_s));
    ErrorLog::setFile({});
    QFile written(log);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(written.readAll());
    EXPECT_TRUE(logged.contains(u"INSERT INTO Povol (ROK) VALUES (2012)"_s));
    EXPECT_TRUE(logged.contains(u"no such column: NEEXISTUJE"_s));
}

// A backup is written under a working name and renamed only once checked: a program killed
// while backing up leaves no file under a backup's name that is not a whole, sound backup.
TEST(OtherPrograms, ABackupKilledHalfWayLeavesNoBadFileUnderABackupName)
{
    QTemporaryDir dir;
    {
        TestDataDir chapter({u"Povol"_s});
        chapter.db().execute(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                             "WHERE i < 200000) INSERT INTO Povol (CLEN_CISLO, ROK, ZAPISNE) "
                             "SELECT printf('%06d', i % 5000), 2012, i FROM n"_s);
        chapter.closeDatabase();
        QFile::copy(QDir(chapter.path()).filePath(u"zeb.sqlite"_s), dir.filePath(u"zeb.sqlite"_s));
    }
    const QString folder = dir.filePath(u"Zaloha"_s);
    QDir().mkpath(folder);
    // The kills are spread over a few backups' time on this machine today.
    QElapsedTimer clock;
    {
        Database db(dir.path());
        clock.start();
        db.backupTo(dir.filePath(u"timed.sqlite"_s));
    }
    const int backupTime = int(clock.elapsed());
    std::mt19937 random(20261209);
    for (int run = 0; run < 12; ++run) {
        QProcess holder;
        holder.start(QStringLiteral(DATABASE_HOLDER), {dir.path(), u"backups"_s, folder});
        ASSERT_TRUE(holder.waitForReadyRead(10000)) << holder.readAllStandardError().toStdString();
        QThread::msleep(std::uniform_int_distribution<int>(0, 3 * backupTime)(random));
        holder.kill();
        holder.waitForFinished();
    }
    const QStringList named = QDir(folder).entryList({u"zeb-*.sqlite"_s}, QDir::Files);
    ASSERT_FALSE(named.isEmpty()) << "no backup was ever finished: kill later";
    EXPECT_FALSE(QDir(folder).entryList({u"*.part"_s}, QDir::Files).isEmpty())
        << "no kill fell inside a backup: the test proves nothing";
    for (const QString& name : named) {
        sqlite3* backup = nullptr;
        ASSERT_EQ(sqlite3_open_v2(QDir(folder).filePath(name).toUtf8().constData(), &backup,
                                  SQLITE_OPEN_READONLY, nullptr),
                  SQLITE_OK);
        sqlite3_stmt* check = nullptr;
        sqlite3_prepare_v2(backup, "PRAGMA integrity_check", -1, &check, nullptr);
        ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
        EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok")
            << name.toStdString();
        sqlite3_finalize(check);
        sqlite3_close(backup);
    }
}

// Stored dates are read by hand in their usual form; the bytes and the text agree on every
// form, ordinary or not.
TEST(StoredDates, TheStoredFormReadsAsTheGeneralReadingDoes)
{
    for (const char* stored :
         {"2012-03-04", "2012-03-04T10:15:00", "2012-03-04 10:15", "1900-01-01", "2012-13-01",
          "2012-02-30", "2012-3-4", "12.3.2012", "", "2012-03-0x", "20120304"}) {
        const QDate fromBytes = DateText::fromIso(QByteArrayView(stored, qstrlen(stored)));
        EXPECT_EQ(fromBytes, DateText::fromIso(QString::fromLatin1(stored))) << stored;
    }
    EXPECT_EQ(DateText::fromIso(QByteArrayView("2012-03-04")), QDate(2012, 3, 4));
}

// Dates are shown without leading zeros, whatever the number of digits of each part.
TEST(StoredDates, ShownDayMonthYearWithoutLeadingZeros)
{
    EXPECT_EQ(DateText::format(QDate(2012, 3, 4)), QStringLiteral("4.3.2012"));
    EXPECT_EQ(DateText::format(QDate(1999, 12, 31)), QStringLiteral("31.12.1999"));
    EXPECT_EQ(DateText::format(QDate(10, 10, 1)), QStringLiteral("1.10.10"));
    EXPECT_EQ(DateText::format(QDate(705, 1, 20)), QStringLiteral("20.1.705"));
    EXPECT_EQ(DateText::format(QDate(12345, 6, 7)), QStringLiteral("7.6.12345"));
    EXPECT_EQ(DateText::format(QDate()), QString());
}
