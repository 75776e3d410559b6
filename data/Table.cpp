#include "Table.h"

#include "CzechCollation.h"
#include "DataModel.h"
#include "Database.h"
#include "EngineError.h"
#include "FieldValue.h"

#include <QDir>
#include <QSet>

#include <algorithm>

namespace {
QString q(const QString& name)
{
    return Database::quoteIdentifier(name);
}

// Enough rows for a screenful of a grid or a page of a report, few enough that a walk
// that stops early reads little in vain.
constexpr int readAheadRows = 64;

QString rowidPlaceholders()
{
    return QStringLiteral("?,").repeated(readAheadRows).chopped(1);
}
} // namespace

Table::Table(Database& db, QObject* parent)
    : DataSet(db, parent)
{
}

Table::Table(Database& db, const QString& fileName, QObject* parent)
    : DataSet(db, parent)
{
    setTableName(fileName);
}

void Table::setTableName(const QString& fileName)
{
    if (isActive())
        throw EngineError(
            QStringLiteral("Tabulku %1 nelze přejmenovat, je otevřená.").arg(m_fileName),
            EngineError::Kind::State);
    m_fileName = fileName;
}

bool Table::openCursor()
{
    m_foreign = Database::isForeignFile(m_fileName);
    m_storage =
        m_foreign ? database().foreignTable(m_fileName) : database().requireTable(m_fileName);
    m_def = database().tableDef(m_storage);
    setFieldDefs(m_def.fields);
    m_required = m_def.requiredFields;
    // A table stored before its keys were marked NOT NULL is held to the model all the same.
    for (const QString& field : DataModel::table(m_storage).requiredFields)
        if (!m_required.contains(field, Qt::CaseInsensitive) && m_def.fieldIndex(field) >= 0)
            m_required << field;
    resolveOrder();
    m_readRow = database().sharedStatement(
        QStringLiteral("SELECT * FROM %1 WHERE rowid=?").arg(q(m_storage)));
    m_readBlock =
        database().sharedStatement(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                                       .arg(q(m_storage), rowidPlaceholders()));
    m_insertSql = database().insertSql(m_storage);
    m_seenVersion = database().version(m_storage);
    return true;
}

void Table::closeCursor()
{
    m_rowids.clear();
    m_editRowid = -1;
    m_readRow.reset();
    m_readBlock.reset();
    m_updateSql.clear();
    m_ahead = {};
}

void Table::resolveOrder()
{
    m_orderKeySql.clear();
    m_keyFields.clear();
    m_orderFields.clear();
    QStringList names = m_indexNames.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (names.isEmpty() && !m_def.primaryKey.isEmpty())
        names << m_def.primaryKey;
    for (const QString& n : names) {
        const int i = m_def.fieldIndex(n.trimmed());
        if (i < 0)
            throw EngineError(
                QStringLiteral("Tabulka %1 nemá pole %2 pro řazení.").arg(m_storage, n),
                EngineError::Kind::Missing);
        m_keyFields << i;
    }
    m_orderFields = m_keyFields;
    const int pk = m_def.fieldIndex(m_def.primaryKey);
    if (pk >= 0 && !m_orderFields.contains(pk))
        m_orderFields << pk;
}

QString Table::orderClause() const
{
    QStringList terms;
    for (int i : m_orderFields) {
        const FieldDef& f = m_def.fields[i];
        const bool text = f.type == FieldType::Text || f.type == FieldType::Memo;
        terms << q(f.name) +
                     (text ? QStringLiteral(" COLLATE ") + QLatin1String(CzechCollation::Name)
                           : QString());
    }
    terms << QStringLiteral("rowid");
    return terms.join(QStringLiteral(", "));
}

void Table::keepOrderIndexed()
{
    requireActive();
    QString clause = orderClause();
    clause.chop(QStringLiteral(", rowid").size());
    if (m_orderFields.isEmpty())
        return;
    QStringList names;
    for (int i : m_orderFields)
        names << m_def.fields[i].name;
    const QString index = m_storage + QStringLiteral("_order_") + names.join(QLatin1Char('_'));
    database().execute(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                           .arg(q(index), q(m_storage), clause));
}

