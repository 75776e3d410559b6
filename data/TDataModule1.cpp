#include "TDataModule1.h"

#include "BrigadeHours.h"
#include "CzechCollation.h"
#include "DataModel.h"
#include "DataModuleHost.h"
#include "DateText.h"
#include "EngineError.h"
#include "FieldValue.h"
#include "QuietCursor.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QScopeGuard>

#include <algorithm>

namespace {

const QString upgrade50Caption = QStringLiteral("Upgrade 5.0 proveden");
const QString upgrade510Caption = QStringLiteral("Upgrade 5.10 proveden");

} // namespace

TDataModule1::TDataModule1(Database& db, DataModuleHost& host, QObject* parent)
    : QObject(parent)
    , m_db(db)
    , m_host(host)
    , m_operations(db)
    , m_removal(db)
{
    // The scanner is polled for the whole run, whether or not a port is open.
    m_scanTimer.setInterval(1000);
    connect(&m_scanTimer, &QTimer::timeout, this, [this] { ScanTick(); });
    if (QCoreApplication::instance())
        m_scanTimer.start();
    m_clenove = makeTable(QStringLiteral("Clenove.DB"));
    m_clenove->setIndexFieldNames(QStringLiteral("PRIJMENI"));
    // The members data source starts switched off, so no member rule runs before the
    // start-up has finished.
    m_clenove->setNotificationsEnabled(false);
    m_povol = makeTable(QStringLiteral("Povol.DB"));
    m_povol->setFiltered(true);
    m_povolSet = makeTable(QStringLiteral("PovolSet.DB"));
    m_povolSetClen = makeTable(QStringLiteral("PovolSet.DB"));
    m_povolSetClen->setFiltered(true);
    m_reviry = makeTable(QStringLiteral("ReviryMP.DB"));
    m_sumar = makeTable(QStringLiteral("SuMP2000.DB"));
    m_csum = makeTable(QStringLiteral("CSumMP.DB"));
    m_setup = makeTable(QStringLiteral("Setup.db"));
    m_sumPovol = makeTable(QStringLiteral("SumPovol.db"));
    m_numPovol = makeTable(QStringLiteral("NumPovol.DB"));
    m_zpravod = makeTable(QStringLiteral("ZPRAVOD.db"));
    m_brigady = makeTable(QStringLiteral("Brigady.DB"));
    m_brigady->setFiltered(true);
    m_vycetka = makeTable(QStringLiteral("VYCETKA.db"));
    m_vahy = makeTable(QStringLiteral("VAHY.db"));
    m_vyrazeni = makeTable(QStringLiteral("Vyrazeni.DB"));
    m_vyrazeni->setIndexFieldNames(QStringLiteral("PRIJMENI"));
    m_vyznam = makeTable(QStringLiteral("Vyznam.db"));
    m_vyznam->setFiltered(true);
    m_povolSpare = makeTable(QStringLiteral("Povol.DB"));

    for (const char* table : {"Povol", "Brigady", "Vyznam"})
        m_db.ensureSearchIndex(QLatin1String(table), QStringLiteral("CLEN_CISLO"));
    for (Table* t :
         {m_clenove.get(), m_reviry.get(), m_setup.get(), m_zpravod.get(), m_brigady.get(),
          m_vycetka.get(), m_vahy.get(), m_vyrazeni.get(), m_vyznam.get()})
        t->open();
    attachRules();
}

TDataModule1::~TDataModule1() = default;

std::unique_ptr<Table> TDataModule1::makeTable(const QString& fileName)
{
    return std::make_unique<Table>(m_db, fileName);
}

QList<Table*> TDataModule1::allTables() const
{
    return {m_clenove.get(),   m_povol.get(),    m_povolSet.get(), m_povolSetClen.get(),
            m_reviry.get(),    m_sumar.get(),    m_csum.get(),     m_setup.get(),
            m_sumPovol.get(),  m_numPovol.get(), m_zpravod.get(),  m_brigady.get(),
            m_vycetka.get(),   m_vahy.get(),     m_vyrazeni.get(), m_vyznam.get(),
            m_povolSpare.get()};
}

void TDataModule1::DataModuleCreate()
{
    QString caption = upgrade50Caption;
    try {
        m_host.setUpgradeNotice(false, caption);
        upgradeOlderLayouts(caption);
        for (Table* t : {m_sumar.get(), m_csum.get(), m_clenove.get(), m_povol.get()})
            t->open();
        m_host.setEvaluatedBrigadeYear(QString::number(summaryYear()));
        m_host.setMemberCount(m_db.rowCount(m_clenove->storageName()));
        m_host.showAllMembers();
        m_clenove->setNotificationsEnabled(true);
        fillAwardKinds();
    } catch (const EngineError& e) {
        m_host.showError(e.message());
    }
}

