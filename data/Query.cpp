#include "Query.h"

#include "Database.h"
#include "EngineError.h"
#include "LocalSql.h"

Query::Query(Database& db, QObject* parent)
    : DataSet(db, parent)
{
}

void Query::setSql(const QStringList& lines)
{
    close();
    m_sql = lines;
}

void Query::setSqlLine(int index, const QString& line)
{
    close();
    while (m_sql.size() <= index)
        m_sql << QStringLiteral(" ");
    m_sql[index] = line;
}

void Query::setParam(const QString& name, const QVariant& value)
{
    m_params.insert(name.toLower(), value);
}

void Query::setMaster(DataSet* master)
{
    QObject::disconnect(m_masterConnection);
    m_master = master;
    if (master)
        m_masterConnection = connect(master, &DataSet::recordChanged, this, &Query::followMaster);
}

void Query::followMaster()
{
    if (!isActive() || m_following || !m_master->isActive())
        return;
    m_following = true;
    try {
        close();
        open();
    } catch (const EngineError&) {
        // Called from the master's announcement, where nobody could handle the error: the
        // query stays closed, so no reader takes rows of another master row for this one's.
        close();
    }
    m_following = false;
}

QVariant Query::parameterValue(const QString& name) const
{
    const auto it = m_params.find(name.toLower());
    if (it != m_params.end())
        return it.value();
    if (m_master && m_master->isActive()) {
        const int i = m_master->fieldIndex(name);
        if (i >= 0)
            return m_master->value(i);
    }
    throw EngineError(QStringLiteral("Parametr :%1 dotazu nemá hodnotu.").arg(name),
                      EngineError::Kind::Missing);
}

SqlStatement Query::prepareStatement()
{
    const QString text = m_sql.join(QLatin1Char('\n'));
    SqlStatement st = database().prepare(LocalSql(database()).translate(text));
    for (int i = 1; i <= st.parameterCount(); ++i)
        st.bind(i, parameterValue(st.parameterName(i)));
    return st;
}

void Query::execSql()
{
    SqlStatement st = prepareStatement();
    st.run();
    database().touchAll();
}

bool Query::openCursor()
{
    SqlStatement st = prepareStatement();
    if (!st.returnsRows()) {
        st.run();
        database().touchAll();
        setFieldDefs({});
        return false;
    }
    QList<FieldDef> fields;
    QList<FieldType> types;
    QList<bool> declared;
    for (int c = 0; c < st.columnCount(); ++c) {
        const QString type = st.columnDeclaredType(c);
        fields << FieldDef::fromSqlType(st.columnName(c), type);
        types << fields.last().type;
        declared << !type.isEmpty();
    }
    m_rows.reset(types, declared);
    while (st.step())
        m_rows.append(st);
    // Computed columns (SUM, constants) take their kind from the values they hold.
    for (int c = 0; c < fields.size(); ++c) {
        if (declared[c])
            continue;
        fields[c].type = m_rows.holdsFloat(c)     ? FieldType::Float
                         : m_rows.holdsInteger(c) ? FieldType::Integer
                                                  : FieldType::Memo;
        m_rows.setComputedType(c, fields[c].type);
    }
    setFieldDefs(fields);
    return true;
}

void Query::closeCursor()
{
    m_rows.reset({}, {});
    m_view.clear();
}

void Query::rebuildView()
{
    m_view.clear();
    // One list serves every row the filter looks at.
    QList<QVariant> values;
    for (int i = 0; i < m_rows.size(); ++i) {
        if (filterActive()) {
            m_rows.readRow(i, values);
            if (!filterExpression().matches(values))
                continue;
        }
        m_view << i;
    }
    forgetRecord();
}