QList<QVariant> Table::fieldValues(const QString& fieldName)
{
    requireActive();
    const FieldDef& field = m_def.fields[fieldByName(fieldName).index()];
    QList<QVariant> binds;
    const QString where = filterSql(&binds);
    SqlStatement& st =
        database().cached(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4")
                              .arg(q(field.name), q(m_storage), where, orderClause()));
    bindAll(st, binds);
    QList<QVariant> values;
    values.reserve(viewSize());
    while (st.step())
        values << st.value(0, field.type);
    return values;
}

QString Table::filterSql(QList<QVariant>* binds) const
{
    return filterActive() ? filterExpression().toSql(binds) : QStringLiteral("1");
}

void Table::loadView()
{
    QList<QVariant> binds;
    const QString where = filterSql(&binds);
    SqlStatement& st = database().cached(QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3")
                                             .arg(q(m_storage), where, orderClause()));
    bindAll(st, binds);
    m_rowids.clear();
    m_lastRead = noReadYet;
    while (st.step())
        m_rowids.push_back(st.integer(0));
    m_seenVersion = database().version(m_storage);
    forgetRecord();
}

void Table::rebuildView()
{
    loadView();
}

void Table::reloadKeepingRow(qint64 rowid)
{
    const int oldPos = currentPosition();
    loadView();
    const int p = positionOf(rowid);
    if (p >= 0) {
        setPositionQuietly(p);
        return;
    }
    // The row is gone: the cursor now stands on its successor, which the next move
    // must not skip.
    setPositionQuietly(oldPos);
    if (oldPos >= 0 && oldPos < viewSize())
        markCurrentRowGone();
}

QList<QVariant> Table::readRecord(int position)
{
    const bool onward = position == m_lastRead + 1;
    const bool backward = position == m_lastRead - 1;
    m_lastRead = position;
    if (const QList<QVariant>* row = readAheadRow(position))
        return *row;
    // Only a walk reads ahead: a jump to one row reads that row alone.
    if (!onward && !backward)
        return readRow(m_rowids.at(size_t(position)));
    fillReadAhead(onward ? position : std::max(0, position - readAheadRows + 1));
    const QList<QVariant>* row = readAheadRow(position);
    return row ? *row : QList<QVariant>();
}

QList<QVariant> Table::readRow(qint64 rowid)
{
    SqlStatement& st = *m_readRow;
    st.reset();
    st.bind(1, rowid);
    QList<QVariant> row = st.step() ? readRowOf(st) : QList<QVariant>();
    st.reset();
    return row;
}

QList<QVariant> Table::readRowOf(SqlStatement& st) const
{
    // A block statement leads with the row id.
    const int offset = st.columnCount() - int(m_def.fields.size());
    QList<QVariant> row;
    row.reserve(m_def.fields.size());
    for (int i = 0; i < m_def.fields.size(); ++i)
        row << st.value(i + offset, m_def.fields[i].type);
    return row;
}

const QList<QVariant>* Table::readAheadRow(int position) const
{
    const int i = position - m_ahead.first;
    if (m_ahead.first < 0 || i < 0 || size_t(i) >= m_ahead.rows.size() ||
        m_ahead.version != database().version(m_storage) ||
        m_ahead.rowsChanged != database().rowsChanged() ||
        m_ahead.rowids[size_t(i)] != m_rowids[size_t(position)])
        return nullptr;
    return &m_ahead.rows[size_t(i)];
}

