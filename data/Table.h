#pragma once

#include "DataSet.h"
#include "EngineError.h"
#include "SqlStatement.h"
#include "TableDef.h"

#include <QHash>

#include <functional>
#include <memory>
#include <vector>

// A cursor on one stored table, in the manner of the old engine: an index order, a
// filter, find-key and locate, and record editing with its events. The view is a list
// of row ids kept in order; a post or delete updates it in place, and a change made by
// another cursor or statement is picked up before the next move.
class Table : public DataSet {
    Q_OBJECT
public:
    explicit Table(Database& db, QObject* parent = nullptr);
    Table(Database& db, const QString& fileName, QObject* parent = nullptr);

    // The bare file name ("Clenove.DB") or table name; the table must be closed.
    void setTableName(const QString& fileName);
    const QString& tableName() const { return m_fileName; }
    const QString& storageName() const { return m_storage; }
    const TableDef& definition() const { return m_def; }

    // The order: "PRIJMENI" (Czech, ties by the primary key), "CLEN_CISLO", or empty for
    // the primary key (physical order for a table without one). The current row stays.
    void setIndexFieldNames(const QString& names);
    const QString& indexFieldNames() const { return m_indexNames; }
    // Moves to the first row whose index fields equal the values; false when none.
    bool findKey(const QList<QVariant>& values);

    void insert();
    void append();
    void edit();
    // Writes the record and runs the after-post event in one transaction: when the event's
    // work fails, or the write, nothing of either stays and the record is in edit again
    // with what was typed.
    void post();
    void cancel();
    // Deletes the row the cursor stands on when called, whatever the before-delete event
    // does meanwhile; the delete and the after-delete event are one transaction.
    void deleteRecord();
    bool isModified() const { return m_modified; }
    // The field as it was when the current edit began (also in the after-post event of that
    // edit); null for a record being inserted.
    QVariant originalValue(const QString& fieldName) const;
    // The field as the last post wrote it. In the after-post event the cursor may already
    // stand on another row: the posted one can have left a filtered view.
    QVariant postedValue(const QString& fieldName) const;
    // Fields this table never stores blank: those its stored layout marks and the keys the
    // data model names for it.
    const QStringList& requiredFields() const { return m_required; }

    // Appends the rows of the source (from its first row) to this table, updating the
    // row with the same primary key where there is one. Returns the number of rows moved.
    int batchMoveAppendUpdate(DataSet& source);

    // Writes everything posted into the database file; a pending edit stays pending.
    void flush();

    // Keeps an index of the stored table in the cursor's order, so that opening a large table
    // in that order needs no sort. For an open cursor; made once, kept with the table.
    void keepOrderIndexed();
    // One field of every row of the view, in the view's order, read in one go.
    QList<QVariant> fieldValues(const QString& fieldName);

    // Record events, run synchronously inside the operation. A handler that throws
    // stops the operation.
    std::function<void(Table&)> beforeInsert, afterInsert, beforeEdit, afterEdit, beforePost,
        afterPost, beforeDelete, afterDelete, beforeCancel, afterCancel;
    // Runs when a post fails; it may replace the error's message. The error is thrown
    // afterwards and the record stays in edit.
    std::function<void(Table&, EngineError&)> onPostError;

protected:
    bool openCursor() override;
    void closeCursor() override;
    void rebuildView() override;
    int viewSize() const override { return int(m_rowids.size()); }
    QList<QVariant> readRecord(int position) override;
    Bookmark keyAt(int position) const override;
    int positionOf(Bookmark mark) const override;
    void ensureFresh() override;
    void checkBrowseMode() override;
    Bookmark findFirst(int field, const QVariant& value, bool caseInsensitive) override;

private:
    // What post and delete restore when their transaction is rolled back.
    struct EditSnapshot {
        State state = State::Browse;
        QList<QVariant> buffer;
        bool modified = false;
        qint64 editRowid = -1;
        int position = -1;
    };
    EditSnapshot snapshot();
    void restore(const EditSnapshot& before, qint64 keepRowid);
    void checkRequired() const;
    void writeAndPlace();
    void removeFromView(qint64 rowid);
    QList<QVariant> readRow(qint64 rowid);
    QList<QVariant> readRowOf(SqlStatement& st) const;
    const QList<QVariant>* readAheadRow(int position) const;
    void fillReadAhead(int first);

    void startInsert();
    void resolveOrder();
    QString orderClause() const;
    QString filterSql(QList<QVariant>* binds) const;
    void loadView();
    void reloadKeepingRow(qint64 rowid);
    qint64 writeBuffer();
    QList<int> changedFields() const;
    const QString& updateSqlFor(const QList<int>& fields);
    void placeRow(qint64 rowid);
    bool staysInPlace(int position, qint64 rowid);
    // Where the row goes in the ordered view, searched from the hint outwards.
    int insertionPoint(qint64 rowid, int hint);
    QList<QVariant> orderKey(qint64 rowid);
    int compareKeys(const QList<QVariant>& a, qint64 rowA, const QList<QVariant>& b,
                    qint64 rowB) const;
    bool rowPassesFilter(qint64 rowid);
    Bookmark firstInView(const QString& condition, const QList<QVariant>& binds);
    void bindAll(SqlStatement& st, const QList<QVariant>& values, int firstIndex = 1);
    void markSeen(bool wasFresh, qint64 rowid);

    // A table file outside the data directory is read, never written.
    void refuseForeignChange() const;

    QString m_fileName;
    QString m_storage;
    bool m_foreign = false;
    TableDef m_def;
    QString m_indexNames;
    QList<int> m_keyFields;   // the fields named by the index (find key)
    QList<int> m_orderFields; // key fields plus the primary key as tie-breaker
    QString m_orderKeySql;
    std::vector<qint64> m_rowids;
    mutable int m_foundAt = -1; // where positionOf found its last row
    quint64 m_seenVersion = 0;
    qint64 m_editRowid = -1;
    QList<QVariant> m_original; // the record when the edit began; empty for an insert
    QList<QVariant> m_posted;   // the record the last post wrote
    QStringList m_required;
    std::shared_ptr<SqlStatement> m_readRow;
    // Rows read ahead of a walk through the view: each statement outside a transaction takes
    // and drops the file's read lock, which costs more than reading the row itself.
    struct ReadAhead {
        int first = -1;
        quint64 version = 0;
        qint64 rowsChanged = 0;
        std::vector<qint64> rowids;
        std::vector<QList<QVariant>> rows;
    };
    ReadAhead m_ahead;
    int m_lastRead = noReadYet;
    static constexpr int noReadYet = -2;
    std::shared_ptr<SqlStatement> m_readBlock;
    QString m_insertSql;
    QHash<QList<int>, QString> m_updateSql; // by the fields they set
};