void TDataModule1::upgradeOlderLayouts(QString& caption)
{
    const QList<Table*> feeCursors{m_povol.get(), m_sumPovol.get(), m_povolSet.get(),
                                   m_povolSetClen.get(), m_numPovol.get()};
    // One transaction: a start-up that is interrupted, or fails, leaves the data as it was,
    // and the next start does the whole upgrade again.
    try {
        Database::Transaction tx(m_db);
        for (Table* t : feeCursors)
            t->close();
        if (AddMiAndPostage()) {
            caption = upgrade510Caption;
            m_host.setUpgradeNotice(true, caption);
        }
        for (Table* t : feeCursors)
            t->open();
        if (AddCatchFish())
            m_host.setUpgradeNotice(true, caption);
        PrepareYearTables();
        requireKeys();
        m_db.setLayoutVersion(DataModel::layoutVersion);
        tx.commit();
    } catch (...) {
        m_host.setUpgradeNotice(false, caption);
        // Cursors opened inside the rolled-back transaction may know a layout that is gone.
        for (Table* t : feeCursors)
            t->close();
        throw;
    }
    reportBlankKeys();
    reportMissingFields();
}

void TDataModule1::reportMissingFields()
{
    // Told once here: a cursor missing a field would otherwise fail at every move.
    QStringList missing;
    for (const TableDef& model : DataModel::tables()) {
        if (!m_db.fileExists(model.name))
            continue;
        const TableDef& stored = m_db.tableDef(m_db.requireTable(model.name));
        for (const FieldDef& field : model.fields)
            if (stored.fieldIndex(field.name) < 0)
                missing << model.name + QLatin1Char('.') + field.name;
    }
    if (!missing.isEmpty())
        m_host.showError(QStringLiteral("V datech chybí pole, se kterými program pracuje (tabulka."
                                        "pole):\n\r%1\n\rKde je program potřebuje, bude hlásit "
                                        "chybu. Obnovte data z poslední dobré zálohy.")
                             .arg(missing.join(QStringLiteral(", "))));
}

bool TDataModule1::HasField(Table& table, const QString& fieldName)
{
    table.open();
    const bool found = table.fieldNames().contains(fieldName);
    table.close();
    return found;
}

void TDataModule1::ensureFields(const QString& table, const QStringList& names, bool& changed)
{
    // Each missing field goes right after the field that precedes it in the current layout,
    // so a table upgraded in part by an older program is completed, never given a field twice.
    const TableDef model = DataModel::table(table);
    QStringList present = m_db.tableDef(m_db.requireTable(table)).fieldNames();
    QList<QPair<int, FieldDef>> inserts;
    for (int i = 0; i < model.fields.size(); ++i) {
        const FieldDef& field = model.fields[i];
        if (!names.contains(field.name) || present.contains(field.name, Qt::CaseInsensitive))
            continue;
        const int after = i == 0 ? -1 : int(present.indexOf(model.fields[i - 1].name, 0));
        if (i > 0 && after < 0)
            throw EngineError(QStringLiteral("Tabulku %1 nelze převést: chybí v ní pole %2.")
                                  .arg(table, model.fields[i - 1].name));
        present.insert(after + 1, field.name);
        inserts.append({after + 1, field});
    }
    if (inserts.isEmpty())
        return;
    m_db.insertFields(table, inserts);
    changed = true;
}

bool TDataModule1::AddMiAndPostage()
{
    QStringList added{QStringLiteral("POSTOVNE"),   QStringLiteral("MI_ROCNI"),
                      QStringLiteral("MI_MESICNI"), QStringLiteral("MI_TYDEN"),
                      QStringLiteral("MI_CELOREP"), QStringLiteral("MI_MISTNI"),
                      QStringLiteral("MI_RAD")};
    bool changed = false;
    for (const char* table : {"POVOL", "SUMPOVOL", "POVOLSET"})
        ensureFields(QLatin1String(table), added, changed);
    added << QStringLiteral("MI_CELKEM") << QStringLiteral("MI_CESTNA");
    ensureFields(QStringLiteral("NUMPOVOL"), added, changed);
    return changed;
}

bool TDataModule1::AddCatchFish()
{
    bool weightRowFound = false;
    for (m_vahy->first(); !m_vahy->eof(); m_vahy->next())
        if (m_vahy->fieldByName(QStringLiteral("DB_NAME")).asString() ==
            QLatin1String("PODOUSTEV_KG"))
            weightRowFound = true;
    if (!weightRowFound) {
        m_vahy->append();
        m_vahy->fieldByName(QStringLiteral("DB_NAME")).setAsString(QStringLiteral("PODOUSTEV_KG"));
        m_vahy->fieldByName(QStringLiteral("USER_NAME")).setAsString(QStringLiteral("Podoustev"));
        m_vahy->fieldByName(QStringLiteral("KG_MIN")).setAsFloat(0.2);
        m_vahy->fieldByName(QStringLiteral("KG_MAX")).setAsFloat(0.8);
        m_vahy->post();
    }
    m_sumar->close();
    m_csum->close();
    const QStringList species{QStringLiteral("PODOUSTEV_KS"), QStringLiteral("PODOUSTEV_KG"),
                              QStringLiteral("RYBA_1_KS"),    QStringLiteral("RYBA_1_KG"),
                              QStringLiteral("RYBA_2_KS"),    QStringLiteral("RYBA_2_KG")};
    // Every catch table is checked on its own: one without the species would be read
    // wrongly from the species on, whatever the first year's table holds.
    QStringList files = m_db.findFiles(QStringLiteral("SuMP2*.DB"));
    files << m_db.findFiles(QStringLiteral("SuPS2*.DB")) << QStringLiteral("CSumMP")
          << QStringLiteral("CSumPS");
    bool changed = false;
    for (const QString& file : std::as_const(files))
        ensureFields(file.section(QLatin1Char('.'), 0, 0), species, changed);
    return changed;
}

