#include "SqlStatement.h"

#include "DateText.h"
#include "EngineError.h"
#include "ErrorLog.h"

#include <sqlite3.h>

#include <QDate>
#include <QRegularExpression>

SqlStatement::SqlStatement(sqlite3* db, const QString& sql)
    : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        throwError(db, rc, sql);
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_stmt);
}

SqlStatement::SqlStatement(SqlStatement&& other) noexcept
    : m_db(other.m_db)
    , m_stmt(other.m_stmt)
{
    other.m_stmt = nullptr;
}

SqlStatement& SqlStatement::operator=(SqlStatement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = other.m_stmt;
        other.m_stmt = nullptr;
    }
    return *this;
}

void SqlStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void SqlStatement::bind(int index, const QVariant& v)
{
    int rc = SQLITE_OK;
    if (v.isNull() || !v.isValid()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(m_stmt, index, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt, index, v.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(m_stmt, index, v.toDouble());
            break;
        case QMetaType::QDate: {
            const QByteArray iso = DateText::toIso(v.toDate()).toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, iso.constData(), int(iso.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray utf8 = v.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()),
                                   SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        throwError(m_db, rc, QString());
}

int SqlStatement::parameterCount() const
{
    return sqlite3_bind_parameter_count(m_stmt);
}

QString SqlStatement::parameterName(int index) const
{
    const char* name = sqlite3_bind_parameter_name(m_stmt, index);
    return name ? QString::fromUtf8(name + 1) : QString();
}

bool SqlStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString sql = QString::fromUtf8(sqlite3_sql(m_stmt));
    sqlite3_reset(m_stmt);
    throwError(m_db, rc, sql);
}

void SqlStatement::run()
{
    while (step()) {
    }
}

bool SqlStatement::returnsRows() const
{
    return sqlite3_column_count(m_stmt) > 0;
}

int SqlStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString SqlStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QString SqlStatement::columnDeclaredType(int column) const
{
    const char* t = sqlite3_column_decltype(m_stmt, column);
    return t ? QString::fromUtf8(t) : QString();
}

bool SqlStatement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 SqlStatement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double SqlStatement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

QString SqlStatement::text(int column) const
{
    const QByteArrayView bytes = utf8(column);
    return QString::fromUtf8(bytes.data(), bytes.size());
}

QByteArrayView SqlStatement::utf8(int column) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QByteArrayView(p, sqlite3_column_bytes(m_stmt, column));
}

sqlite3_value* SqlStatement::columnValue(int column) const
{
    return sqlite3_column_value(m_stmt, column);
}

QVariant SqlStatement::fromStoredText(FieldType type, QByteArrayView utf8)
{
    if (type == FieldType::Date) {
        const QDate d = DateText::fromIso(utf8);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    return utf8.isEmpty() ? QVariant() : QVariant(QString::fromUtf8(utf8.data(), utf8.size()));
}

QVariant SqlStatement::value(int column, FieldType type) const
{
    if (sqlite3_column_type(m_stmt, column) == SQLITE_NULL)
        return {};
    switch (type) {
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Date:
        return fromStoredText(type, utf8(column));
    case FieldType::Integer:
        return qint64(sqlite3_column_int64(m_stmt, column));
    case FieldType::Float:
        return sqlite3_column_double(m_stmt, column);
    case FieldType::Boolean:
        return sqlite3_column_int(m_stmt, column) != 0;
    }
    return {};
}

QVariant SqlStatement::rawValue(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(m_stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, column);
    case SQLITE_NULL:
        return {};
    default:
        return text(column);
    }
}

namespace {

// "Povol.CLEN_CISLO" out of SQLite's "NOT NULL constraint failed: Povol.CLEN_CISLO".
QStringList tableAndField(const QString& detail)
{
    static const QRegularExpression column(QStringLiteral("(\\w+)\\.(\\w+)\\s*$"));
    const QRegularExpressionMatch m = column.match(detail);
    return m.hasMatch() ? QStringList{m.captured(1), m.captured(2)} : QStringList();
}

// The table a statement works on, to name it to the user.
QString tableOf(const QString& sql)
{
    static const QRegularExpression table(
        QStringLiteral("\\b(?:FROM|INTO|UPDATE|TABLE)\\s+\"?(\\w+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = table.match(sql);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString inTable(const QString& sql)
{
    const QString table = tableOf(sql);
    return table.isEmpty() ? QString() : QStringLiteral(" (tabulka %1)").arg(table);
}

struct Told {
    QString message;
    EngineError::Kind kind = EngineError::Kind::General;
};

Told whatToTell(int extended, const QString& detail, const QString& sql)
{
    const QStringList where = tableAndField(detail);
    switch (extended) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return {where.size() == 2
                    ? QStringLiteral("Záznam se stejnou hodnotou pole %1 už v tabulce "
                                     "%2 je.")
                          .arg(where[1], where[0])
                    : QStringLiteral("Záznam se stejným klíčem už v tabulce je."),
                EngineError::Kind::KeyViolation};
    case SQLITE_CONSTRAINT_NOTNULL:
        return {where.size() == 2
                    ? QStringLiteral("Záznam nelze uložit: pole %1 tabulky %2 musí být vyplněno.")
                          .arg(where[1], where[0])
                    : QStringLiteral("Záznam nelze uložit: povinné pole není vyplněno."),
                EngineError::Kind::Required};
    default:
        break;
    }
    switch (extended & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return {QStringLiteral("Data jsou právě zamčena jiným programem; zkuste to prosím znovu.")};
    case SQLITE_READONLY:
        return {QStringLiteral("Do dat nelze zapisovat: soubor dat nebo jeho adresář je jen pro "
                               "čtení. Změna se neuložila.")};
    case SQLITE_FULL:
        return {QStringLiteral("Na disku s daty došlo místo; změna se neuložila. Uvolněte místo "
                               "na disku a zkuste to znovu.")};
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return {
            QStringLiteral("Soubor dat nelze číst nebo do něj zapisovat (chyba disku); změna "
                           "se neuložila. Zkontrolujte disk, případně obnovte data ze zálohy.")};
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return {QStringLiteral("Soubor dat je poškozený. Nic dalšího neukládejte a obnovte data z "
                               "poslední dobré zálohy.")};
    case SQLITE_INTERRUPT:
        return {QStringLiteral("Práce s daty byla přerušena; nic z ní se neuložilo.")};
    case SQLITE_CONSTRAINT:
        return {QStringLiteral("Záznam odporuje pravidlu tabulky, proto se neuložil") +
                    inTable(sql) + QLatin1Char('.'),
                EngineError::Kind::General};
    case SQLITE_ERROR:
        if (detail.startsWith(QLatin1String("no such column: ")))
            return {QStringLiteral("V datech chybí pole %1").arg(detail.mid(16)) + inTable(sql) +
                        QLatin1Char('.'),
                    EngineError::Kind::Missing};
        if (detail.startsWith(QLatin1String("no such table: ")))
            return {QStringLiteral("Tabulka %1 v datech neexistuje.").arg(detail.mid(15)),
                    EngineError::Kind::Missing};
        return {QStringLiteral("Dotaz na data nelze provést") + inTable(sql) +
                    QStringLiteral("; podrobnosti jsou v záznamu chyb."),
                EngineError::Kind::Syntax};
    default:
        return {QStringLiteral("Práce s daty selhala") + inTable(sql) +
                QStringLiteral("; podrobnosti jsou v záznamu chyb.")};
    }
}

} // namespace

void SqlStatement::throwError(sqlite3* db, int code, const QString& context)
{
    const int extended = db ? sqlite3_extended_errcode(db) : code;
    const QString detail = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    // The user reads what failed and what to do; the statement and SQLite's own words are
    // for whoever looks into the fault later.
    const Told told = whatToTell(extended, detail, context);
    ErrorLog::write(told.message,
                    QStringLiteral("%1 (%2): %3").arg(detail).arg(extended).arg(context));
    throw EngineError(told.message, told.kind);
}
