#include "Database.h"

#include "CzechCollation.h"
#include "DataLock.h"
#include "DataModel.h"
#include "EngineError.h"
#include "ErrorLog.h"
#include "FieldValue.h"
#include "ParadoxError.h"
#include "ParadoxLayout.h"
#include "ParadoxTable.h"
#include "Platform.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace {

QString keyOf(const QString& tableName)
{
    return tableName.toLower();
}

QString primaryIndexName(const QString& table)
{
    return table + QStringLiteral("_primary");
}

QString secondaryIndexName(const QString& table)
{
    return table + QStringLiteral("_PRIJM");
}

const QString searchIndexMark = QStringLiteral("_by_");

QString searchIndexName(const QString& table, const QString& field)
{
    return table + searchIndexMark + field;
}

bool hasPath(const QString& fileName)
{
    return fileName.contains(QLatin1Char('/')) || fileName.contains(QLatin1Char('\\'));
}

QByteArray fileDigest(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (file.open(QIODevice::ReadOnly))
        hash.addData(&file);
    return hash.result();
}

} // namespace

Database::Database(const QString& directory, OpenMode mode, ForeignLock foreignLock)
    : m_directory(QDir(directory).absolutePath())
{
    const QString path = QDir(m_directory).filePath(QLatin1String(FileName));
    checkPresence(path, mode);
    const bool createdDirectory = mode == OpenMode::CreateNew && !QFileInfo::exists(m_directory);
    if (mode == OpenMode::CreateNew && !QDir().mkpath(m_directory))
        throw EngineError(QStringLiteral("Adresář %1 nelze vytvořit.")
                              .arg(QDir::toNativeSeparators(m_directory)));
    try {
        takeLock(path, foreignLock);
        checkWritable(path, mode);
        openConnection(path, mode);
    } catch (...) {
        // A failed creation leaves nothing behind, so the next attempt is not refused.
        if (mode == OpenMode::CreateNew)
            removeCreated(path, createdDirectory);
        throw;
    }
}

void Database::checkPresence(const QString& path, OpenMode mode) const
{
    const bool exists = QFileInfo::exists(path);
    if (mode == OpenMode::Existing && !exists)
        throw EngineError(QStringLiteral("V adresáři %1 nejsou data programu (chybí soubor %2).")
                              .arg(QDir::toNativeSeparators(m_directory), QLatin1String(FileName)),
                          EngineError::Kind::Missing);
    // SQLite would take an empty file for a new database and write one there: a file that
    // lost its content is damage to report, not room for new data.
    if (mode == OpenMode::Existing && QFileInfo(path).size() == 0)
        throw EngineError(QStringLiteral("Soubor dat %1 je prázdný, jeho obsah se ztratil. Obnovte "
                                         "data z poslední dobré zálohy ve složce Zaloha.")
                              .arg(QDir::toNativeSeparators(path)),
                          EngineError::Kind::Damaged);
    if (mode == OpenMode::CreateNew && exists)
        throw EngineError(
            QStringLiteral("V adresáři %1 už data programu jsou; nic nebylo přepsáno.")
                .arg(QDir::toNativeSeparators(m_directory)));
}

void Database::takeLock(const QString& path, ForeignLock foreignLock)
{
    m_lock = std::make_unique<DataLock>(path + QStringLiteral(".lock"));
    switch (m_lock->take(foreignLock == ForeignLock::TakeOver)) {
    case DataLock::Outcome::Taken:
        return;
    case DataLock::Outcome::HeldByRunningProgram:
        throw EngineError(QStringLiteral("Data v adresáři %1 už používá jiný spuštěný program. "
                                         "Ukončete ho a zkuste to znovu.")
                              .arg(QDir::toNativeSeparators(m_directory)));
    case DataLock::Outcome::LeftByAnotherComputer:
        throw EngineError(QStringLiteral("Data v adresáři %1 naposledy otevřel program na počítači "
                                         "%2 a neukončil je. Pokud tam program už neběží, můžete "
                                         "data převzít; běží-li, převzetím by se data poškodila.")
                              .arg(QDir::toNativeSeparators(m_directory), m_lock->otherComputer()),
                          EngineError::Kind::ForeignLock);
    }
}

