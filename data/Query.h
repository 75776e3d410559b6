#pragma once

#include "DataSet.h"
#include "SqlStatement.h"
#include "StoredRows.h"

#include <QHash>
#include <QStringList>

// A read-only cursor over the old engine's local SQL, given as lines that the program
// may rewrite one by one. Named parameters take a value set on the query or, failing
// that, the same-named field of the master cursor. Opening a statement that returns no
// rows (delete from …) runs it and leaves the query closed.
class Query : public DataSet {
    Q_OBJECT
public:
    explicit Query(Database& db, QObject* parent = nullptr);

    const QStringList& sql() const { return m_sql; }
    void setSql(const QStringList& lines);
    // Replaces one line (from 0), adding blank lines when the text is shorter.
    void setSqlLine(int index, const QString& line);

    void setParam(const QString& name, const QVariant& value);
    // A detail query: reopened whenever the master moves to another record.
    void setMaster(DataSet* master);

    // Runs a statement that returns no rows.
    void execSql();

protected:
    bool openCursor() override;
    void closeCursor() override;
    void rebuildView() override;
    int viewSize() const override { return int(m_view.size()); }
    QList<QVariant> readRecord(int position) override { return m_rows.row(m_view.at(position)); }
    void readRecordInto(int position, QList<QVariant>& record) override
    {
        m_rows.readRow(m_view.at(position), record);
    }
    Bookmark keyAt(int position) const override { return m_view.at(position); }
    int positionOf(Bookmark mark) const override { return int(m_view.indexOf(int(mark))); }

private:
    SqlStatement prepareStatement();
    QVariant parameterValue(const QString& name) const;

    QStringList m_sql;
    QHash<QString, QVariant> m_params; // by lower-case name
    void followMaster();

    DataSet* m_master = nullptr;
    QMetaObject::Connection m_masterConnection;
    bool m_following = false;
    StoredRows m_rows;
    QList<int> m_view;
};