void Table::fillReadAhead(int first)
{
    const size_t end = std::min(m_rowids.size(), size_t(first) + readAheadRows);
    m_ahead = {};
    m_ahead.rowids.assign(m_rowids.begin() + first, m_rowids.begin() + qsizetype(end));
    m_ahead.rows.resize(m_ahead.rowids.size());
    SqlStatement& st = *m_readBlock;
    st.reset();
    for (int i = 0; i < readAheadRows; ++i)
        st.bind(i + 1, size_t(i) < m_ahead.rowids.size() ? QVariant(m_ahead.rowids[size_t(i)])
                                                         : QVariant());
    // The rows come in row-id order; a row deleted meanwhile stays empty, as a single read
    // would leave it.
    std::vector<std::pair<qint64, size_t>> byRowid;
    for (size_t i = 0; i < m_ahead.rowids.size(); ++i)
        byRowid.emplace_back(m_ahead.rowids[i], i);
    std::sort(byRowid.begin(), byRowid.end());
    while (st.step()) {
        const qint64 rowid = st.integer(0);
        auto it =
            std::lower_bound(byRowid.begin(), byRowid.end(), std::make_pair(rowid, size_t(0)));
        for (; it != byRowid.end() && it->first == rowid; ++it)
            m_ahead.rows[it->second] = readRowOf(st);
    }
    st.reset();
    m_ahead.first = first;
    m_ahead.version = database().version(m_storage);
    m_ahead.rowsChanged = database().rowsChanged();
}

DataSet::Bookmark Table::keyAt(int position) const
{
    return m_rowids.at(size_t(position));
}

int Table::positionOf(Bookmark mark) const
{
    // A locate finds the row and then moves to it: the second search is answered at once.
    if (m_foundAt >= 0 && size_t(m_foundAt) < m_rowids.size() &&
        m_rowids[size_t(m_foundAt)] == mark)
        return m_foundAt;
    const auto it = std::find(m_rowids.begin(), m_rowids.end(), mark);
    m_foundAt = it == m_rowids.end() ? -1 : int(it - m_rowids.begin());
    return m_foundAt;
}

void Table::ensureFresh()
{
    if (state() != State::Browse || database().version(m_storage) == m_seenVersion)
        return;
    reloadKeepingRow(currentPosition() >= 0 ? m_rowids[size_t(currentPosition())] : -1);
}

void Table::checkBrowseMode()
{
    if (!isEditing())
        return;
    if (updateRecord)
        updateRecord();
    if (m_modified)
        post();
    else
        cancel();
}

void Table::setIndexFieldNames(const QString& names)
{
    if (m_indexNames == names)
        return;
    if (!isActive()) {
        m_indexNames = names;
        return;
    }
    checkBrowseMode();
    const QString old = m_indexNames;
    m_indexNames = names;
    try {
        resolveOrder();
    } catch (...) {
        m_indexNames = old;
        resolveOrder();
        throw;
    }
    reloadKeepingRow(currentPosition() >= 0 ? m_rowids[size_t(currentPosition())] : -1);
    announceRecord();
}

void Table::bindAll(SqlStatement& st, const QList<QVariant>& values, int firstIndex)
{
    for (int i = 0; i < values.size(); ++i)
        st.bind(firstIndex + i, values[i]);
}

DataSet::Bookmark Table::firstInView(const QString& condition, const QList<QVariant>& binds)
{
    QList<QVariant> all = binds;
    const QString where = filterSql(&all);
    SqlStatement& st = database().cached(QStringLiteral("SELECT rowid FROM %1 WHERE (%2) AND %3")
                                             .arg(q(m_storage), condition, where));
    bindAll(st, all);
    QList<qint64> found;
    while (st.step())
        found << st.integer(0);
    // A key is mostly unique: its one row needs no set of candidates.
    if (found.size() == 1)
        return positionOf(found.first()) >= 0 ? found.first() : -1;
    const QSet<qint64> candidates(found.begin(), found.end());
    for (qint64 rowid : m_rowids)
        if (candidates.contains(rowid))
            return rowid;
    return -1;
}