void Database::checkWritable(const QString& path, OpenMode mode) const
{
    // SQLite keeps its log beside the database: a folder it cannot write in would let the
    // program start and fail at the first change.
    QTemporaryFile probe(QDir(m_directory).filePath(QStringLiteral("zeb-probe-XXXXXX")));
    if (!probe.open())
        throw EngineError(QStringLiteral("Do adresáře dat %1 nelze zapisovat. Program data mění, "
                                         "proto potřebuje adresář, do kterého smí psát: "
                                         "zkopírujte data na jiný disk nebo upravte oprávnění.")
                              .arg(QDir::toNativeSeparators(m_directory)));
    if (mode == OpenMode::Existing && !QFile(path).open(QIODevice::ReadWrite))
        throw EngineError(QStringLiteral("Soubor dat %1 je jen pro čtení. Program data mění, proto "
                                         "potřebuje soubor, do kterého smí psát: upravte jeho "
                                         "oprávnění nebo ho zkopírujte na jiný disk.")
                              .arg(QDir::toNativeSeparators(path)));
}

void Database::openConnection(const QString& path, OpenMode mode)
{
    Platform::keepDatabaseLocksWithTheirFiles();
    // One connection per thread: the serialising mutex would only cost time.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX |
                      (mode == OpenMode::CreateNew ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EngineError(QStringLiteral("Soubor %1 nelze otevřít: %2")
                              .arg(QDir::toNativeSeparators(path), detail));
    }
    try {
        configure();
    } catch (const EngineError& e) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EngineError(QStringLiteral("Soubor %1 není databáze programu ZEB: %2")
                              .arg(QDir::toNativeSeparators(path), e.message()));
    }
}

void Database::removeCreated(const QString& path, bool directoryToo)
{
    if (!m_lock || !m_lock->isTaken())
        return; // another program holds these files
    m_lock.reset();
    for (const char* suffix : {"", "-wal", "-shm", ".lock"})
        QFile::remove(path + QLatin1String(suffix));
    if (directoryToo)
        QDir().rmdir(m_directory);
}

Database::~Database()
{
    m_cache.clear();
    if (m_db) {
        sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
        sqlite3_close_v2(m_db);
    }
}

void Database::configure()
{
    sqlite3_busy_timeout(m_db, 2000);
    // Reading the schema proves that the file is a database before anything is written.
    prepare(QStringLiteral("SELECT count(*) FROM sqlite_master")).run();
    execute(QStringLiteral("PRAGMA journal_mode=WAL"));
    execute(QStringLiteral("PRAGMA synchronous=FULL"));
    // A chapter's whole data fit in the page cache: the cursors read rows in their own order,
    // one by one, and each page read again from the system would cost a call into it.
    execute(QStringLiteral("PRAGMA cache_size=-65536"));
    CzechCollation::registerOn(m_db);
    sqlite3_rollback_hook(
        m_db,
        [](void* self) {
            auto* db = static_cast<Database*>(self);
            if (!db->m_rollingBack && db->m_transactionDepth > 0)
                db->m_transactionLost = true;
        },
        this);
}

bool Database::existsIn(const QString& directory)
{
    return QFileInfo::exists(QDir(directory).filePath(QLatin1String(FileName)));
}

QStringList Database::tableNames() const
{
    if (!m_tableNamesValid) {
        m_tableNames.clear();
        SqlStatement st(m_db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' "
                                             "AND name NOT LIKE 'sqlite_%' ORDER BY name"));
        while (st.step())
            m_tableNames << st.text(0);
        m_tableNamesValid = true;
    }
    return m_tableNames;
}

