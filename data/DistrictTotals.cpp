#include "DistrictTotals.h"

#include "DataSet.h"
#include "Database.h"
#include "EngineError.h"
#include "SqlStatement.h"

#include <QStringList>

namespace {

const QString districtNumber = QStringLiteral("REVIR_CISLO");
const QString districtName = QStringLiteral("REVIR_NAZEV");
const QString trout = QStringLiteral("PSTRUHOVA");
const QString days = QStringLiteral("DOCHAZKA");

constexpr int pairFields = DistrictTotals::FirstSpeciesField + 2 * DistrictTotals::SpeciesCount;

qint32 add32(qint32 sum, qint64 value)
{
    return qint32(quint32(sum) + quint32(value));
}

int fieldPosition(const QList<FieldDef>& fields, const QString& name, const QString& table)
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw EngineError(QStringLiteral("Tabulka %1 nemá pole %2.").arg(table, name),
                      EngineError::Kind::Missing);
}

// The species are found by position; a table with fewer fields would be read wrongly.
void requireSpeciesPairs(const QList<FieldDef>& fields, const QString& table)
{
    if (fields.size() < pairFields)
        throw EngineError(QStringLiteral("Tabulka %1 nemá pole všech druhů ryb (%2 polí).")
                              .arg(table)
                              .arg(fields.size()),
                          EngineError::Kind::Missing);
}

QString textOrEmpty(const SqlStatement& st, int column)
{
    return st.isNull(column) ? QString() : st.text(column);
}

// An empty text is stored blank, as a post stores it.
QVariant textValue(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

DistrictTotals::DistrictTotals(Database& db)
    : m_db(db)
{
}

QList<DistrictTotals::District> DistrictTotals::districtsOf(DataSet& districts)
{
    const int number = districts.fieldByName(districtNumber).index();
    const int name = districts.fieldByName(districtName).index();
    QList<District> list;
    const int count = districts.recordCount();
    for (int i = 0; i < count; ++i) {
        const QList<QVariant> row = districts.recordAt(i);
        list << District{row.value(number).toString(), row.value(name).toString()};
    }
    return list;
}

void DistrictTotals::rebuild(const QList<District>& districts, const QString& yearCatchFile,
                             const QString& totalsFile, const Progress& progress)
{
    m_rowsWritten = 0;
    m_stopped = false;
    const QString yearTable = m_db.requireTable(yearCatchFile);
    const QString totalsTable = m_db.requireTable(totalsFile);
    const QList<FieldDef> totalsFields = m_db.tableDef(totalsTable).fields;
    requireSpeciesPairs(totalsFields, totalsTable);
    // The district walk always looks at one district, even in an empty list, whose number
    // then reads as blank: the returns without a district number make its row.
    const QList<District> walked = districts.isEmpty() ? QList<District>{District{}} : districts;

    Database::Transaction transaction(m_db);
    const QHash<QString, Sums> sums = sumReturns(yearTable);
    Chapter chapter = readChapter();
    chapter.trout = lastReturnIsTrout(yearTable);
    m_db.execute(QStringLiteral("DELETE FROM ") + Database::quoteIdentifier(totalsTable));
    const int total = int(walked.size());
    for (int i = 0; i < total && !m_stopped; ++i) {
        const auto found = sums.constFind(walked[i].number);
        if (found != sums.constEnd()) {
            writeRow(totalsTable, totalsFields, chapter, walked[i], *found);
            ++m_rowsWritten;
        }
        m_stopped = progress && !progress(i + 1, total);
    }
    transaction.commit();
    m_db.touch(totalsTable);
}

QHash<QString, DistrictTotals::Sums> DistrictTotals::sumReturns(const QString& yearTable) const
{
    const QList<FieldDef> fields = m_db.tableDef(yearTable).fields;
    requireSpeciesPairs(fields, yearTable);
    // A blank district number reads as the empty text, as a blank district in the list does.
    QStringList columns{
        QStringLiteral("COALESCE(%1, '')")
            .arg(Database::quoteIdentifier(
                fields[fieldPosition(fields, districtNumber, yearTable)].name)),
        Database::quoteIdentifier(fields[fieldPosition(fields, days, yearTable)].name)};
    for (int p = FirstSpeciesField; p < pairFields; ++p)
        columns << Database::quoteIdentifier(fields[p].name);
    SqlStatement rows = m_db.prepare(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
            .arg(columns.join(QStringLiteral(", ")), Database::quoteIdentifier(yearTable)));
    QHash<QString, Sums> sums;
    QString previous;
    Sums* current = nullptr;
    while (rows.step()) {
        const QString number = rows.text(0);
        // Returns come typed district by district; the lookup is skipped while it stays.
        if (!current || number != previous) {
            current = &sums[number];
            previous = number;
        }
        current->days = add32(current->days, rows.integer(1));
        for (int i = 0; i < SpeciesCount; ++i) {
            current->counts[i] = add32(current->counts[i], rows.integer(2 + 2 * i));
            current->weights[i] += rows.real(3 + 2 * i);
        }
    }
    return sums;
}

bool DistrictTotals::lastReturnIsTrout(const QString& yearTable) const
{
    const QList<FieldDef> fields = m_db.tableDef(yearTable).fields;
    const int position = fieldPosition(fields, trout, yearTable);
    SqlStatement last = m_db.prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid DESC LIMIT 1")
                                         .arg(Database::quoteIdentifier(fields[position].name),
                                              Database::quoteIdentifier(yearTable)));
    return last.step() && last.value(0, FieldType::Boolean).toBool();
}

DistrictTotals::Chapter DistrictTotals::readChapter() const
{
    SqlStatement setup = m_db.prepare(
        QStringLiteral("SELECT CISLO_ORGANIZACE, NAZEV_ORGANIZACE, PRACOVNI_ROK_SUM FROM %1 "
                       "ORDER BY rowid LIMIT 1")
            .arg(Database::quoteIdentifier(m_db.requireTable(QStringLiteral("Setup.db")))));
    Chapter chapter;
    if (setup.step()) {
        chapter.number = textOrEmpty(setup, 0);
        chapter.name = textOrEmpty(setup, 1);
        chapter.year = textOrEmpty(setup, 2);
    }
    return chapter;
}

void DistrictTotals::writeRow(const QString& totalsTable, const QList<FieldDef>& fields,
                              const Chapter& chapter, const District& district,
                              const Sums& sums) const
{
    QList<QVariant> row(fields.size());
    const auto set = [&](const char* name, const QVariant& value) {
        row[fieldPosition(fields, QLatin1String(name), totalsTable)] = value;
    };
    set("CLEN_CISLO", textValue(chapter.number));
    set("PRIJMENI", textValue(chapter.name));
    set("EV_CISLO_SUM", textValue(chapter.year));
    set("REVIR_CISLO", textValue(district.number));
    set("REVIR_NAZEV", textValue(district.name));
    set("PSTRUHOVA", chapter.trout);
    set("DOCHAZKA", sums.days);
    qint32 pieces = 0;
    double kilograms = 0;
    for (int i = 0; i < SpeciesCount; ++i) {
        row[FirstSpeciesField + 2 * i] = sums.counts[i];
        row[FirstSpeciesField + 2 * i + 1] = sums.weights[i];
        pieces = add32(pieces, sums.counts[i]);
        kilograms += sums.weights[i];
    }
    set("SUMA_KS", pieces);
    set("SUMA_KG", kilograms);
    SqlStatement& insert = m_db.cached(m_db.insertSql(totalsTable));
    for (int i = 0; i < row.size(); ++i)
        insert.bind(i + 1, row[i]);
    insert.run();
}
