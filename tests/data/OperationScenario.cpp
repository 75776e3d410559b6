#include "OperationScenario.h"

#include "DataDirectoryInitializer.h"
#include "DataModel.h"
#include "Database.h"
#include "EngineError.h"
#include "FeeSchedule.h"
#include "OlderLayout.h"
#include "RecordingHost.h"
#include "RowWriter.h"
#include "SqlStatement.h"
#include "TDataModule1.h"
#include "Table.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

using Operation = OperationScenario::Operation;

constexpr int chapterYear = 2012;
const QString numberField = u"CLEN_CISLO"_s;

struct Named {
    Operation operation;
    const char* name;
};

const QList<Named>& namedOperations()
{
    static const QList<Named> all{{Operation::Renumber, "renumber"},
                                  {Operation::DeleteMember, "delete-member"},
                                  {Operation::DeleteKeepingPayments, "delete-keeping-payments"},
                                  {Operation::RecordIssue, "record-issue"},
                                  {Operation::FeeYear, "fee-year"},
                                  {Operation::Upgrade, "upgrade"},
                                  {Operation::RemoveMember, "remove-member"},
                                  {Operation::RemoveNonPayers, "remove-non-payers"},
                                  {Operation::ReturnMember, "return-member"}};
    return all;
}

void writeMembers(Database& db)
{
    RowWriter members(db, u"Clenove"_s);
    for (const auto& [number, surname] : {std::pair{OperationScenario::memberNumber(), u"Dvořák"_s},
                                          {u"200"_s, u"Novák"_s},
                                          {u"300"_s, u"Svoboda"_s}})
        members.appendRow({{numberField, number},
                           {u"PRIJMENI"_s, surname},
                           {u"JMENO"_s, u"Jan"_s},
                           {u"KATEGORIE"_s, u"dospělý"_s},
                           {u"LAST_CLENSTVI"_s, chapterYear - 1}});
}

// A member removed some years ago, with a field of every kind filled in.
void writeRemovedMember(Database& db)
{
    RowWriter(db, u"Vyrazeni"_s)
        .appendRow({{numberField, OperationScenario::removedNumber()},
                    {u"PRIJMENI"_s, u"Černý"_s},
                    {u"JMENO"_s, u"Petr"_s},
                    {u"KATEGORIE"_s, u"dospělý"_s},
                    {u"DATUM_NAROZENI"_s, QDate(1970, 2, 3)},
                    {u"LAST_CLENSTVI"_s, chapterYear - 3},
                    {u"POZOR"_s, u"ZÁZNAM !"_s},
                    {u"ZAZNAMY"_s, u"Odstěhoval se.\r\nVrátí se?"_s}});
}

// Payments of successive years back from the chapter's, weekly brigades and awards; every row
// differs from the others, so a row that moved or went is told apart.
void writeRecordsOf(Database& db, const QString& number, int payments, int brigades, int awards)
{
    RowWriter povol(db, u"Povol"_s);
    for (int i = 0; i < payments; ++i)
        povol.appendRow({{numberField, number},
                         {u"ROK"_s, chapterYear - i},
                         {u"CLEN_PRISP"_s, 800},
                         {u"MP_ROCNI"_s, 1200 + i},
                         {u"CELKEM_KC"_s, 2000 + i},
                         {u"VYDANO"_s, QDate(chapterYear - i, 3, 1)},
                         {u"MP_VRACENO"_s, u"ANO"_s}});
    RowWriter brigady(db, u"Brigady"_s);
    for (int i = 0; i < brigades; ++i)
        brigady.appendRow({{numberField, number},
                           {u"DATUM"_s, QDate(chapterYear, 1, 7).addDays(-7 * i)},
                           {u"HODIN"_s, 1.5 + i % 4},
                           {u"AKCE"_s, u"Úklid břehu"_s}});
    RowWriter vyznam(db, u"Vyznam"_s);
    for (int i = 0; i < awards; ++i)
        vyznam.appendRow({{numberField, number},
                          {u"DRUH_VYZNAMENANI"_s, u"Odznak %1"_s.arg(i + 1)},
                          {u"DATUM_UDELENI"_s, QDate(2000 + i, 5, 1)}});
}