void TDataModule1::requireKeys()
{
    m_blankKeys.clear();
    for (const TableDef& model : DataModel::tables()) {
        if (model.requiredFields.isEmpty() || !m_db.fileExists(model.name))
            continue;
        const TableDef& stored = m_db.tableDef(m_db.requireTable(model.name));
        for (const QString& field : model.requiredFields) {
            if (stored.fieldIndex(field) < 0 || stored.isRequired(field))
                continue;
            if (const int blank = m_db.blankCount(model.name, field); blank > 0)
                m_blankKeys << QStringLiteral("%1, pole %2: %3").arg(model.name, field).arg(blank);
            else
                m_db.requireFields(model.name, {field});
        }
    }
}

void TDataModule1::reportBlankKeys()
{
    if (m_blankKeys.isEmpty())
        return;
    m_host.showError(QStringLiteral("V datech jsou záznamy bez vyplněného klíče (tabulka, pole: "
                                    "počet):\n\r%1\n\rTakový záznam nelze znovu uložit, dokud "
                                    "klíč nedoplníte.")
                         .arg(m_blankKeys.join(QStringLiteral("\n\r"))));
}

void TDataModule1::PrepareYearTables()
{
    if (m_db.fileExists(QStringLiteral("SuMP2011.DB")))
        return;
    for (const char* kind : {"SuMP", "SuPS"}) {
        const QString source = QLatin1String(kind) + QStringLiteral("2010.DB");
        // A missing source leaves the years out; they are made when needed.
        for (int year = 2011; year <= 2020; ++year)
            m_db.copyFile(source,
                          QLatin1String(kind) + QString::number(year) + QStringLiteral(".DB"));
    }
}

int TDataModule1::summaryYear()
{
    // A year being typed is read as typed: moving the cursor would save it unchecked.
    if (!m_setup->isEditing())
        m_setup->first();
    return int(m_setup->fieldByName(QStringLiteral("PRACOVNI_ROK_SUM")).asInteger());
}

int TDataModule1::workingYear()
{
    if (!m_setup->isEditing())
        m_setup->first();
    return int(m_setup->fieldByName(QStringLiteral("PRACOVNI_ROK")).asInteger());
}

QString TDataModule1::SumarName_by_Year(Water kind)
{
    return (kind == Water::MP ? QStringLiteral("SuMP") : QStringLiteral("SuPS")) +
           QString::number(summaryYear()) + QStringLiteral(".DB");
}

bool TDataModule1::EnsureYearTables()
{
    const int year = summaryYear();
    if (year < 1990 || year > 2050) {
        m_host.showError(QStringLiteral("Chyba v letopočtu"));
        return false;
    }
    m_sumar->close();
    for (Water kind : {Water::MP, Water::PS}) {
        const QString name = SumarName_by_Year(kind);
        if (!m_db.fileExists(name))
            CreateYearTable(name);
    }
    // The catch window keeps its kind across a year change, so its labels and its table agree.
    m_sumar->setTableName(SumarName_by_Year(m_catchKind));
    m_sumar->open();
    m_host.markCatchOverviewStale();
    return true;
}

void TDataModule1::switchCatchKind(Water kind)
{
    const bool trout = kind == Water::PS;
    for (Table* t : {m_reviry.get(), m_sumar.get(), m_csum.get()})
        if (t->isEditing())
            t->post();
    m_catchKind = kind;
    m_reviry->close();
    m_reviry->setTableName(trout ? QStringLiteral("ReviryPS.DB") : QStringLiteral("ReviryMP.DB"));
    m_reviry->open();
    const bool yearOpen = m_sumar->isActive();
    m_sumar->close();
    m_sumar->setTableName(SumarName_by_Year(kind));
    if (yearOpen)
        m_sumar->open();
    const bool totalsOpen = m_csum->isActive();
    m_csum->close();
    m_csum->setTableName(trout ? QStringLiteral("CSumPS.DB") : QStringLiteral("CSumMP.DB"));
    if (totalsOpen)
        m_csum->open();
    m_host.markCatchOverviewStale();
}

