#include "MemberImport.h"

#include "Database.h"
#include "EngineError.h"
#include "FieldValue.h"
#include "ParadoxError.h"
#include "ParadoxTable.h"
#include "SqlStatement.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString memberTable = QStringLiteral("Clenove");
const QString memberNumber = QStringLiteral("CLEN_CISLO");

// The paid years (membership, returned catch records MP and PS): a later delivered year
// replaces the register's without a question.
bool isPaidYear(const QString& field)
{
    return field == QLatin1String("LAST_CLENSTVI") || field == QLatin1String("LAST_SUMAR_MP") ||
           field == QLatin1String("LAST_SUMAR_PS");
}

QString textOf(const FieldDef& field, const QVariant& value)
{
    return FieldValue::toText(field, value).trimmed();
}

} // namespace

QString MemberImport::sourcePath(const QString& folder)
{
    return QDir(QDir::fromNativeSeparators(folder.trimmed()))
        .filePath(QStringLiteral("CLENOVE.DB"));
}

MemberImport::MemberImport(Database& db)
    : m_db(db)
{
}

void MemberImport::run(const QString& path, const Question& ask, const Progress& progress)
{
    m_updated = m_inserted = 0;
    m_stopped = false;
    if (!QFileInfo(path).isFile())
        throw EngineError(QStringLiteral("Neni soubor ") + QDir::toNativeSeparators(path),
                          EngineError::Kind::Missing);
    try {
        const ParadoxTable source(path);
        Database::Transaction transaction(m_db);
        loadRegister();
        checkLayout(source);
        int done = 0;
        const int total = source.recordCount();
        source.forEachRecord([&](const QVariantList& delivered) {
            mergeRecord(delivered, ask);
            ++done;
            if (!m_stopped && progress && !progress(done, total))
                m_stopped = true;
            return !m_stopped;
        });
        transaction.commit();
    } catch (const ParadoxError& e) {
        throw EngineError(e.message(), EngineError::Kind::Damaged);
    }
    m_db.touch(m_db.requireTable(memberTable));
}

void MemberImport::loadRegister()
{
    const QString table = m_db.requireTable(memberTable);
    m_fields = m_db.tableDef(table).fields;
    m_register.clear();
    QStringList columns;
    for (const FieldDef& f : std::as_const(m_fields))
        columns << Database::quoteIdentifier(f.name);
    SqlStatement select = m_db.prepare(
        QStringLiteral("SELECT rowid, %1 FROM %2")
            .arg(columns.join(QStringLiteral(", ")), Database::quoteIdentifier(table)));
    m_numberField = -1;
    m_surnameField = -1;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name == memberNumber)
            m_numberField = i;
        if (m_fields[i].name == QLatin1String("PRIJMENI"))
            m_surnameField = i;
    }
    while (select.step()) {
        Member member;
        member.rowid = select.integer(0);
        for (int i = 0; i < m_fields.size(); ++i)
            member.values << select.value(i + 1, m_fields[i].type);
        m_register.insert(member.values[m_numberField].toString(), member);
    }
}

void MemberImport::checkLayout(const ParadoxTable& source) const
{
    // Fields are matched by their place, as the delivering program wrote them; a table of
    // another layout would put values into the wrong fields.
    const QList<ParadoxField>& fields = source.fields();
    bool fits = !fields.isEmpty() && fields.size() <= m_fields.size();
    for (int i = 0; fits && i < fields.size(); ++i)
        fits = fields[i].name().compare(m_fields[i].name, Qt::CaseInsensitive) == 0;
    if (!fits)
        throw EngineError(QStringLiteral("Soubor %1 nemá pole tabulky členů v jejich pořadí; "
                                         "nic nebylo převzato.")
                              .arg(QDir::toNativeSeparators(source.path())),
                          EngineError::Kind::Conversion);
}

QList<QVariant> MemberImport::normalized(const QVariantList& delivered) const
{
    QList<QVariant> values;
    for (int i = 0; i < delivered.size(); ++i) {
        QVariant v = delivered[i];
        if (v.typeId() == QMetaType::QString)
            v = v.toString().trimmed();
        values << FieldValue::normalize(m_fields[i], v);
    }
    return values;
}

void MemberImport::mergeRecord(const QVariantList& delivered, const Question& ask)
{
    const QList<QVariant> values = normalized(delivered);
    const QString number = values.value(m_numberField).toString();
    if (number.isEmpty())
        return;
    const auto found = m_register.find(number);
    QList<int> changed;
    if (found == m_register.end()) {
        Member member;
        member.values = QList<QVariant>(m_fields.size());
        // Every delivered value lands in the empty record without a question.
        merge(values, member, changed, ask);
        insert(member);
        member.rowid = m_db.lastInsertRowid();
        m_register.insert(number, member);
        ++m_inserted;
        return;
    }
    const bool finished = merge(values, *found, changed, ask);
    if (!changed.isEmpty()) {
        update(*found, changed);
        ++m_updated;
    }
    if (!finished)
        m_stopped = true;
}

bool MemberImport::merge(const QList<QVariant>& delivered, Member& member, QList<int>& changed,
                         const Question& ask) const
{
    for (int i = 0; i < delivered.size(); ++i) {
        const QVariant& held = member.values[i];
        const QString text = textOf(m_fields[i], delivered[i]);
        if (text.isEmpty() || text == textOf(m_fields[i], held))
            continue;
        if (!replacesWithoutAsking(i, delivered[i], held)) {
            const Answer answer = ask(question(member, i, delivered[i]));
            if (answer == Answer::Stop)
                return false;
            if (answer == Answer::Keep)
                continue;
        }
        member.values[i] = delivered[i];
        changed << i;
    }
    return true;
}

bool MemberImport::replacesWithoutAsking(int position, const QVariant& delivered,
                                         const QVariant& held) const
{
    if (held.isNull() || textOf(m_fields[position], held).isEmpty())
        return true;
    return isPaidYear(m_fields[position].name) && delivered.toLongLong() > held.toLongLong();
}

QString MemberImport::question(const Member& member, int position, const QVariant& delivered) const
{
    const FieldDef& field = m_fields[position];
    return QStringLiteral("Opravdu nahradit u člena ") + member.values[m_numberField].toString() +
           QStringLiteral(" -  ") + member.values.value(m_surnameField).toString() +
           QStringLiteral("\r\n ve sloupci ") + field.name + QStringLiteral("    ") +
           textOf(field, delivered) + QStringLiteral("  ---> ") +
           textOf(field, member.values[position]);
}

void MemberImport::insert(const Member& member) const
{
    SqlStatement& statement = m_db.cached(m_db.insertSql(m_db.requireTable(memberTable)));
    for (int i = 0; i < member.values.size(); ++i)
        statement.bind(i + 1, member.values[i]);
    statement.run();
}

void MemberImport::update(const Member& member, const QList<int>& changed) const
{
    QStringList assignments;
    QList<QVariant> binds;
    for (const int i : changed) {
        assignments << Database::quoteIdentifier(m_fields[i].name) + QStringLiteral(" = ?");
        binds << member.values[i];
    }
    binds << member.rowid;
    m_db.run(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                 .arg(Database::quoteIdentifier(m_db.requireTable(memberTable)),
                      assignments.join(QStringLiteral(", "))),
             binds);
}