bool Table::findKey(const QList<QVariant>& values)
{
    requireActive();
    checkBrowseMode();
    ensureFresh();
    if (m_keyFields.isEmpty())
        throw EngineError(QStringLiteral("Tabulka %1 nemá index pro hledání klíče.").arg(m_storage),
                          EngineError::Kind::Missing);
    QStringList conditions;
    QList<QVariant> binds;
    const bool secondary = !m_indexNames.isEmpty() &&
                           m_def.fieldIndex(m_indexNames) != m_def.fieldIndex(m_def.primaryKey);
    for (int k = 0; k < m_keyFields.size() && k < values.size(); ++k) {
        FieldDef f = m_def.fields[m_keyFields[k]];
        f.size = 0;
        conditions << q(f.name) + QStringLiteral(" = ?") +
                          (secondary
                               ? QStringLiteral(" COLLATE ") + QLatin1String(CzechCollation::Name)
                               : QString());
        binds << FieldValue::normalize(f, values[k]);
    }
    const Bookmark mark = firstInView(conditions.join(QStringLiteral(" AND ")), binds);
    if (mark < 0)
        return false;
    moveTo(positionOf(mark));
    return true;
}

DataSet::Bookmark Table::findFirst(int field, const QVariant& value, bool caseInsensitive)
{
    const FieldDef& f = m_def.fields[field];
    if (value.isNull())
        return firstInView(QStringLiteral("%1 IS NULL").arg(q(f.name)), {});
    const bool text = f.type == FieldType::Text || f.type == FieldType::Memo;
    if (!text || !caseInsensitive)
        return firstInView(q(f.name) + QStringLiteral(" = ?"), {value});
    // The exact spellings first, through the index; only a value whose letters are mixed
    // in case needs the slower comparison that ignores case on every row.
    const QString v = value.toString();
    const QString upper = v.toUpper();
    const QString lower = v.toLower();
    // A value without letters, such as most member numbers, has one spelling only.
    const bool caseless = upper == lower;
    const Bookmark exact =
        caseless ? firstInView(q(f.name) + QStringLiteral(" = ?"), {v})
                 : firstInView(q(f.name) + QStringLiteral(" IN (?, ?, ?)"), {v, upper, lower});
    if (exact >= 0 || caseless)
        return exact;
    return firstInView(q(f.name) + QStringLiteral(" = ? COLLATE ") +
                           QLatin1String(CzechCollation::FoldedName),
                       {v});
}

void Table::refuseForeignChange() const
{
    if (m_foreign)
        throw EngineError(QStringLiteral("Tabulku ze souboru %1 lze jen číst.")
                              .arg(QDir::toNativeSeparators(m_fileName)),
                          EngineError::Kind::State);
}

void Table::startInsert()
{
    requireActive();
    refuseForeignChange();
    checkBrowseMode();
    ensureFresh();
    if (beforeInsert)
        beforeInsert(*this);
    m_buffer = QList<QVariant>(fieldCount());
    m_original.clear();
    m_modified = false;
    m_editRowid = -1;
    setState(State::Insert);
    announceRecord();
    if (afterInsert)
        afterInsert(*this);
}

void Table::insert()
{
    startInsert();
}

void Table::append()
{
    startInsert();
}

void Table::edit()
{
    requireActive();
    refuseForeignChange();
    if (isEditing())
        return;
    ensureFresh();
    if (m_rowids.empty()) {
        insert();
        return;
    }
    if (beforeEdit)
        beforeEdit(*this);
    const int pos = currentPosition();
    const QList<QVariant> fresh = readRow(m_rowids[size_t(pos)]);
    if (fresh.isEmpty())
        throw EngineError(QStringLiteral("Záznam mezitím někdo smazal."), EngineError::Kind::State);
    m_buffer = fresh;
    m_original = fresh;
    m_modified = false;
    m_editRowid = m_rowids[size_t(pos)];
    setState(State::Edit);
    announceRecord();
    if (afterEdit)
        afterEdit(*this);
}

qint64 Table::writeBuffer()
{
    if (state() == State::Insert) {
        SqlStatement& st = database().cached(m_insertSql);
        bindAll(st, m_buffer);
        st.run();
        return database().lastInsertRowid();
    }
    // Only the fields the edit changed are written: an index over untouched fields then stays
    // as it is, and the commit has fewer pages to write. A post that changed nothing still
    // writes the whole record.
    QList<int> fields = changedFields();
    if (fields.isEmpty())
        for (int i = 0; i < m_buffer.size(); ++i)
            fields << i;
    SqlStatement& st = database().cached(updateSqlFor(fields));
    for (int k = 0; k < fields.size(); ++k)
        st.bind(k + 1, m_buffer[fields[k]]);
    st.bind(int(fields.size()) + 1, m_editRowid);
    st.run();
    return m_editRowid;
}