bool TDataModule1::MarkSummaryReturned(Water kind)
{
    const int year = summaryYear();
    const bool memberWasEditing = m_clenove->isEditing();
    try {
        // Ended before the catch: the cursors must read the data as the rollback left them.
        Database::Transaction tx(m_db);
        const bool changed = markPaymentsReturned(kind, year);
        writeLastReturnYear(kind, year);
        tx.commit();
        return changed;
    } catch (...) {
        reloadAfterFailedMark(memberWasEditing);
        throw;
    }
}

bool TDataModule1::markPaymentsReturned(Water kind, int year)
{
    Table& payments = *m_povol;
    const QString markField =
        kind == Water::MP ? QStringLiteral("MP_VRACENO") : QStringLiteral("PS_VRACENO");
    bool changed = false;
    for (payments.first(); !payments.eof(); payments.next()) {
        if (payments.fieldByName(QStringLiteral("ROK")).asInteger() != year)
            continue;
        Field mark = payments.fieldByName(markField);
        if (mark.asString() != QStringLiteral("NE"))
            continue;
        payments.edit();
        mark.setAsString(QStringLiteral("ANO"));
        payments.post();
        changed = true;
    }
    return changed;
}

void TDataModule1::writeLastReturnYear(Water kind, int year)
{
    Table& members = *m_clenove;
    if (members.isEmpty())
        throw EngineError(QStringLiteral("Není vybrán žádný člen; sumář nelze označit."),
                          EngineError::Kind::State);
    members.edit();
    members
        .fieldByName(kind == Water::MP ? QStringLiteral("LAST_SUMAR_MP")
                                       : QStringLiteral("LAST_SUMAR_PS"))
        .setAsInteger(year);
    members.post();
}

void TDataModule1::reloadAfterFailedMark(bool memberWasEditing)
{
    // The marks went back with the transaction; the cursors must not show them as stored.
    for (Table* t : {m_povol.get(), m_clenove.get()}) {
        if (t == m_clenove.get() && memberWasEditing)
            continue;
        if (t->isEditing())
            t->cancel();
        else if (t->isActive())
            t->refresh();
    }
}

void TDataModule1::appendMemberNote(const QString& note)
{
    Table& members = *m_clenove;
    if (members.isEmpty())
        return;
    members.edit();
    Field notes = members.fieldByName(QStringLiteral("ZAZNAMY"));
    const QString earlier = notes.asString();
    notes.setAsString(earlier.isEmpty() ? note : earlier + QLatin1Char('\r') + note);
    members.fieldByName(QStringLiteral("POZOR")).setAsString(QStringLiteral("ZÁZNAM !"));
    members.post();
}

void TDataModule1::saveCatchReturn()
{
    m_markingReturn = true;
    const auto forget = qScopeGuard([this] { m_markingReturn = false; });
    const bool memberWasEditing = m_clenove->isEditing();
    try {
        m_sumar->post();
    } catch (...) {
        // The mark ran inside the row's transaction, which is rolled back only now: the
        // payment and member cursors read the data again as it is after the rollback.
        reloadAfterFailedMark(memberWasEditing);
        throw;
    }
}

void TDataModule1::CreateYearTable(const QString& fileName)
{
    m_host.confirmWithOk(QStringLiteral("Sumář ") + fileName +
                         QStringLiteral(" neexistuje, VYTVOŘIT ? "));
    TableDef def;
    def.name = fileName.section(QLatin1Char('.'), 0, 0);
    def.fields = DataModel::yearCatchFields();
    m_db.createTable(def);
}

void TDataModule1::ClearDataSet(Table& table)
{
    table.edit();
    if (table.isModified())
        table.post();
    else
        table.cancel();
    Database::Transaction tx(table.database());
    table.first();
    while (table.recordCount() > 0)
        table.deleteRecord();
    tx.commit();
}

bool TDataModule1::PrintsDirectly()
{
    m_setup->first();
    return m_setup->fieldByName(QStringLiteral("TISK")).asBoolean();
}

void TDataModule1::Update_All_Data()
{
    // One database file holds every table, so one checkpoint writes them all; posted
    // changes only, a pending edit stays pending.
    m_db.flush();
}

void TDataModule1::PostPendingEdits()
{
    for (Table* t : allTables())
        postPendingEdit(*t);
}

void TDataModule1::postPendingEdit(Table& table)
{
    if (!table.isEditing())
        return;
    // Text still in an input counts as typed into the record.
    if (table.updateRecord)
        table.updateRecord();
    if (table.isModified())
        table.post();
    else
        table.cancel();
}