// The fee rows and the issue counts as an older program kept them; the restructure of their
// tables keeps no rows.
void writeOlderFeeRows(Database& db)
{
    RowWriter fees(db, u"PovolSet"_s);
    const QStringList& items = DataModel::feeItems();
    for (const FeeSchedule::Category& category : FeeSchedule::categories()) {
        QVariantMap row{{u"KATEGORIE"_s, category.name},
                        {u"ROK"_s, chapterYear},
                        {u"BRIG_HODIN"_s, category.brigadeHours}};
        const QList<int> amounts = FeeSchedule::fees(category, chapterYear);
        for (int i = 0; i < items.size(); ++i)
            if (!OlderLayout::postageAndMi().contains(items[i]))
                row.insert(items[i], amounts[i]);
        fees.appendRow(row);
    }
    RowWriter(db, u"NumPovol"_s).appendRow({{u"ROK"_s, chapterYear}, {u"ZAZNAMU"_s, 3}});
}

void writeCatches(Database& db, const QString& table, int rows)
{
    RowWriter catches(db, table);
    for (int i = 0; i < rows; ++i)
        catches.appendRow({{numberField, QString::number(1000 + i)},
                           {u"REVIR_CISLO"_s, u"411%1"_s.arg(i % 10, 3, 10, QChar(u'0'))},
                           {u"DOCHAZKA"_s, 1 + i % 30},
                           {u"KAPR_KS"_s, i % 7},
                           {u"KAPR_KG"_s, (i % 7) * 2.25}});
}

void makeOlderLayouts(Database& db)
{
    const QStringList& added = OlderLayout::postageAndMi();
    for (const QString& table : {u"Povol"_s, u"SumPovol"_s, u"PovolSet"_s})
        OlderLayout::withoutFields(db, table, added);
    OlderLayout::withoutFields(db, u"NumPovol"_s,
                               added + QStringList{u"MI_CESTNA"_s, u"MI_CELKEM"_s});
    for (const QString& table : DataDirectoryInitializer::yearCatchTables(chapterYear) +
                                    QStringList{u"CSumMP"_s, u"CSumPS"_s})
        OlderLayout::withoutFields(db, table, OlderLayout::newSpecies());
    // Keys stored as plain fields: the start-up marks them required, one more restructure.
    for (const QString& table : {u"Brigady"_s, u"Vyznam"_s})
        OlderLayout::withoutRequiredKeys(db, table);
    db.run(u"DELETE FROM VAHY WHERE DB_NAME = ?"_s, {u"PODOUSTEV_KG"_s});
    writeOlderFeeRows(db);
    for (const QString& table : {u"SuMP2010"_s, u"SuMP%1"_s.arg(chapterYear)})
        writeCatches(db, table, 500);
}

// Payments of many members over the years, enough for the restructure to take a while.
void writeManyPayments(Database& db, int count)
{
    RowWriter povol(db, u"Povol"_s);
    for (int i = 0; i < count; ++i)
        povol.appendRow({{numberField, QString::number(1000 + i % 2000)},
                         {u"ROK"_s, chapterYear - i / 2000},
                         {u"CLEN_PRISP"_s, 800},
                         {u"MP_ROCNI"_s, 1200},
                         {u"PS_RAD"_s, i % 3 * 30},
                         {u"CELKEM_KC"_s, 2000 + i % 3 * 30},
                         {u"VYDANO"_s, QDate(chapterYear - i / 2000, 1, 2).addDays(i % 300)},
                         {u"MP_VRACENO"_s, i % 5 == 0 ? u"NE"_s : u"ANO"_s}});
}