QString Database::tableNameFor(const QString& fileName) const
{
    if (hasPath(fileName))
        return {};
    const QString bare = fileName.trimmed().section(QLatin1Char('.'), 0, 0);
    for (const QString& name : tableNames())
        if (name.compare(bare, Qt::CaseInsensitive) == 0)
            return name;
    // The copies of files outside the data directory, under the names they were given here.
    for (const ForeignCopy& copy : m_foreign)
        if (copy.table == bare)
            return copy.table;
    return {};
}

bool Database::isForeignFile(const QString& fileName)
{
    return hasPath(fileName);
}

QString Database::foreignTable(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        throw EngineError(
            QStringLiteral("Tabulka %1 neexistuje.").arg(QDir::toNativeSeparators(path)),
            EngineError::Kind::Missing);
    const QString key = file.absoluteFilePath();
    // By content: a file written again within the same moment keeps its time and size.
    const QByteArray digest = fileDigest(key);
    const auto known = m_foreign.constFind(key);
    if (known != m_foreign.constEnd() && known->digest == digest)
        return known->table;
    const QString table = known != m_foreign.constEnd()
                              ? known->table
                              : QStringLiteral("cizi_%1").arg(m_foreign.size() + 1);
    loadForeign(key, table);
    m_foreign.insert(key, {table, digest});
    return table;
}

void Database::loadForeign(const QString& path, const QString& table)
{
    try {
        const ParadoxTable source(path);
        const QList<FieldDef> fields =
            ParadoxLayout::fieldsOf(source, DataModel::table(QFileInfo(path).completeBaseName()));
        QStringList columns;
        for (const FieldDef& f : fields)
            columns << quoteIdentifier(f.name) + QLatin1Char(' ') + f.sqlType();
        const QString stored = QStringLiteral("temp.") + quoteIdentifier(table);
        Transaction tx(*this);
        execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(stored));
        execute(
            QStringLiteral("CREATE TABLE %1 (%2)").arg(stored, columns.join(QStringLiteral(", "))));
        SqlStatement insert = prepare(
            QStringLiteral("INSERT INTO %1 VALUES (%2)")
                .arg(stored,
                     QStringList(fields.size(), QStringLiteral("?")).join(QLatin1Char(','))));
        source.forEachRecord([&](const QVariantList& values) {
            insert.reset();
            for (int i = 0; i < fields.size(); ++i)
                insert.bind(
                    i + 1, FieldValue::normalize(fields[i], ParadoxLayout::storedValue(values[i])));
            insert.run();
            return true;
        });
        tx.commit();
    } catch (const ParadoxError& e) {
        throw EngineError(e.message(), EngineError::Kind::Damaged);
    } catch (const EngineError& e) {
        throw EngineError(QStringLiteral("Tabulku %1 nelze přečíst: %2")
                              .arg(QDir::toNativeSeparators(path), e.message()),
                          e.kind());
    }
    schemaChanged();
    touch(table);
}

QString Database::requireTable(const QString& fileName) const
{
    if (hasPath(fileName))
        throw EngineError(
            QStringLiteral("Tabulku ze souboru %1 mimo adresář dat zatím nelze otevřít.")
                .arg(fileName),
            EngineError::Kind::Missing);
    const QString name = tableNameFor(fileName);
    if (name.isEmpty())
        throw EngineError(QStringLiteral("Tabulka %1 v datech neexistuje.").arg(fileName),
                          EngineError::Kind::Missing);
    return name;
}

bool Database::fileExists(const QString& fileName) const
{
    return !tableNameFor(fileName).isEmpty();
}

bool Database::copyFile(const QString& from, const QString& to)
{
    const QString source = tableNameFor(from);
    const QString target = to.trimmed().section(QLatin1Char('.'), 0, 0);
    if (source.isEmpty() || target.isEmpty() || hasPath(to) || fileExists(to))
        return false;
    TableDef def = tableDef(source);
    def.name = target;
    Transaction tx(*this);
    createTable(def);
    execute(QStringLiteral("INSERT INTO %1 SELECT * FROM %2")
                .arg(quoteIdentifier(target), quoteIdentifier(source)));
    tx.commit();
    touch(target);
    return true;
}