void TDataModule1::fillAwardKinds()
{
    // Every award kind of every member, read beside the awards cursor: walking the cursor,
    // which the records tab shows, would make its grid follow each row.
    QStringList kinds;
    SqlStatement st = m_db.prepare(
        QStringLiteral("SELECT DRUH_VYZNAMENANI FROM %1")
            .arg(Database::quoteIdentifier(m_db.requireTable(m_vyznam->storageName()))));
    while (st.step()) {
        const QString kind = st.text(0);
        if (!kinds.contains(kind))
            kinds << kind;
    }
    // As the list has always been: with no award at all, one empty item.
    if (kinds.isEmpty())
        kinds << QString();
    m_host.setAwardKinds(CzechCollation::sorted(kinds));
}

namespace {

const QStringList mpKindNames{QStringLiteral("roční"), QStringLiteral("měsíc"),
                              QStringLiteral("14dnů"), QStringLiteral("7dnů "),
                              QStringLiteral("repub"), QStringLiteral("místn")};
const QStringList psKindNames{QStringLiteral("roční"), QStringLiteral("měsíc"),
                              QStringLiteral("7 dnů"), QStringLiteral("repub"),
                              QStringLiteral("místn")};
constexpr int firstMpPermit = 10;
constexpr int firstPsPermit = 17;

qint64 sumOfPositions(Table& table, int first, int count)
{
    qint64 sum = 0;
    for (int i = first; i < first + count; ++i)
        sum += table.field(i).asInteger();
    return sum;
}

const QString memberNumberField = QStringLiteral("CLEN_CISLO");

QString memberNumberOf(Table& table)
{
    return table.fieldByName(memberNumberField).asString();
}

} // namespace

void TDataModule1::runRule(void (TDataModule1::*rule)())
{
    try {
        (this->*rule)();
    } catch (const EngineError& e) {
        m_host.showErrorLater(e.message());
    }
}

void TDataModule1::attachRules()
{
    // Rules run inside the cursor operation that triggers them; an error in a rule is
    // shown and ends that rule, it never escapes into the signal delivery.
    const auto guarded = [this](void (TDataModule1::*rule)()) {
        return [this, rule] {
            runRule(rule);
        };
    };
    connect(m_clenove.get(), &DataSet::recordChanged, this,
            guarded(&TDataModule1::DataSourceClenoveDataChange));
    connect(m_clenove.get(), &DataSet::fieldChanged, this,
            guarded(&TDataModule1::DataSourceClenoveDataChange));
    connect(m_povol.get(), &DataSet::recordChanged, this,
            guarded(&TDataModule1::DataSourcePovolDataChange));
    connect(m_povol.get(), &DataSet::fieldChanged, this,
            guarded(&TDataModule1::DataSourcePovolDataChange));
    connect(m_vyrazeni.get(), &DataSet::recordChanged, this,
            guarded(&TDataModule1::DataSourceVyrazDataChange));
    attachMemberRules();
    m_povol->beforeDelete = [this](Table&) {
        m_host.printStornoReceipt();
    };
    m_povol->afterPost = [this](Table&) {
        if (!m_paidMember.isEmpty())
            recordPaidYear(m_paidMember, m_paidYear);
    };
    m_sumar->afterPost = [this](Table&) {
        // Inside the row's own transaction: a failed mark takes the row back to edit.
        if (m_markingReturn)
            MarkSummaryReturned(m_catchKind);
    };
    // The fee rows always belong to the working year; saved with the settings, at once.
    m_setup->afterPost = [this](Table&) {
        setFeeYear(workingYear());
    };
}

void TDataModule1::attachMemberRules()
{
    m_clenove->beforePost = [this](Table& t) {
        checkMemberNumber(t);
    };
    m_clenove->afterPost = [this](Table& t) {
        afterMemberPost(t);
    };
    m_clenove->onPostError = [this](Table&, EngineError& error) {
        m_host.setMemberEditable(true);
        // Only a taken number is reported as one; any other failure keeps its own text.
        if (error.kind() == EngineError::Kind::KeyViolation)
            error.setMessage(QStringLiteral("Členské číslo již použito"));
    };
    m_clenove->beforeDelete = [this](Table& t) {
        m_deletedMember = memberNumberOf(t);
    };
    m_clenove->afterDelete = [this](Table& t) {
        // Inside the delete's transaction: the member and its records go together.
        m_operations.removeMemberRecords(m_deletedMember, m_paymentsOfDeleted);
        m_host.setMemberCount(m_db.rowCount(t.storageName()));
    };
}

bool TDataModule1::isValidMemberNumber(const QString& number)
{
    static const QRegularExpression lettersAndDigits(QStringLiteral("^[0-9A-Za-z]+$"));
    return lettersAndDigits.match(number).hasMatch();
}

void TDataModule1::checkMemberNumber(Table& members)
{
    const QString number = memberNumberOf(members);
    if (number.trimmed().isEmpty())
        throw EngineError(QStringLiteral("Vyplňte členské číslo."), EngineError::Kind::Required);
    // A number kept from older data is left as it is; only a number typed now must be plain.
    if (members.originalValue(memberNumberField).toString() == number)
        return;
    if (!isValidMemberNumber(number))
        throw EngineError(QStringLiteral("Členské číslo „%1“ smí obsahovat jen písmena bez "
                                         "diakritiky a číslice, například 123, A12 nebo 12A.")
                              .arg(number),
                          EngineError::Kind::Conversion);
}