const QString& Table::updateSqlFor(const QList<int>& fields)
{
    auto sql = m_updateSql.find(fields);
    if (sql == m_updateSql.end()) {
        QStringList names;
        for (int i : fields)
            names << m_def.fields[i].name;
        sql = m_updateSql.insert(fields, database().updateSql(m_storage, names));
    }
    return sql.value();
}

QList<int> Table::changedFields() const
{
    QList<int> changed;
    for (int i = 0; i < m_buffer.size(); ++i)
        if (i >= m_original.size() || m_buffer[i] != m_original[i] ||
            m_buffer[i].typeId() != m_original[i].typeId())
            changed << i;
    return changed;
}

void Table::post()
{
    requireActive();
    if (!isEditing())
        return;
    if (updateRecord)
        updateRecord();
    const EditSnapshot before = snapshot();
    bool written = false;
    try {
        if (beforePost)
            beforePost(*this);
        checkRequired();
        Database::Transaction tx(database());
        writeAndPlace();
        written = true;
        if (afterPost)
            afterPost(*this);
        tx.commit();
    } catch (EngineError& error) {
        // A refused write left the cursor as it was; after a written one it must forget it.
        if (written)
            restore(before, before.editRowid);
        if (onPostError)
            onPostError(*this, error);
        throw;
    }
}

void Table::writeAndPlace()
{
    const bool wasFresh = database().version(m_storage) == m_seenVersion;
    const qint64 rowid = writeBuffer();
    m_posted = m_buffer;
    m_buffer.clear();
    m_modified = false;
    m_editRowid = -1;
    setState(State::Browse);
    markSeen(wasFresh, rowid);
    announceRecord();
}

void Table::checkRequired() const
{
    for (const QString& field : m_required) {
        const QVariant v = m_buffer.value(m_def.fieldIndex(field));
        if (v.isNull() || v.toString().trimmed().isEmpty())
            throw EngineError(QStringLiteral("Záznam nelze uložit: pole %1 musí být vyplněno.")
                                  .arg(m_def.fields[m_def.fieldIndex(field)].name),
                              EngineError::Kind::Required);
    }
}

Table::EditSnapshot Table::snapshot()
{
    return {state(), m_buffer, m_modified, m_editRowid, currentPosition()};
}

void Table::restore(const EditSnapshot& before, qint64 keepRowid)
{
    // The transaction is rolled back by now: the view is read anew from what is stored.
    loadView();
    const int p = keepRowid >= 0 ? positionOf(keepRowid) : -1;
    setPositionQuietly(p >= 0 ? p : before.position);
    m_buffer = before.buffer;
    m_modified = before.modified;
    m_editRowid = before.editRowid;
    setState(before.state);
    announceRecord();
}

QVariant Table::originalValue(const QString& fieldName) const
{
    const int i = m_def.fieldIndex(fieldName);
    return i >= 0 ? m_original.value(i) : QVariant();
}

QVariant Table::postedValue(const QString& fieldName) const
{
    const int i = m_def.fieldIndex(fieldName);
    return i >= 0 ? m_posted.value(i) : QVariant();
}

void Table::markSeen(bool wasFresh, qint64 rowid)
{
    const quint64 version = database().touch(m_storage);
    if (wasFresh)
        placeRow(rowid);
    else
        reloadKeepingRow(rowid);
    m_seenVersion = version;
}

void Table::cancel()
{
    if (!isEditing())
        return;
    if (beforeCancel)
        beforeCancel(*this);
    m_buffer.clear();
    m_original.clear();
    m_modified = false;
    m_editRowid = -1;
    setState(State::Browse);
    forgetRecord();
    announceRecord();
    if (afterCancel)
        afterCancel(*this);
}