QStringList Database::findFiles(const QString& pattern) const
{
    const QString namePart = pattern.section(QLatin1Char('.'), 0, 0);
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(namePart),
                                QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (const QString& name : tableNames())
        if (re.match(name).hasMatch())
            found << name + QStringLiteral(".DB");
    return found;
}

const TableDef& Database::tableDef(const QString& tableName) const
{
    const QString key = keyOf(tableName);
    auto it = m_defs.find(key);
    if (it == m_defs.end())
        it = m_defs.insert(key, readTableDef(requireTable(tableName)));
    return it.value();
}

TableDef Database::readTableDef(const QString& tableName) const
{
    TableDef def;
    def.name = tableName;
    SqlStatement info(m_db,
                      QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(tableName)));
    while (info.step()) {
        def.fields << FieldDef::fromSqlType(info.text(1), info.text(2));
        if (info.integer(3) != 0)
            def.requiredFields << info.text(1);
    }

    SqlStatement indexes(m_db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE "
                                              "type='index' AND tbl_name=? AND sql IS NOT NULL"));
    indexes.bind(1, tableName);
    while (indexes.step()) {
        const QString name = indexes.text(0);
        SqlStatement cols(m_db, QStringLiteral("PRAGMA index_info(%1)").arg(quoteIdentifier(name)));
        if (!cols.step())
            continue;
        const QString column = cols.text(2);
        if (name.compare(primaryIndexName(tableName), Qt::CaseInsensitive) == 0)
            def.primaryKey = column;
        else if (name.compare(secondaryIndexName(tableName), Qt::CaseInsensitive) == 0)
            def.secondaryIndex = column;
        else if (name.contains(searchIndexMark))
            def.searchIndexes << column;
    }
    return def;
}

int Database::rowCount(const QString& tableName) const
{
    SqlStatement st(
        m_db,
        QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(requireTable(tableName))));
    st.step();
    return int(st.integer(0));
}

void Database::createTable(const TableDef& def)
{
    if (fileExists(def.name))
        throw EngineError(QStringLiteral("Tabulka %1 už existuje.").arg(def.name));
    if (def.fields.isEmpty())
        throw EngineError(QStringLiteral("Tabulka %1 nemá žádná pole.").arg(def.name));
    QStringList columns;
    for (const FieldDef& f : def.fields)
        columns << quoteIdentifier(f.name) + QLatin1Char(' ') + f.sqlType() +
                       (def.isRequired(f.name) ? QStringLiteral(" NOT NULL") : QString());
    Transaction tx(*this);
    execute(QStringLiteral("CREATE TABLE %1 (%2)")
                .arg(quoteIdentifier(def.name), columns.join(QStringLiteral(", "))));
    createIndexes(def);
    tx.commit();
    schemaChanged();
    touch(def.name);
}

void Database::createIndexes(const TableDef& def)
{
    if (!def.primaryKey.isEmpty())
        execute(QStringLiteral("CREATE UNIQUE INDEX %1 ON %2 (%3)")
                    .arg(quoteIdentifier(primaryIndexName(def.name)), quoteIdentifier(def.name),
                         quoteIdentifier(def.primaryKey)));
    if (!def.secondaryIndex.isEmpty())
        execute(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                    .arg(quoteIdentifier(secondaryIndexName(def.name)), quoteIdentifier(def.name),
                         quoteIdentifier(def.secondaryIndex)));
    for (const QString& field : def.searchIndexes)
        createSearchIndex(def.name, field);
}

void Database::insertFields(const QString& tableName, const QList<QPair<int, FieldDef>>& inserts)
{
    const QString name = requireTable(tableName);
    TableDef def = tableDef(name);
    QStringList kept;
    for (const FieldDef& f : def.fields)
        kept << f.name;
    for (const auto& [position, field] : inserts) {
        if (def.fieldIndex(field.name) >= 0)
            throw EngineError(QStringLiteral("Pole %1 už v tabulce %2 je.").arg(field.name, name));
        def.fields.insert(qBound(0, position, int(def.fields.size())), field);
    }
    rebuild(def, kept);
}