void TDataModule1::afterMemberPost(Table& members)
{
    // The number the edit began with, not a count or a filter, tells a renumbering: the
    // records follow whatever the window shows.
    const QVariant old = members.originalValue(memberNumberField);
    const QString posted = members.postedValue(memberNumberField).toString();
    if (!old.isNull() && old.toString() != posted)
        RenumberMember(old.toString(), posted);
    m_host.setMemberCount(m_db.rowCount(members.storageName()));
}

void TDataModule1::filterToMember(Table& table, const QString& number)
{
    table.setExactFilter(memberNumberField, number);
    table.setFiltered(true);
    table.open();
    table.first();
}

void TDataModule1::DataSourceClenoveDataChange()
{
    if (m_host.issueInProgress() || !m_clenove->isActive())
        return;
    const QString number = memberNumberOf(*m_clenove);
    // The member's records are walked here; what shows them follows once, at the end.
    const QuietCursor payments(*m_povol), brigades(*m_brigady), fees(*m_povolSetClen),
        awards(*m_vyznam);
    MemberFigures figures;
    try {
        filterToMember(*m_povol, number);
        findReturnMarks(summaryYear(), figures);
        workOutBrigade(number, figures);
        figures.noteOpen = !m_clenove->fieldByName(QStringLiteral("POZOR")).asString().isEmpty();
        figures.notesKnown = true;
    } catch (...) {
        // What was worked out before the failure is shown, as the old rule did.
        m_host.showMemberFigures(figures);
        throw;
    }
    m_host.showMemberFigures(figures);
    filterToMember(*m_vyznam, number);
}

void TDataModule1::findReturnMarks(int year, MemberFigures& figures)
{
    for (m_povol->first(); !m_povol->eof(); m_povol->next()) {
        if (m_povol->fieldByName(QStringLiteral("ROK")).asInteger() != year)
            continue;
        const auto decide = [this](MemberFigures::ReturnMark& mark, const char* field, Water kind) {
            const QString value = m_povol->fieldByName(QLatin1String(field)).asString();
            if (mark.shown || value.isEmpty())
                return;
            mark.shown = true;
            mark.permitKind = PermitKindLabel(kind);
            mark.returned = value == QLatin1String("ANO");
        };
        decide(figures.mp, "MP_VRACENO", Water::MP);
        decide(figures.ps, "PS_VRACENO", Water::PS);
    }
    m_povol->first();
}

void TDataModule1::workOutBrigade(const QString& number, MemberFigures& figures)
{
    bool yearOk = false;
    const QString yearText = m_host.evaluatedBrigadeYear();
    const int year = yearText.trimmed().toInt(&yearOk);
    if (!yearOk)
        throw EngineError(QStringLiteral("„%1“ není platný rok brigády.").arg(yearText),
                          EngineError::Kind::Conversion);
    filterToMember(*m_brigady, number);
    BrigadeHours hours;
    for (; !m_brigady->eof(); m_brigady->next()) {
        const QString dateText = m_brigady->fieldByName(QStringLiteral("DATUM")).asString();
        const QDate date = DateText::parse(dateText);
        if (!date.isValid())
            throw EngineError(QStringLiteral("„%1“ není platné datum brigády.").arg(dateText),
                              EngineError::Kind::Conversion);
        if (date.year() == year)
            hours.add(m_brigady->fieldByName(QStringLiteral("HODIN")).asFloat());
    }
    m_brigady->first();
    figures.hoursWorked = hours.text();

    m_povolSetClen->setExactFilter(QStringLiteral("KATEGORIE"),
                                   m_clenove->fieldByName(QStringLiteral("KATEGORIE")).asString());
    m_povolSetClen->open();
    m_povolSetClen->first();
    figures.hoursRequired =
        m_povolSetClen->isEmpty()
            ? 0
            : m_povolSetClen->fieldByName(QStringLiteral("BRIG_HODIN")).asInteger();
    figures.brigadeDone = hours.meets(figures.hoursRequired);
    figures.brigadeKnown = true;
}

QString TDataModule1::PermitKindLabel(Water kind)
{
    const QStringList& names = kind == Water::MP ? mpKindNames : psKindNames;
    const int first = kind == Water::MP ? firstMpPermit : firstPsPermit;
    QString label = QStringLiteral("čest");
    for (int i = 0; i < names.size(); ++i)
        if (m_povol->field(first + i).asInteger() > 0)
            label = names[i];
    return label;
}

