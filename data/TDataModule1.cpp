#include "TDataModule1.h"

#include "CzechCollation.h"
#include "DataModel.h"
#include "DataModuleHost.h"
#include "DateText.h"
#include "EngineError.h"
#include "FieldValue.h"
#include "LocalSql.h"

#include <algorithm>

namespace {

const QString upgrade50Caption = QStringLiteral("Upgrade 5.0 proveden");
const QString upgrade510Caption = QStringLiteral("Upgrade 5.10 proveden");

QList<QPair<int, FieldDef>> integersAt(int firstPosition, const QStringList& names)
{
    QList<QPair<int, FieldDef>> inserts;
    for (int i = 0; i < names.size(); ++i)
        inserts.append({firstPosition + i, FieldDef::integer(names[i])});
    return inserts;
}

} // namespace

TDataModule1::TDataModule1(Database& db, DataModuleHost& host, QObject* parent)
    : QObject(parent)
    , m_db(db)
    , m_host(host)
{
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
        if (!HasField(*m_povolSpare, QStringLiteral("POSTOVNE"))) {
            for (Table* t : {m_povol.get(), m_sumPovol.get(), m_povolSet.get(),
                             m_povolSetClen.get(), m_numPovol.get()})
                t->close();
            AddMiAndPostage();
            caption = upgrade510Caption;
            m_host.setUpgradeNotice(true, caption);
        }
        for (Table* t : {m_povolSetClen.get(), m_sumPovol.get(), m_povolSet.get(), m_numPovol.get(),
                         m_povol.get()})
            t->open();
        if (AddCatchSpecies())
            m_host.setUpgradeNotice(true, caption);
        PrepareYearTables();
        for (Table* t : {m_sumar.get(), m_csum.get(), m_clenove.get(), m_povol.get()})
            t->open();
        m_host.setEvaluatedBrigadeYear(QString::number(summaryYear()));
        m_host.setMemberCount(m_clenove->recordCount());
        m_host.showAllMembers();
        m_clenove->setNotificationsEnabled(true);
        EditedMemberNumber.clear();
        EditedMemberCount = m_clenove->recordCount();
        KeepPaymentsOnDelete = false;
        StornoPrintArmed = true;
        fillAwardKinds();
    } catch (const EngineError& e) {
        m_host.showError(e.message());
    }
}

bool TDataModule1::HasField(Table& table, const QString& fieldName)
{
    table.open();
    const bool found = table.fieldNames().contains(fieldName);
    table.close();
    return found;
}

void TDataModule1::AddMiAndPostage()
{
    const QStringList mi{QStringLiteral("MI_ROCNI"),  QStringLiteral("MI_MESICNI"),
                         QStringLiteral("MI_TYDEN"),  QStringLiteral("MI_CELOREP"),
                         QStringLiteral("MI_MISTNI"), QStringLiteral("MI_RAD")};
    const auto miAndPostage = [&](const QString& table) {
        m_db.insertFields(table, integersAt(22, mi));
        m_db.insertFields(table, integersAt(9, {QStringLiteral("POSTOVNE")}));
    };
    miAndPostage(QStringLiteral("POVOL"));
    miAndPostage(QStringLiteral("SUMPOVOL"));
    miAndPostage(QStringLiteral("NUMPOVOL"));
    m_db.insertFields(QStringLiteral("NUMPOVOL"), integersAt(33, {QStringLiteral("MI_CELKEM")}));
    m_db.insertFields(QStringLiteral("NUMPOVOL"), integersAt(31, {QStringLiteral("MI_CESTNA")}));
    miAndPostage(QStringLiteral("POVOLSET"));
}

bool TDataModule1::AddCatchSpecies()
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
    if (HasField(*m_sumar, QStringLiteral("PODOUSTEV_KS")))
        return false;

    const QList<QPair<int, FieldDef>> species{
        {22, FieldDef::integer(QStringLiteral("PODOUSTEV_KS"))},
        {23, FieldDef::real(QStringLiteral("PODOUSTEV_KG"))},
        {24, FieldDef::integer(QStringLiteral("RYBA_1_KS"))},
        {25, FieldDef::real(QStringLiteral("RYBA_1_KG"))},
        {26, FieldDef::integer(QStringLiteral("RYBA_2_KS"))},
        {27, FieldDef::real(QStringLiteral("RYBA_2_KG"))}};
    QStringList files = m_db.findFiles(QStringLiteral("SuMP2*.DB"));
    files << m_db.findFiles(QStringLiteral("SuPS2*.DB")) << QStringLiteral("CSumMP")
          << QStringLiteral("CSumPS");
    for (const QString& file : std::as_const(files))
        m_db.insertFields(file.section(QLatin1Char('.'), 0, 0), species);
    return true;
}