bool Database::requireFields(const QString& tableName, const QStringList& fields)
{
    const QString name = requireTable(tableName);
    TableDef def = tableDef(name);
    bool changed = false;
    for (const QString& field : fields) {
        if (def.fieldIndex(field) < 0 || def.isRequired(field))
            continue;
        if (blankCount(name, field) > 0)
            return false;
        def.requiredFields << field;
        changed = true;
    }
    if (changed) {
        QStringList kept;
        for (const FieldDef& f : def.fields)
            kept << f.name;
        rebuild(def, kept);
    }
    return true;
}

int Database::blankCount(const QString& tableName, const QString& field) const
{
    const QString column = quoteIdentifier(field);
    SqlStatement st(m_db,
                    QStringLiteral("SELECT count(*) FROM %1 WHERE %2 IS NULL OR trim(%2) = ''")
                        .arg(quoteIdentifier(requireTable(tableName)), column));
    st.step();
    return int(st.integer(0));
}

void Database::rebuild(const TableDef& def, const QStringList& keptFields)
{
    QStringList kept;
    for (const QString& f : keptFields)
        kept << quoteIdentifier(f);
    const QString temporary = def.name + QStringLiteral("__restructure");
    // SQLite cannot insert a column in the middle or add a constraint in place: the rows
    // move into a table of the new layout, which then takes the old one's name, all in one
    // transaction so an interruption leaves the old table whole.
    Transaction tx(*this);
    TableDef staged = def;
    staged.name = temporary;
    staged.primaryKey.clear();
    staged.secondaryIndex.clear();
    staged.searchIndexes.clear();
    createTable(staged);
    execute(QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT rowid, %2 FROM %3")
                .arg(quoteIdentifier(temporary), kept.join(QStringLiteral(", ")),
                     quoteIdentifier(def.name)));
    execute(QStringLiteral("DROP TABLE %1").arg(quoteIdentifier(def.name)));
    execute(QStringLiteral("ALTER TABLE %1 RENAME TO %2")
                .arg(quoteIdentifier(temporary), quoteIdentifier(def.name)));
    createIndexes(def);
    tx.commit();
    schemaChanged();
    touch(def.name);
}

int Database::layoutVersion() const
{
    SqlStatement st(m_db, QStringLiteral("PRAGMA user_version"));
    st.step();
    return int(st.integer(0));
}

void Database::setLayoutVersion(int version)
{
    execute(QStringLiteral("PRAGMA user_version = %1").arg(version));
}

void Database::ensureSearchIndex(const QString& tableName, const QString& field)
{
    const QString name = requireTable(tableName);
    createSearchIndex(name, field);
    m_defs.remove(keyOf(name));
}

void Database::createSearchIndex(const QString& storedName, const QString& field)
{
    execute(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                .arg(quoteIdentifier(searchIndexName(storedName, field)),
                     quoteIdentifier(storedName), quoteIdentifier(field)));
}

void Database::dropTable(const QString& tableName)
{
    const QString name = requireTable(tableName);
    execute(QStringLiteral("DROP TABLE %1").arg(quoteIdentifier(name)));
    schemaChanged();
    touch(name);
}

