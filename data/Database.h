#pragma once

#include "SqlStatement.h"
#include "TableDef.h"

#include <QHash>
#include <QStringList>

#include <memory>

class DataLock;
struct sqlite3;

// One data directory: the SQLite database `zeb.sqlite` in it, holding every table. Speaks
// the program's file vocabulary ("Clenove.DB" is the table Clenove; "does SuMP2011.DB
// exist", "copy without overwriting", "files matching SuMP2*.DB") over those tables.
class Database {
public:
    static constexpr const char* FileName = "zeb.sqlite";

    enum class OpenMode { Existing, CreateNew };
    // What to do with a lock another computer left on the data (see DataLock).
    enum class ForeignLock { Refuse, TakeOver };

    // Opens (or creates) the database of the directory and takes its lock, so a second
    // program on the same data gets a clear message. Throws EngineError; a lock of another
    // computer is refused with the kind ForeignLock, for the user to decide.
    explicit Database(const QString& directory, OpenMode mode = OpenMode::Existing,
                      ForeignLock foreignLock = ForeignLock::Refuse);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    static bool existsIn(const QString& directory);

    sqlite3* handle() const { return m_db; }
    const QString& directory() const { return m_directory; }

    // The table a bare file name or table name stands for; empty when there is none.
    // A name with a path is a foreign table file, which this database cannot open.
    QString tableNameFor(const QString& fileName) const;
    // A name with a path stands for a table file outside the data directory, such as a member
    // table delivered on a disk.
    static bool isForeignFile(const QString& fileName);
    // Such a file read into a table of this connection only, which cursors read like any
    // other and which goes when the program ends; the file itself is never written. It is read
    // again when the file has changed since. Throws EngineError for a missing or damaged file.
    QString foreignTable(const QString& path);
    // Like tableNameFor, but throws the engine's error for a missing table.
    QString requireTable(const QString& fileName) const;
    bool fileExists(const QString& fileName) const;
    // Copies a table under a new name with its rows; never overwrites. False when not copied.
    bool copyFile(const QString& from, const QString& to);
    // Table "files" whose name matches a wildcard such as "SuMP2*.DB", as "SuMP2012.DB".
    QStringList findFiles(const QString& pattern) const;
    QStringList tableNames() const;

    // Layout of a stored table: fields in stored order and its keys.
    const TableDef& tableDef(const QString& tableName) const;
    int rowCount(const QString& tableName) const;

    void createTable(const TableDef& def);
    // Restructures in place: inserts each field at its 0-based position (in the given
    // order, so later positions count the fields inserted before), keeping every row.
    void insertFields(const QString& tableName, const QList<QPair<int, FieldDef>>& inserts);
    // Makes the fields NOT NULL in the stored layout. False, with nothing changed, when
    // some row holds a blank in one of them.
    bool requireFields(const QString& tableName, const QStringList& fields);
    // Rows whose field is blank (null or only spaces).
    int blankCount(const QString& tableName, const QString& field) const;
    void dropTable(const QString& tableName);

    // The layout version recorded in the database file (0 until one is recorded).
    int layoutVersion() const;
    void setLayoutVersion(int version);
    // An index that only speeds up filters on the field (kept through restructures).
    void ensureSearchIndex(const QString& tableName, const QString& field);

    // Writes everything committed so far into the database file itself.
    void flush();
    // Writes a consistent copy of the whole database to a new file (online backup).
    // Refuses (with the kind Damaged) when the copy fails the full check: the data are
    // damaged, and no file under the backup's name is left.
    void backupTo(const QString& filePath);
    // A plain copy of the data as they are, damaged or not (kept before a restore).
    void copyTo(const QString& filePath);
    // Replaces the whole content of the data by a backup, after checking that the backup is
    // sound and one of the program's. Throws EngineError and changes nothing otherwise.
    void restoreFrom(const QString& filePath);
    // What SQLite's check finds wrong with the file; empty when it is sound. The quick check
    // skips the comparison of indexes with their tables.
    QStringList integrityProblems(bool quick) const;

    void execute(const QString& sql);
    // The statement that inserts a whole row of the stored table, every field bound in
    // stored order; and the one that sets the named fields of a row, the row id bound last.
    QString insertSql(const QString& tableName) const;
    QString updateSql(const QString& tableName, const QStringList& fieldNames) const;
    qint64 lastInsertRowid() const;
    // Runs a statement with bound values (canonical forms, see SqlStatement::bind) and
    // returns the number of rows it changed.
    int run(const QString& sql, const QList<QVariant>& binds);
    SqlStatement prepare(const QString& sql) const;
    // A statement kept for reuse, prepared once per text.
    SqlStatement& cached(const QString& sql);
    // The same, for a cursor that keeps the statement for its whole open time.
    std::shared_ptr<SqlStatement> sharedStatement(const QString& sql);

    // Change counters, by the table's stored name: a cursor compares them to learn that
    // another cursor or a statement changed its table.
    quint64 version(const QString& tableName) const;
    quint64 touch(const QString& tableName);
    void touchAll();
    // Rows this connection has inserted, changed or deleted since it opened, whoever forgot
    // to touch their table.
    qint64 rowsChanged() const;

    // Groups many posts into one commit (nested use joins the outer group).
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        void commit();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        Database& m_db;
        int m_level;
        bool m_done = false;
    };

    static QString quoteIdentifier(const QString& name);

private:
    void checkPresence(const QString& path, OpenMode mode) const;
    void takeLock(const QString& path, ForeignLock foreignLock);
    void checkWritable(const QString& path, OpenMode mode) const;
    void openConnection(const QString& path, OpenMode mode);
    void removeCreated(const QString& path, bool directoryToo);
    void configure();
    void schemaChanged();
    void createIndexes(const TableDef& def);
    // Moves the rows of def.name into a new table of the layout def, keeping the given fields.
    void rebuild(const TableDef& def, const QStringList& keptFields);
    void createSearchIndex(const QString& storedName, const QString& field);
    TableDef readTableDef(const QString& tableName) const;

    QString m_directory;
    sqlite3* m_db = nullptr;
    std::unique_ptr<DataLock> m_lock;
    struct ForeignCopy {
        QString table;
        QByteArray digest; // of the file as it was read
    };
    void loadForeign(const QString& path, const QString& table);

    QHash<QString, ForeignCopy> m_foreign; // by the file's absolute path
    mutable QHash<QString, TableDef> m_defs;
    mutable QStringList m_tableNames;
    mutable bool m_tableNamesValid = false;
    QHash<QString, quint64> m_versions;
    quint64 m_globalVersion = 0;
    QHash<QString, std::shared_ptr<SqlStatement>> m_cache;
    int m_transactionDepth = 0;
    // SQLite rolls a whole transaction back by itself after some failures (an interrupt, a
    // full disk, an I/O error); what the operation would write afterwards must not commit on
    // its own, so the rest of the operation is refused until it ends.
    bool m_transactionLost = false;
    bool m_rollingBack = false;
};