// Counts rows against what they must be and notes every count that is not so.
class Tally {
public:
    explicit Tally(Database& db)
        : m_db(db)
    {
    }
    void expect(const QString& what, const QString& sql, const QList<QVariant>& binds, int wanted)
    {
        SqlStatement st = m_db.prepare(sql);
        for (int i = 0; i < binds.size(); ++i)
            st.bind(i + 1, binds[i]);
        const qint64 found = st.step() ? st.integer(0) : -1;
        if (found != wanted)
            m_missed << u"%1: %2, not %3"_s.arg(what).arg(found).arg(wanted);
    }
    void expectMember(const QString& number, int rows)
    {
        expect(u"member %1"_s.arg(number), u"SELECT count(*) FROM Clenove WHERE CLEN_CISLO = ?"_s,
               {number}, rows);
    }
    void expectRecordsOf(const QString& number, int payments, int brigades, int awards)
    {
        const QString sql = u"SELECT count(*) FROM %1 WHERE CLEN_CISLO = ?"_s;
        expect(u"payments of %1"_s.arg(number), sql.arg(u"Povol"_s), {number}, payments);
        expect(u"brigades of %1"_s.arg(number), sql.arg(u"Brigady"_s), {number}, brigades);
        expect(u"awards of %1"_s.arg(number), sql.arg(u"Vyznam"_s), {number}, awards);
    }
    void miss(const QString& what) { m_missed << what; }
    const QStringList& missed() const { return m_missed; }

private:
    Database& m_db;
    QStringList m_missed;
};

// The members are out of the register with their records and in the removed members with the
// fields they had; the member removed before is still there.
void expectRemoved(Tally& tally, const QStringList& numbers)
{
    for (const QString& number : numbers) {
        tally.expectMember(number, 0);
        tally.expectRecordsOf(number, 0, 0, 0);
        tally.expect(u"removed member %1"_s.arg(number),
                     u"SELECT count(*) FROM Vyrazeni WHERE CLEN_CISLO = ? AND JMENO = 'Jan' AND "
                     "LAST_CLENSTVI = 2011"_s,
                     {number}, 1);
    }
    tally.expect(u"removed members"_s, u"SELECT count(*) FROM Vyrazeni"_s, {},
                 int(numbers.size()) + 1);
}

// Every table the data model knows holds its fields in the model's order and its keys as
// required fields; the years the start-up copies are there.
void expectCurrentLayouts(Database& db, Tally& tally)
{
    if (db.layoutVersion() != DataModel::layoutVersion)
        tally.miss(u"layout version %1"_s.arg(db.layoutVersion()));
    for (const QString& table : db.tableNames()) {
        const TableDef model = DataModel::table(table);
        if (model.name.isEmpty())
            continue;
        const TableDef& stored = db.tableDef(table);
        if (stored.fieldNames() != model.fieldNames())
            tally.miss(u"fields of %1: %2"_s.arg(table, stored.fieldNames().join(u',')));
        for (const QString& key : model.requiredFields)
            if (!stored.isRequired(key))
                tally.miss(u"%1 of %2 not required"_s.arg(key, table));
    }
    for (int year = 2011; year <= 2020; ++year)
        for (bool trout : {false, true})
            if (!db.fileExists(DataModel::yearCatchTableName(trout, year)))
                tally.miss(DataModel::yearCatchTableName(trout, year) + u" missing"_s);
}

} // namespace

const QList<Operation>& OperationScenario::operations()
{
    static const QList<Operation> all = [] {
        QList<Operation> list;
        for (const Named& n : namedOperations())
            list << n.operation;
        return list;
    }();
    return all;
}

QString OperationScenario::nameOf(Operation operation)
{
    for (const Named& n : namedOperations())
        if (n.operation == operation)
            return QLatin1String(n.name);
    return {};
}

bool OperationScenario::fromName(const QString& name, Operation* operation)
{
    for (const Named& n : namedOperations())
        if (name == QLatin1String(n.name)) {
            *operation = n.operation;
            return true;
        }
    return false;
}

QString OperationScenario::memberNumber()
{
    return u"105"_s;
}

QString OperationScenario::newNumber()
{
    return u"106"_s;
}

QString OperationScenario::removedNumber()
{
    return u"400"_s;
}