void Database::flush()
{
    const int rc =
        sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    if (rc != SQLITE_OK && rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
        SqlStatement::throwError(m_db, rc, QStringLiteral("checkpoint"));
}

namespace {

// Another database file, opened beside the program's own connection for a copy.
class OtherFile {
public:
    OtherFile(const QString& path, int flags)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(m_db);
            m_db = nullptr;
        }
    }
    ~OtherFile() { sqlite3_close(m_db); }
    OtherFile(const OtherFile&) = delete;
    OtherFile& operator=(const OtherFile&) = delete;
    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

// Copies every page of one database into another; false with SQLite's words on failure.
bool copyPages(sqlite3* from, sqlite3* to, QString* detail)
{
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    int rc = backup ? sqlite3_backup_step(backup, -1) : sqlite3_errcode(to);
    if (backup)
        sqlite3_backup_finish(backup);
    if (rc == SQLITE_DONE)
        rc = sqlite3_errcode(to);
    *detail = QString::fromUtf8(sqlite3_errmsg(to));
    return rc == SQLITE_OK || rc == SQLITE_DONE;
}

QStringList problemsOf(sqlite3* db, bool quick)
{
    QStringList problems;
    try {
        SqlStatement check(db, quick ? QStringLiteral("PRAGMA quick_check")
                                     : QStringLiteral("PRAGMA integrity_check"));
        while (check.step())
            if (check.text(0) != QLatin1String("ok"))
                problems << check.text(0);
    } catch (const EngineError& e) {
        problems << e.message();
    }
    return problems;
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QStringList Database::integrityProblems(bool quick) const
{
    return problemsOf(m_db, quick);
}

void Database::backupTo(const QString& filePath)
{
    // Written under a name no backup has and checked before it takes its own: a program
    // killed meanwhile, or damaged data, never leave a file that looks like a good backup.
    const QString partial = filePath + QStringLiteral(".part");
    QFile::remove(partial);
    QString detail;
    bool copied = false;
    QStringList problems;
    {
        OtherFile target(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        copied = target.handle() && copyPages(m_db, target.handle(), &detail);
        if (copied)
            problems = problemsOf(target.handle(), false);
    }
    if (!copied || !problems.isEmpty())
        QFile::remove(partial);
    if (!copied)
        throw EngineError(
            QStringLiteral("Zálohu do souboru %1 se nepodařilo zapsat.").arg(shown(filePath)));
    if (!problems.isEmpty()) {
        ErrorLog::write(QStringLiteral("poškozená data, záloha neuložena"),
                        problems.join(QStringLiteral("; ")));
        throw EngineError(QStringLiteral("Data jsou poškozená, proto se záloha neuložila: "
                                         "poškozená záloha by časem nahradila dobré."),
                          EngineError::Kind::Damaged);
    }
    if (!QFile::rename(partial, filePath)) {
        QFile::remove(partial);
        throw EngineError(
            QStringLiteral("Zálohu nelze uložit pod jménem %1.").arg(shown(filePath)));
    }
}

void Database::copyTo(const QString& filePath)
{
    QString detail;
    OtherFile target(filePath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!target.handle() || !copyPages(m_db, target.handle(), &detail))
        throw EngineError(
            QStringLiteral("Kopii dat do souboru %1 se nepodařilo zapsat.").arg(shown(filePath)));
}

void Database::restoreFrom(const QString& filePath)
{
    OtherFile source(filePath, SQLITE_OPEN_READONLY);
    const bool sound = source.handle() && problemsOf(source.handle(), false).isEmpty();
    bool ours = false;
    if (sound) {
        SqlStatement tables(source.handle(),
                            QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' "
                                           "AND name IN ('Clenove', 'Povol', 'Setup')"));
        ours = tables.step() && tables.integer(0) == 3;
    }
    if (!sound || !ours)
        throw EngineError(QStringLiteral("Soubor %1 není dobrá záloha dat programu; data zůstala, "
                                         "jak byla.")
                              .arg(shown(filePath)),
                          EngineError::Kind::Damaged);
    QString detail;
    m_cache.clear();
    if (!copyPages(source.handle(), m_db, &detail))
        throw EngineError(
            QStringLiteral("Data ze zálohy %1 se nepodařilo obnovit; data zůstala, jak "
                           "byla.")
                .arg(shown(filePath)));
    schemaChanged();
    touchAll();
}

void Database::execute(const QString& sql)
{
    prepare(sql).run();
}

QString Database::insertSql(const QString& tableName) const
{
    const QStringList names = tableDef(tableName).fieldNames();
    QStringList quoted;
    for (const QString& name : names)
        quoted << quoteIdentifier(name);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(quoteIdentifier(requireTable(tableName)), quoted.join(QLatin1Char(',')),
             QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(',')));
}

QString Database::updateSql(const QString& tableName, const QStringList& fieldNames) const
{
    QStringList assignments;
    for (const QString& name : fieldNames)
        assignments << quoteIdentifier(name) + QStringLiteral(" = ?");
    return QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
        .arg(quoteIdentifier(requireTable(tableName)), assignments.join(QStringLiteral(", ")));
}

qint64 Database::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Database::run(const QString& sql, const QList<QVariant>& binds)
{
    SqlStatement& st = cached(sql);
    for (int i = 0; i < binds.size(); ++i)
        st.bind(i + 1, binds[i]);
    st.run();
    return sqlite3_changes(m_db);
}

SqlStatement Database::prepare(const QString& sql) const
{
    return SqlStatement(m_db, sql);
}

SqlStatement& Database::cached(const QString& sql)
{
    SqlStatement& st = *sharedStatement(sql);
    st.reset();
    return st;
}

std::shared_ptr<SqlStatement> Database::sharedStatement(const QString& sql)
{
    auto it = m_cache.find(sql);
    if (it == m_cache.end())
        it = m_cache.insert(sql, std::make_shared<SqlStatement>(m_db, sql));
    return it.value();
}

quint64 Database::version(const QString& tableName) const
{
    return m_versions.value(tableName) + m_globalVersion;
}

quint64 Database::touch(const QString& tableName)
{
    ++m_versions[tableName];
    return version(tableName);
}

void Database::touchAll()
{
    ++m_globalVersion;
}

qint64 Database::rowsChanged() const
{
    return sqlite3_total_changes64(m_db);
}

void Database::schemaChanged()
{
    m_defs.clear();
    m_tableNamesValid = false;
    m_cache.clear();
}

QString Database::quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

namespace {
void refuseLostTransaction(bool lost)
{
    if (lost)
        throw EngineError(QStringLiteral("Změny se nepodařilo uložit: databáze rozpracovanou "
                                         "operaci zrušila. Nic z ní nebylo uloženo."));
}
} // namespace

Database::Transaction::Transaction(Database& db)
    : m_db(db)
    , m_level(db.m_transactionDepth)
{
    refuseLostTransaction(m_db.m_transactionLost);
    // Nested groups are savepoints, so a failed inner step undoes only its own work.
    // Cached: a bulk of posts opens a savepoint per row.
    m_db.cached(m_level == 0 ? QStringLiteral("BEGIN IMMEDIATE")
                             : QStringLiteral("SAVEPOINT zeb_%1").arg(m_level))
        .run();
    ++m_db.m_transactionDepth;
}

Database::Transaction::~Transaction()
{
    if (m_done)
        return;
    --m_db.m_transactionDepth;
    if (m_level == 0) {
        m_db.m_rollingBack = true;
        sqlite3_exec(m_db.m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_db.m_rollingBack = false;
        m_db.m_transactionLost = false;
    } else if (!m_db.m_transactionLost) {
        const QByteArray name = "zeb_" + QByteArray::number(m_level);
        sqlite3_exec(m_db.m_db, ("ROLLBACK TO " + name).constData(), nullptr, nullptr, nullptr);
        sqlite3_exec(m_db.m_db, ("RELEASE " + name).constData(), nullptr, nullptr, nullptr);
    }
    m_db.schemaChanged();
    m_db.touchAll();
}

void Database::Transaction::commit()
{
    if (m_done)
        return;
    refuseLostTransaction(m_db.m_transactionLost);
    m_db.cached(m_level == 0 ? QStringLiteral("COMMIT")
                             : QStringLiteral("RELEASE zeb_%1").arg(m_level))
        .run();
    m_done = true;
    --m_db.m_transactionDepth;
}