void TDataModule1::DataSourcePovolDataChange()
{
    if (!m_povol->isActive() || m_povol->isEmpty()) {
        m_host.setHonoraryPermitShown(false);
        return;
    }
    const qint64 mp = sumOfPositions(*m_povol, firstMpPermit, int(mpKindNames.size()));
    const qint64 ps = sumOfPositions(*m_povol, firstPsPermit, int(psKindNames.size()));
    const bool mpMark = !m_povol->fieldByName(QStringLiteral("MP_VRACENO")).asString().isEmpty();
    const bool psMark = !m_povol->fieldByName(QStringLiteral("PS_VRACENO")).asString().isEmpty();
    m_host.setHonoraryPermitShown((mp == 0 && mpMark) || (ps == 0 && psMark));
}

void TDataModule1::DataSourceVyrazDataChange()
{
    m_host.setRemovedCount(m_vyrazeni->recordCount());
}

// ---- operations ---------------------------------------------------------------------------

void TDataModule1::RenumberMember(const QString& oldNumber, const QString& newNumber)
{
    // Awards follow the member too, so they stay visible under the new number.
    m_operations.moveMemberRecords(oldNumber, newNumber);
    // The rule ran when the member was posted, before the records moved. Figures that cannot
    // be worked out are reported as at any other time; they do not take the renumbering back.
    runRule(&TDataModule1::DataSourceClenoveDataChange);
}

void TDataModule1::deleteMember(Payments payments)
{
    if (m_clenove->isEmpty() && m_clenove->state() != DataSet::State::Insert)
        return;
    m_paymentsOfDeleted = payments;
    try {
        m_clenove->deleteRecord();
    } catch (...) {
        m_paymentsOfDeleted = Payments::Delete;
        throw;
    }
    m_paymentsOfDeleted = Payments::Delete;
}

void TDataModule1::removeCurrentMember()
{
    // A member still being typed is saved first, so the record removed is the one shown.
    PostPendingEdits();
    if (m_clenove->isEmpty())
        return;
    removeMembers({memberNumberOf(*m_clenove)});
}

int TDataModule1::removeMembers(const QStringList& numbers)
{
    int gone = 0;
    runBulkChange([&] { gone = m_removal.removeMembers(numbers); });
    m_host.setMemberCount(m_db.rowCount(m_clenove->storageName()));
    showRemovedFromFirst();
    return gone;
}

void TDataModule1::showRemovedFromFirst()
{
    if (!m_vyrazeni->isActive())
        m_vyrazeni->open();
    m_vyrazeni->first();
    DataSourceVyrazDataChange();
}

bool TDataModule1::returnRemovedMember()
{
    PostPendingEdits();
    if (!m_vyrazeni->isActive() || m_vyrazeni->isEmpty())
        return true;
    const QString number = memberNumberOf(*m_vyrazeni);
    auto result = MemberRemoval::Return::NotRemoved;
    runBulkChange([&] { result = m_removal.returnMember(number); });
    if (result == MemberRemoval::Return::NumberTaken)
        return false;
    DataSourceVyrazDataChange();
    m_host.setMemberCount(m_db.rowCount(m_clenove->storageName()));
    m_clenove->setIndexFieldNames(QStringLiteral("PRIJMENI"));
    m_clenove->locate(memberNumberField, number, false);
    return true;
}

void TDataModule1::deleteRemovedMembers()
{
    runBulkChange([this] { m_removal.deleteAllRemoved(); });
    showRemovedFromFirst();
}

void TDataModule1::grantAward(const QString& kind)
{
    if (kind.trimmed().isEmpty())
        throw EngineError(QStringLiteral("Napište nebo vyberte druh vyznamenání; vyznamenání bez "
                                         "názvu se neukládá."),
                          EngineError::Kind::Required);
    // The award belongs to the member as saved, not to a number still being typed.
    postPendingEdit(*m_clenove);
    if (m_clenove->isEmpty())
        throw EngineError(QStringLiteral("Není vybrán žádný člen, vyznamenání nelze udělit."),
                          EngineError::Kind::State);
    Table& awards = *m_vyznam;
    postPendingEdit(awards);
    awards.append();
    try {
        awards.fieldByName(memberNumberField).setAsString(memberNumberOf(*m_clenove));
        awards.fieldByName(QStringLiteral("DATUM_UDELENI")).setAsDate(QDate::currentDate());
        awards.fieldByName(QStringLiteral("DRUH_VYZNAMENANI")).setAsString(kind);
        awards.post();
    } catch (...) {
        awards.cancel();
        throw;
    }
}

void TDataModule1::OpenScanner(const QString& port, const QString& speed)
{
    const QString problem = m_scanner.open(port, speed);
    if (!m_scanTimer.isActive())
        m_scanTimer.start();
    if (!problem.isEmpty())
        m_host.showError(problem);
}

void TDataModule1::ScanTick()
{
    if (m_takingScans)
        return;
    m_takingScans = true;
    const auto done = qScopeGuard([this] { m_takingScans = false; });
    for (const QString& number : m_scanner.tick())
        takeScan(number);
}

