#pragma once

#include "Field.h"
#include "FieldDef.h"
#include "FilterExpression.h"

#include <QList>
#include <QObject>
#include <QVariant>

#include <functional>

class Database;

// What every cursor shares: open/close, navigation over its view (filtered and ordered),
// bookmarks, field access by name or position, the filter, and change notifications.
// Notifications are delivered synchronously, like the old data sources, and can be
// switched off and on; switching them on announces the current record.
class DataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Bookmark = qint64;

    explicit DataSet(Database& db, QObject* parent = nullptr);
    ~DataSet() override;

    Database& database() const { return *m_db; }

    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    void setActive(bool active) { active ? open() : close(); }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }

    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty();
    // Rows in the filtered view.
    int recordCount();
    // Position of the current row in the view, from 0; -1 when the view is empty.
    int position();
    Bookmark bookmark();
    bool gotoBookmark(Bookmark mark);

    const QList<FieldDef>& fieldDefs() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    QStringList fieldNames() const;
    int fieldIndex(const QString& name) const; // -1 when missing
    Field fieldByName(const QString& name);    // throws EngineError when missing
    Field field(int position)                  // throws EngineError when out of range
    {
        if (position < 0 || position >= m_fields.size())
            throwNoFieldAt(position);
        return Field(*this, position);
    }

    QVariant value(int index);
    // The same, read in place: valid until the cursor moves or the record changes.
    const QVariant& valueRef(int index);
    virtual void setValue(int index, const QVariant& value);

    QString filter() const { return m_filterText; }
    void setFilter(const QString& text);
    // Filters on the field being exactly the value (see FilterExpression::equalTo); filter()
    // is empty then. Used wherever the value comes from the data or from the user.
    void setExactFilter(const QString& fieldName, const QVariant& value);
    bool isFiltered() const { return m_filtered; }
    void setFiltered(bool on);

    // Moves to the first row of the view whose field equals the value; false (and no
    // move) when there is none.
    bool locate(const QString& fieldName, const QVariant& value, bool caseInsensitive = true);

    bool notificationsEnabled() const { return m_notify; }
    void setNotificationsEnabled(bool on);

    // Reading and moving by view position, for grids that show many rows at once.
    QList<QVariant> recordAt(int position);
    Bookmark bookmarkAt(int position);
    // Finishes a pending edit, then moves and announces the record once.
    void moveToPosition(int position);
    // Reads the view anew, keeping the current row, and announces it.
    void refresh();

    // Set by the controls bound to this cursor: writes what the user typed into the
    // record before it is posted or left. It may throw to stop the operation.
    std::function<void()> updateRecord;

signals:
    void recordChanged();
    void fieldChanged(int index);
    void stateChanged();
    void notificationsEnabledChanged(bool on);

protected:
    // Learns the fields; false when there is nothing to browse (a statement without rows).
    virtual bool openCursor() = 0;
    virtual void closeCursor() = 0;
    virtual void rebuildView() = 0; // after a filter or order change
    virtual int viewSize() const = 0;
    virtual QList<QVariant> readRecord(int position) = 0;
    // The same into a list the cursor keeps, so that a walk need not allocate one per row.
    virtual void readRecordInto(int position, QList<QVariant>& record)
    {
        record = readRecord(position);
    }
    virtual Bookmark keyAt(int position) const = 0;
    virtual int positionOf(Bookmark mark) const = 0; // -1 when not in the view
    // Brings the view up to date when the data changed behind the cursor's back.
    virtual void ensureFresh() {}
    // Finishes a pending edit before the cursor moves (tables post it).
    virtual void checkBrowseMode() {}
    // Bookmark of the first row in view order whose field equals the value, or -1.
    virtual Bookmark findFirst(int field, const QVariant& value, bool caseInsensitive);

    void setFieldDefs(const QList<FieldDef>& fields) { m_fields = fields; }
    void setState(State state);
    // Puts the cursor on a view position (clamped) and announces the record.
    void moveTo(int position, bool announce = true);
    void announceRecord();
    void announceField(int index);
    void forgetRecord() { m_recordLoaded = false; }
    const FilterExpression& filterExpression() const { return m_filterExpr; }
    bool filterActive() const { return m_filtered && !m_filterExpr.isEmpty(); }
    void requireActive() const;
    int currentPosition() const { return m_pos; }
    void setPositionQuietly(int position);
    // The row the cursor stood on vanished; it now stands on what followed it.
    void markCurrentRowGone() { m_rowGone = true; }

    QList<QVariant> m_buffer; // the edited record while editing
    bool m_modified = false;

private:
    [[noreturn]] static void throwNoFieldAt(int position);
    void parseFilter();
    void changeFilter(const QString& text, const QString& exactField, const QVariant& exactValue);
    const QList<QVariant>& record();

    Database* m_db;
    State m_state = State::Inactive;
    QList<FieldDef> m_fields;
    int m_pos = -1;
    bool m_bof = true;
    bool m_eof = true;
    bool m_rowGone = false;
    QList<QVariant> m_record;
    bool m_recordLoaded = false;
    QString m_filterText;
    QString m_exactField; // set while the filter is an exact one
    QVariant m_exactValue;
    FilterExpression m_filterExpr;
    bool m_filtered = false;
    bool m_notify = true;
};