void Table::deleteRecord()
{
    requireActive();
    refuseForeignChange();
    if (state() == State::Insert) {
        cancel();
        return;
    }
    ensureFresh();
    if (m_rowids.empty())
        throw EngineError(QStringLiteral("V prázdné tabulce %1 není co smazat.").arg(m_storage),
                          EngineError::Kind::State);
    // Taken before the event: it may show a preview during which the cursor moves.
    const qint64 rowid = m_rowids[size_t(currentPosition())];
    if (beforeDelete)
        beforeDelete(*this);
    const EditSnapshot before = snapshot();
    try {
        Database::Transaction tx(database());
        SqlStatement& st =
            database().cached(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(q(m_storage)));
        st.bind(1, rowid);
        st.run();
        removeFromView(rowid);
        announceRecord();
        if (afterDelete)
            afterDelete(*this);
        tx.commit();
    } catch (...) {
        restore(before, rowid);
        throw;
    }
}

void Table::removeFromView(qint64 rowid)
{
    const bool wasFresh = database().version(m_storage) == m_seenVersion;
    const qint64 current = currentPosition() >= 0 && currentPosition() < viewSize()
                               ? m_rowids[size_t(currentPosition())]
                               : -1;
    m_buffer.clear();
    m_modified = false;
    m_editRowid = -1;
    if (state() != State::Browse)
        setState(State::Browse);
    const quint64 version = database().touch(m_storage);
    const int gone = positionOf(rowid);
    if (!wasFresh || gone < 0) {
        reloadKeepingRow(current == rowid ? -1 : current);
    } else {
        m_rowids.erase(m_rowids.begin() + gone);
        // On the deleted row the cursor now stands on its successor; elsewhere it keeps its row.
        const int p = current == rowid ? gone : positionOf(current);
        setPositionQuietly(p >= 0 ? p : gone);
    }
    m_seenVersion = version;
}