void TDataModule1::takeScan(const QString& number)
{
    m_host.soundScan();
    try {
        // A return being typed is saved while its member is still the current one, for saving
        // it marks the current member's return as handed in.
        m_host.saveEntryBeforeScan();
        if (!m_clenove->locate(memberNumberField, number, true)) {
            m_host.showError(QStringLiteral("Člen ") + number + QStringLiteral(" NEEXISTUJE !!!"));
            return;
        }
        m_host.startScannedEntry();
    } catch (const EngineError& e) {
        m_host.showError(e.message());
    }
}

void TDataModule1::recordIssue(bool membershipPaid)
{
    Table& payment = *m_povol;
    if (!payment.isEditing())
        throw EngineError(QStringLiteral("Žádná povolenka se právě nevydává."),
                          EngineError::Kind::State);
    const QString number = payment.fieldByName(memberNumberField).asString();
    const QVariant year = payment.fieldByName(QStringLiteral("ROK")).value();
    if (number.trimmed().isEmpty())
        throw EngineError(QStringLiteral("Povolenka nemá člena; nelze ji uložit."),
                          EngineError::Kind::Required);
    if (year.isNull())
        throw EngineError(QStringLiteral("Povolenka nemá rok, pro který platí (v nastavení chybí "
                                         "řádek poplatků pro kategorii člena); nelze ji uložit."),
                          EngineError::Kind::Required);
    // The year goes in the payment's after-post event, inside the payment's own transaction:
    // when anything of the two fails, the post returns the payment to edit with what was filled
    // in, instead of leaving a cursor that thinks a rolled-back payment is stored.
    if (membershipPaid) {
        m_paidMember = number;
        m_paidYear = int(year.toLongLong());
    }
    const auto forget = qScopeGuard([this] { m_paidMember.clear(); });
    const bool memberWasEditing = m_clenove->isEditing();
    try {
        payment.post();
    } catch (...) {
        // The member's row went back with the payment; its cursor must not keep the year to
        // save with the next move, nor show it.
        if (!memberWasEditing) {
            if (m_clenove->isEditing())
                m_clenove->cancel();
            else if (m_clenove->isActive())
                m_clenove->refresh();
        }
        throw;
    }
}

void TDataModule1::recordPaidYear(const QString& number, int year)
{
    Table& members = *m_clenove;
    if (members.isEmpty() || memberNumberOf(members) != number)
        throw EngineError(
            QStringLiteral("Člen %1 není vybrán; placené členství nelze zapsat.").arg(number),
            EngineError::Kind::State);
    const Field paid = members.fieldByName(QStringLiteral("LAST_CLENSTVI"));
    // A payment for an earlier year never takes back a later year paid.
    if (!paid.isNull() && paid.asInteger() >= year)
        return;
    const bool editStartsHere = !members.isEditing();
    members.edit();
    try {
        members.fieldByName(QStringLiteral("LAST_CLENSTVI")).setAsInteger(year);
        members.post();
    } catch (...) {
        // The issue is undone: the member shows the year it really has paid.
        if (editStartsHere)
            members.cancel();
        throw;
    }
}

void TDataModule1::setFeeYear(int year)
{
    // A fee row still being edited is saved first, so its year is not overwritten by it.
    for (Table* fees : {m_povolSet.get(), m_povolSetClen.get()})
        if (fees->isEditing())
            fees->post();
    m_operations.setFeeYear(year);
    refreshFeeRows();
}

void TDataModule1::refreshFeeRows()
{
    for (Table* fees : {m_povolSet.get(), m_povolSetClen.get()})
        if (fees->isActive())
            fees->refresh();
}

int TDataModule1::deleteOldBrigades(int year)
{
    const int removed = m_operations.deleteBrigadesUpTo(year);
    // The hours of the current member may have lost records of the evaluated year; the rows
    // are gone whether or not the figures can be worked out.
    runRule(&TDataModule1::DataSourceClenoveDataChange);
    return removed;
}

void TDataModule1::runBulkChange(const std::function<void()>& change)
{
    PostPendingEdits();
    QHash<Table*, quint64> seenVersions;
    for (Table* t : allTables())
        seenVersions.insert(t, m_db.version(t->storageName()));
    try {
        change();
    } catch (EngineError& e) {
        e.setMessage(QStringLiteral("Úprava dat se nepodařila, data zůstala beze změny.\n\r") +
                     e.message());
        throw;
    }
    refreshChangedCursors(seenVersions);
    runRule(&TDataModule1::DataSourceClenoveDataChange);
}

void TDataModule1::refreshChangedCursors(const QHash<Table*, quint64>& seenVersions)
{
    // The change is stored; a cursor that cannot show it is reported, and shows it at its next
    // move.
    try {
        for (Table* t : allTables())
            if (t->isActive() && m_db.version(t->storageName()) != seenVersions.value(t))
                t->refresh();
    } catch (const EngineError& e) {
        m_host.showErrorLater(e.message());
    }
}
