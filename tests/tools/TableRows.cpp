#include "TableRows.h"

#include "Table.h"

TableRows::TableRows(Database& db, const QString& tableName)
{
    Table table(db, tableName);
    table.open();
    m_fields = table.fieldDefs();
    for (table.first(); !table.eof(); table.next()) {
        QList<QVariant> row;
        for (int i = 0; i < table.fieldCount(); ++i)
            row << table.value(i);
        m_rows << row;
    }
}

QVariant TableRows::value(int row, const QString& field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name == field)
            return m_rows.at(row).at(i);
    throw std::invalid_argument("no field " + field.toStdString());
}

QStringList TableRows::column(const QString& field) const
{
    QStringList values;
    for (int r = 0; r < count(); ++r)
        values << value(r, field).toString();
    return values;
}

QStringList TableRows::lines() const
{
    QStringList lines;
    for (const QList<QVariant>& row : m_rows) {
        QStringList cells;
        for (const QVariant& v : row)
            cells << (v.isNull() ? QStringLiteral("<blank>") : v.toString());
        lines << cells.join(QLatin1Char('|'));
    }
    return lines;
}

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const FieldDef& field, std::ostream* os)
{
    *os << field.name.toStdString() << ' ' << field.sqlType().toStdString();
}