void TDataModule1::PrepareYearTables()
{
    if (m_db.fileExists(QStringLiteral("SuMP2011.DB")))
        return;
    for (const char* kind : {"SuMP", "SuPS"}) {
        const QString source = QLatin1String(kind) + QStringLiteral("2010.DB");
        for (int year = 2011; year <= 2020; ++year) {
            try {
                m_db.copyFile(source,
                              QLatin1String(kind) + QString::number(year) + QStringLiteral(".DB"));
            } catch (const EngineError&) {
                // A copy that fails is left out; the year's tables are made when needed.
            }
        }
    }
}

int TDataModule1::summaryYear()
{
    m_setup->first();
    return int(m_setup->fieldByName(QStringLiteral("PRACOVNI_ROK_SUM")).asInteger());
}

int TDataModule1::workingYear()
{
    m_setup->first();
    return int(m_setup->fieldByName(QStringLiteral("PRACOVNI_ROK")).asInteger());
}

QString TDataModule1::SumarName_by_Year(Water kind)
{
    return (kind == Water::MP ? QStringLiteral("SuMP") : QStringLiteral("SuPS")) +
           QString::number(summaryYear()) + QStringLiteral(".DB");
}

void TDataModule1::EnsureYearTables()
{
    const int year = summaryYear();
    if (year < 1990 || year > 2050) {
        m_host.showError(QStringLiteral("Chyba v letopočtu"));
        return;
    }
    m_sumar->close();
    for (Water kind : {Water::MP, Water::PS}) {
        const QString name = SumarName_by_Year(kind);
        if (!m_db.fileExists(name))
            CreateYearTable(name);
    }
    m_sumar->setTableName(SumarName_by_Year(Water::MP));
    m_sumar->open();
    m_host.markCatchOverviewStale();
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
    for (Table* t : allTables()) {
        if (!t->isEditing())
            continue;
        // Text still in an input counts as typed into the record.
        if (t->updateRecord)
            t->updateRecord();
        if (t->isModified())
            t->post();
        else
            t->cancel();
    }
}

void TDataModule1::fillAwardKinds()
{
    QStringList kinds;
    m_vyznam->setFiltered(false);
    m_vyznam->first();
    // The body runs once before the end test: an empty table leaves one empty item.
    do {
        const QString kind = m_vyznam->fieldByName(QStringLiteral("DRUH_VYZNAMENANI")).asString();
        if (!kinds.contains(kind))
            kinds << kind;
        m_vyznam->next();
    } while (!m_vyznam->eof());
    std::sort(kinds.begin(), kinds.end(),
              [](const QString& a, const QString& b) { return CzechCollation::compare(a, b) < 0; });
    m_host.setAwardKinds(kinds);
    m_vyznam->setFiltered(true);
    m_vyznam->first();
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

QString memberNumberFilter(const QString& number)
{
    return QStringLiteral("CLEN_CISLO=") + LocalSql::quoted(number);
}

} // namespace