bool Table::rowPassesFilter(qint64 rowid)
{
    if (!filterActive())
        return true;
    QList<QVariant> binds{rowid};
    const QString where = filterSql(&binds);
    SqlStatement& st = database().cached(
        QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ? AND %2").arg(q(m_storage), where));
    bindAll(st, binds);
    const bool passes = st.step();
    st.reset();
    return passes;
}

bool Table::staysInPlace(int position, qint64 rowid)
{
    // In row order a row keeps its place; otherwise it does while its neighbours still go
    // before and after it, which spares the search for a place for most saved changes.
    if (m_orderFields.isEmpty())
        return true;
    const QList<QVariant> key = orderKey(rowid);
    if (position > 0) {
        const qint64 before = m_rowids[size_t(position - 1)];
        if (compareKeys(orderKey(before), before, key, rowid) > 0)
            return false;
    }
    if (size_t(position + 1) < m_rowids.size()) {
        const qint64 after = m_rowids[size_t(position + 1)];
        if (compareKeys(key, rowid, orderKey(after), after) > 0)
            return false;
    }
    return true;
}

void Table::placeRow(qint64 rowid)
{
    const int old = positionOf(rowid);
    if (old >= 0 && staysInPlace(old, rowid) && rowPassesFilter(rowid)) {
        setPositionQuietly(old);
        return;
    }
    if (old >= 0)
        m_rowids.erase(m_rowids.begin() + old);
    if (!rowPassesFilter(rowid)) {
        // The row left the view; the cursor stays where it was in the view.
        setPositionQuietly(old >= 0 ? old : currentPosition());
        return;
    }
    const int at = insertionPoint(rowid, old >= 0 ? old : currentPosition());
    m_rowids.insert(m_rowids.begin() + at, rowid);
    setPositionQuietly(at);
}

QList<QVariant> Table::orderKey(qint64 rowid)
{
    QList<QVariant> key;
    if (m_orderFields.isEmpty())
        return key;
    // Asked a dozen times by a saved row's search for its place: the text is made once.
    if (m_orderKeySql.isEmpty()) {
        QStringList names;
        for (int i : m_orderFields)
            names << q(m_def.fields[i].name);
        m_orderKeySql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                            .arg(names.join(QLatin1Char(',')), q(m_storage));
    }
    SqlStatement& st = database().cached(m_orderKeySql);
    st.bind(1, rowid);
    if (st.step())
        for (int k = 0; k < m_orderFields.size(); ++k)
            key << st.rawValue(k);
    st.reset();
    return key;
}

int Table::compareKeys(const QList<QVariant>& a, qint64 rowA, const QList<QVariant>& b,
                       qint64 rowB) const
{
    // The same order as SQLite's ORDER BY over these columns: blanks first, numbers
    // before texts, texts in Czech order, ties by row id.
    for (int k = 0; k < a.size() && k < b.size(); ++k) {
        const QVariant& x = a[k];
        const QVariant& y = b[k];
        auto rank = [](const QVariant& v) {
            return v.isNull() ? 0 : (v.typeId() == QMetaType::QString ? 2 : 1);
        };
        if (rank(x) != rank(y))
            return rank(x) < rank(y) ? -1 : 1;
        int c = 0;
        if (rank(x) == 2)
            c = CzechCollation::compare(x.toString(), y.toString());
        else if (rank(x) == 1)
            c = x.toDouble() < y.toDouble() ? -1 : (x.toDouble() > y.toDouble() ? 1 : 0);
        if (c != 0)
            return c;
    }
    return rowA < rowB ? -1 : (rowA > rowB ? 1 : 0);
}

int Table::insertionPoint(qint64 rowid, int hint)
{
    if (m_orderFields.isEmpty())
        return int(std::lower_bound(m_rowids.begin(), m_rowids.end(), rowid) - m_rowids.begin());
    const QList<QVariant> key = orderKey(rowid);
    const auto precedes = [&](int i) {
        const qint64 other = m_rowids[size_t(i)];
        return compareKeys(orderKey(other), other, key, rowid) < 0;
    };
    // A changed row mostly lands near where it stood: the search widens from there, and
    // only a far move costs as many reads as a search of the whole view.
    const int n = int(m_rowids.size());
    const int from = std::clamp(hint, 0, n);
    int lo = 0;
    int hi = n;
    if (from < n && precedes(from)) {
        lo = from + 1;
        for (int step = 1; lo + step - 1 < n; step *= 2) {
            const int probe = lo + step - 1;
            if (!precedes(probe)) {
                hi = probe;
                break;
            }
            lo = probe + 1;
        }
    } else {
        hi = from;
        for (int step = 1; hi - step >= 0; step *= 2) {
            const int probe = hi - step;
            if (precedes(probe)) {
                lo = probe + 1;
                break;
            }
            hi = probe;
        }
    }
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (precedes(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int Table::batchMoveAppendUpdate(DataSet& source)
{
    requireActive();
    checkBrowseMode();
    const int pk = m_def.fieldIndex(m_def.primaryKey);
    if (pk < 0)
        throw EngineError(
            QStringLiteral("Tabulka %1 nemá primární klíč pro přesun záznamů.").arg(m_storage));
    QStringList names;
    QStringList updates;
    for (const FieldDef& f : m_def.fields) {
        if (source.fieldIndex(f.name) < 0)
            continue;
        names << q(f.name);
        updates << QStringLiteral("%1 = excluded.%1").arg(q(f.name));
    }
    const QString sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT(%4) DO UPDATE SET %5")
            .arg(q(m_storage), names.join(QLatin1Char(',')),
                 QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(',')),
                 q(m_def.primaryKey), updates.join(QStringLiteral(", ")));
    int moved = 0;
    Database::Transaction tx(database());
    SqlStatement st = database().prepare(sql);
    for (source.first(); !source.eof(); source.next()) {
        st.reset();
        int bindIndex = 1;
        for (const FieldDef& f : m_def.fields) {
            const int si = source.fieldIndex(f.name);
            if (si < 0)
                continue;
            FieldDef unlimited = f;
            unlimited.size = 0;
            st.bind(bindIndex++, FieldValue::normalize(unlimited, source.value(si)));
        }
        st.run();
        ++moved;
    }
    tx.commit();
    database().touch(m_storage);
    ensureFresh();
    announceRecord();
    return moved;
}

void Table::flush()
{
    database().flush();
}