void OperationScenario::createDirectory(const QString& directory, Operation operation)
{
    DataDirectoryInitializer::Options options;
    options.year = chapterYear;
    DataDirectoryInitializer::create(directory, options);
    Database db(directory);
    // One commit: the rows need not wait on the disk one by one.
    Database::Transaction tx(db);
    if (operation == Operation::Upgrade)
        makeOlderLayouts(db);
    writeMembers(db);
    writeRemovedMember(db);
    writeRecordsOf(db, memberNumber(), memberPayments, memberBrigades, memberAwards);
    writeRecordsOf(db, u"200"_s, 2, 3, 1);
    writeRecordsOf(db, u"300"_s, 1, 0, 0);
    if (operation == Operation::Upgrade)
        writeManyPayments(db, upgradePayments);
    tx.commit();
    if (operation == Operation::Upgrade)
        return;
    // The program has started on the data once, as it has whenever the user works: the
    // start-up's own work is done and is no part of the operation.
    RecordingHost host;
    TDataModule1(db, host).DataModuleCreate();
    if (!host.errors.isEmpty())
        throw EngineError(host.errors.join(u'\n'));
}

OperationScenario::OperationScenario(Database& db, RecordingHost& host, Operation operation)
    : m_db(db)
    , m_host(host)
    , m_operation(operation)
    , m_data(std::make_unique<TDataModule1>(db, host))
{
    if (operation != Operation::Upgrade)
        ready();
}

OperationScenario::~OperationScenario() = default;

void OperationScenario::ready()
{
    m_data->DataModuleCreate();
    if (!m_host.errors.isEmpty())
        throw EngineError(m_host.errors.join(u'\n'));
    Table& members = m_data->TableClenove();
    if (!members.locate(numberField, memberNumber()))
        throw EngineError(u"Člen %1 v datech není."_s.arg(memberNumber()));
    switch (m_operation) {
    case Operation::Renumber:
        members.edit();
        members.fieldByName(numberField).setAsString(newNumber());
        break;
    case Operation::RecordIssue: {
        // As at the cash desk: the member rule rests while the payment is being filled in.
        m_host.issuing = true;
        Table& payment = m_data->TablePovol();
        payment.insert();
        payment.fieldByName(numberField).setAsString(memberNumber());
        payment.fieldByName(u"ROK"_s).setAsInteger(chapterYear);
        payment.fieldByName(u"CLEN_PRISP"_s).setAsInteger(800);
        payment.fieldByName(u"MP_ROCNI"_s).setAsInteger(1200);
        payment.fieldByName(u"CELKEM_KC"_s).setAsInteger(2000);
        payment.fieldByName(u"VYDANO"_s).setAsDate(QDate(chapterYear, 3, 15));
        payment.fieldByName(u"MP_VRACENO"_s).setAsString(u"NE"_s);
        break;
    }
    case Operation::FeeYear: {
        // The settings window shows the fee rows beside the chapter's settings.
        m_data->TablePovolSet().open();
        Table& setup = m_data->TableSetup();
        setup.first();
        setup.edit();
        setup.fieldByName(u"PRACOVNI_ROK"_s).setAsInteger(chapterYear + 1);
        break;
    }
    case Operation::ReturnMember:
        if (!m_data->TableVyrazeni().locate(numberField, removedNumber()))
            throw EngineError(u"Vyřazený člen %1 v datech není."_s.arg(removedNumber()));
        break;
    case Operation::DeleteMember:
    case Operation::DeleteKeepingPayments:
    case Operation::RemoveMember:
    case Operation::RemoveNonPayers:
    case Operation::Upgrade:
        break;
    }
}

void OperationScenario::perform()
{
    switch (m_operation) {
    case Operation::Renumber:
        m_data->TableClenove().post();
        break;
    case Operation::DeleteMember:
        m_data->deleteMember(TDataModule1::Payments::Delete);
        break;
    case Operation::DeleteKeepingPayments:
        m_data->deleteMember(TDataModule1::Payments::KeepUnassigned);
        break;
    case Operation::RecordIssue:
        m_data->recordIssue(true);
        break;
    case Operation::FeeYear:
        m_data->TableSetup().post();
        break;
    case Operation::RemoveMember:
        m_data->removeCurrentMember();
        break;
    case Operation::RemoveNonPayers:
        m_data->removeMembers({memberNumber(), u"300"_s});
        break;
    case Operation::ReturnMember:
        if (!m_data->returnRemovedMember())
            throw EngineError(u"Číslo %1 je obsazené."_s.arg(removedNumber()));
        break;
    case Operation::Upgrade: {
        const qsizetype shown = m_host.errors.size();
        m_data->DataModuleCreate();
        if (m_host.errors.size() > shown)
            throw EngineError(m_host.errors.last());
        break;
    }
    }
}