void TDataModule1::attachRules()
{
    // Rules run inside the cursor operation that triggers them; an error in a rule is
    // shown and ends that rule, it never escapes into the signal delivery.
    const auto guarded = [this](auto rule) {
        return [this, rule] {
            try {
                (this->*rule)();
            } catch (const EngineError& e) {
                m_host.showError(e.message());
            }
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

    m_clenove->beforeInsert = [this](Table&) {
        EditedMemberNumber.clear();
    };
    m_clenove->beforeEdit = [this](Table& t) {
        EditedMemberNumber = t.fieldByName(QStringLiteral("CLEN_CISLO")).asString();
        EditedMemberCount = t.recordCount();
    };
    m_clenove->afterPost = [this](Table& t) {
        if (EditedMemberNumber.isEmpty() || t.recordCount() < EditedMemberCount)
            return;
        const QString posted = t.fieldByName(QStringLiteral("CLEN_CISLO")).asString();
        if (posted != EditedMemberNumber)
            RenumberMember(EditedMemberNumber, posted);
        m_host.setMemberCount(t.recordCount());
    };
    m_clenove->onPostError = [this](Table&, EngineError& error) {
        m_host.setMemberEditable(true);
        // Only a taken number is reported as one; any other failure keeps its own text.
        if (error.kind() == EngineError::Kind::KeyViolation)
            error.setMessage(QStringLiteral("Členské číslo již použito"));
    };
    m_clenove->beforeDelete = [this](Table& t) {
        DeletedMemberNumber = t.fieldByName(QStringLiteral("CLEN_CISLO")).asString();
    };
    m_clenove->afterDelete = [this](Table& t) {
        StornoPrintArmed = false;
        try {
            RemoveMemberDependents(DeletedMemberNumber);
        } catch (...) {
            StornoPrintArmed = true;
            throw;
        }
        m_host.setMemberCount(t.recordCount());
        StornoPrintArmed = true;
    };
    m_povol->beforeDelete = [this](Table&) {
        if (StornoPrintArmed)
            m_host.printStornoReceipt();
    };
}

void TDataModule1::filterToMember(Table& table, const QString& number)
{
    table.setFilter(memberNumberFilter(number));
    table.setFiltered(true);
    table.open();
    table.first();
}

void TDataModule1::DataSourceClenoveDataChange()
{
    if (IssuingMode || !m_clenove->isActive())
        return;
    const QString number = m_clenove->fieldByName(QStringLiteral("CLEN_CISLO")).asString();
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
    double hours = 0;
    for (; !m_brigady->eof(); m_brigady->next()) {
        const QString dateText = m_brigady->fieldByName(QStringLiteral("DATUM")).asString();
        const QDate date = DateText::parse(dateText);
        if (!date.isValid())
            throw EngineError(QStringLiteral("„%1“ není platné datum brigády.").arg(dateText),
                              EngineError::Kind::Conversion);
        if (date.year() == year)
            hours += m_brigady->fieldByName(QStringLiteral("HODIN")).asFloat();
    }
    m_brigady->first();
    figures.hoursWorked = FieldValue::formatFloat(hours);

    m_povolSetClen->setFilter(
        QStringLiteral("KATEGORIE=") +
        LocalSql::quoted(m_clenove->fieldByName(QStringLiteral("KATEGORIE")).asString()));
    m_povolSetClen->open();
    m_povolSetClen->first();
    figures.hoursRequired =
        m_povolSetClen->isEmpty()
            ? 0
            : m_povolSetClen->fieldByName(QStringLiteral("BRIG_HODIN")).asInteger();
    figures.brigadeDone = double(figures.hoursRequired) <= hours;
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

void TDataModule1::moveRowsToMember(Table& table, const QString& oldNumber,
                                    const QString& newNumber)
{
    filterToMember(table, oldNumber);
    // Each new filter posts the row changed before; the last one is posted by the
    // filter on the new number.
    for (int guard = table.recordCount(); table.recordCount() > 0 && guard >= 0; --guard) {
        table.setFilter(memberNumberFilter(oldNumber));
        if (table.isEmpty())
            break;
        table.first();
        table.edit();
        table.fieldByName(QStringLiteral("CLEN_CISLO")).setAsString(newNumber);
        if (table.recordCount() == 1)
            break;
    }
    table.setFilter(memberNumberFilter(newNumber));
}

void TDataModule1::RenumberMember(const QString& oldNumber, const QString& newNumber)
{
    // Awards follow the member too, so they stay visible under the new number.
    for (Table* t : {m_povol.get(), m_brigady.get(), m_vyznam.get()})
        moveRowsToMember(*t, oldNumber, newNumber);
}

void TDataModule1::RemoveMemberDependents(const QString& number)
{
    filterToMember(*m_povol, number);
    if (KeepPaymentsOnDelete) {
        while (m_povol->recordCount() > 0) {
            m_povol->first();
            m_povol->edit();
            m_povol->fieldByName(QStringLiteral("CLEN_CISLO")).setAsString(QStringLiteral("00000"));
            m_povol->post();
        }
    } else {
        while (m_povol->recordCount() > 0) {
            m_povol->first();
            m_povol->deleteRecord();
        }
    }
    KeepPaymentsOnDelete = false;
    for (Table* t : {m_brigady.get(), m_vyznam.get()}) {
        filterToMember(*t, number);
        while (t->recordCount() > 0) {
            t->first();
            t->deleteRecord();
        }
    }
}
