#include "StartedChapter.h"

#include "DataDirectoryInitializer.h"
#include "SqlStatement.h"
#include "Table.h"
#include "TestDataDir.h"

using namespace Qt::StringLiterals;

void StartedChapter::SetUp()
{
    DataDirectoryInitializer::Options options;
    options.year = 2012;
    DataDirectoryInitializer::create(m_dir.filePath(u"data"_s), options);
    m_db = std::make_unique<Database>(m_dir.filePath(u"data"_s));
    m_data = std::make_unique<TDataModule1>(*m_db, host);
    m_data->DataModuleCreate();
    ASSERT_TRUE(host.errors.isEmpty()) << host.errors.join(u'\n').toStdString();
}

void StartedChapter::addMember(const QString& number, const QString& category, QVariantMap more)
{
    more.insert(u"KATEGORIE"_s, category);
    appendRow(members(), member(number, u"Člen "_s + number, more));
}

void StartedChapter::addPayment(const QString& number, QVariantMap values)
{
    values[u"CLEN_CISLO"_s] = number;
    addRow(u"Povol.DB"_s, values);
}

void StartedChapter::addRow(const QString& table, const QVariantMap& values)
{
    Table t(*m_db, table);
    t.open();
    appendRow(t, values);
}

QStringList StartedChapter::numbersIn(const QString& table)
{
    Table t(*m_db, table);
    t.open();
    return columnOf(t, u"CLEN_CISLO"_s);
}

void StartedChapter::select(const QString& number)
{
    ASSERT_TRUE(members().locate(u"CLEN_CISLO"_s, number, false)) << number.toStdString();
}

QString StartedChapter::dump()
{
    QString text;
    for (const QString& table : m_db->tableNames()) {
        text += u"# "_s + table + u' ' + m_db->tableDef(table).fieldNames().join(u',') + u'\n';
        SqlStatement rows = m_db->prepare(
            u"SELECT * FROM %1 ORDER BY rowid"_s.arg(Database::quoteIdentifier(table)));
        while (rows.step()) {
            QStringList values;
            for (int c = 0; c < rows.columnCount(); ++c)
                values << (rows.isNull(c) ? u"∅"_s : rows.text(c));
            text += values.join(u'|') + u'\n';
        }
    }
    return text;
}