void OperationScenario::renumberCurrentMember(const QString& number)
{
    Table& members = m_data->TableClenove();
    members.edit();
    members.fieldByName(numberField).setAsString(number);
    members.post();
}

QStringList OperationScenario::missedResults(Operation operation, Database& db)
{
    Tally tally(db);
    const QString member = memberNumber();
    switch (operation) {
    case Operation::Renumber:
        tally.expectMember(member, 0);
        tally.expectMember(newNumber(), 1);
        tally.expectRecordsOf(member, 0, 0, 0);
        tally.expectRecordsOf(newNumber(), memberPayments, memberBrigades, memberAwards);
        break;
    case Operation::DeleteMember:
    case Operation::DeleteKeepingPayments: {
        const bool kept = operation == Operation::DeleteKeepingPayments;
        tally.expectMember(member, 0);
        tally.expectRecordsOf(member, 0, 0, 0);
        tally.expect(u"payments kept unassigned"_s,
                     u"SELECT count(*) FROM Povol WHERE CLEN_CISLO = ?"_s,
                     {ChapterOperations::unassignedNumber()}, kept ? memberPayments : 0);
        break;
    }
    case Operation::RecordIssue:
        tally.expectRecordsOf(member, memberPayments + 1, memberBrigades, memberAwards);
        tally.expect(u"the payment issued"_s,
                     u"SELECT count(*) FROM Povol WHERE CLEN_CISLO = ? AND ROK = ? AND "
                     "CELKEM_KC = 2000 AND VYDANO = ? AND MP_VRACENO = 'NE'"_s,
                     {member, chapterYear, QDate(chapterYear, 3, 15)}, 1);
        tally.expect(u"year paid"_s,
                     u"SELECT count(*) FROM Clenove WHERE CLEN_CISLO = ? AND LAST_CLENSTVI = ?"_s,
                     {member, chapterYear}, 1);
        break;
    case Operation::FeeYear:
        tally.expect(u"fee rows of another year"_s,
                     u"SELECT count(*) FROM PovolSet WHERE ROK IS NOT ?"_s, {chapterYear + 1}, 0);
        tally.expect(u"working year"_s, u"SELECT count(*) FROM Setup WHERE PRACOVNI_ROK = ?"_s,
                     {chapterYear + 1}, 1);
        break;
    case Operation::Upgrade:
        expectCurrentLayouts(db, tally);
        tally.expect(u"payments"_s, u"SELECT count(*) FROM Povol"_s, {},
                     upgradePayments + memberPayments + 3);
        tally.expect(u"weight row of the new species"_s,
                     u"SELECT count(*) FROM VAHY WHERE DB_NAME = ?"_s, {u"PODOUSTEV_KG"_s}, 1);
        break;
    case Operation::RemoveMember:
        expectRemoved(tally, {member});
        break;
    case Operation::RemoveNonPayers:
        expectRemoved(tally, {member, u"300"_s});
        break;
    case Operation::ReturnMember:
        tally.expect(u"the member back with every field"_s,
                     u"SELECT count(*) FROM Clenove WHERE CLEN_CISLO = ? AND PRIJMENI = 'Černý' "
                     "AND DATUM_NAROZENI = ? AND LAST_CLENSTVI = ? AND POZOR = 'ZÁZNAM !' AND "
                     "ZAZNAMY LIKE 'Odstěhoval se.%Vrátí se?'"_s,
                     {removedNumber(), QDate(1970, 2, 3), chapterYear - 3}, 1);
        tally.expect(u"removed members"_s, u"SELECT count(*) FROM Vyrazeni"_s, {}, 0);
        break;
    }
    // Whatever the operation, the other members keep what they had.
    tally.expectMember(u"200"_s, 1);
    tally.expectRecordsOf(u"200"_s, 2, 3, 1);
    if (operation != Operation::RemoveNonPayers)
        tally.expectRecordsOf(u"300"_s, 1, 0, 0);
    return tally.missed();
}
