#pragma once

#include "Database.h"
#include "MemberFigures.h"
#include "Table.h"

#include <QObject>

#include <memory>

class DataModuleHost;

// The one owner of a cursor on every table, of the data start-up (upgrades of older
// layouts, year catch tables) and of the shared data operations the windows call.
class TDataModule1 : public QObject {
    Q_OBJECT
public:
    enum class Water { MP, PS };

    // Opens the cursors that are open from creation; a missing table throws the
    // engine's error (the program cannot start without it).
    TDataModule1(Database& db, DataModuleHost& host, QObject* parent = nullptr);
    ~TDataModule1() override;

    Database& database() const { return m_db; }

    // The start-up, steps 1–11; an error is shown and ends the start-up early.
    void DataModuleCreate();

    // "SuMP2012.DB" / "SuPS2012.DB" for the summary year of Setup.db.
    QString SumarName_by_Year(Water kind);
    // Checks the summary year, creates missing year catch tables, opens the MP one.
    void EnsureYearTables();
    void CreateYearTable(const QString& fileName);
    // Posts a pending change of the cursor, then deletes every row of its view.
    static void ClearDataSet(Table& table);
    bool PrintsDirectly();
    // PRACOVNI_ROK_SUM and PRACOVNI_ROK of Setup.db.
    int summaryYear();
    int workingYear();
    bool HasField(Table& table, const QString& fieldName);
    // Writes the cached changes of every table to disk, in the fixed order.
    void Update_All_Data();
    // Posts what any cursor still holds in edit or insert. Throws the engine's error
    // of the first post that fails; that cursor stays in edit.
    void PostPendingEdits();

    // The upgrades, run by the start-up.
    void AddMiAndPostage();
    // True when it restructured the catch tables.
    bool AddCatchSpecies();
    void PrepareYearTables();

    // The cursors, named as the reports and windows know them.
    Table& TableClenove() { return *m_clenove; }
    Table& TablePovol() { return *m_povol; }
    Table& TablePovolSet() { return *m_povolSet; }         // all fee rows (settings window)
    Table& TablePovolSetClen() { return *m_povolSetClen; } // the current member's fee row
    Table& TableReviry() { return *m_reviry; }
    Table& TableSumar() { return *m_sumar; } // the open year catch table
    Table& TableCSum() { return *m_csum; }   // the open district totals
    Table& TableSetup() { return *m_setup; }
    Table& TableSumPovol() { return *m_sumPovol; }
    Table& TableNumPovol() { return *m_numPovol; }
    Table& TableZpravod() { return *m_zpravod; }
    Table& TableBrigady() { return *m_brigady; }
    Table& TableVycetka() { return *m_vycetka; }
    Table& TableVahy() { return *m_vahy; }
    Table& TableVyrazeni() { return *m_vyrazeni; }
    Table& TableVyznam() { return *m_vyznam; }
    Table& TablePovolSpare() { return *m_povolSpare; }

    // Every cursor, for flushing and posting.
    QList<Table*> allTables() const;

    // The record rules.
    void DataSourceClenoveDataChange();
    void DataSourcePovolDataChange();
    void DataSourceVyrazDataChange();
    // The permit kind shown for the current payment record: the last kind above 0, or
    // "čest" for an honorary permit.
    QString PermitKindLabel(Water kind);
    void RenumberMember(const QString& oldNumber, const QString& newNumber);
    void RemoveMemberDependents(const QString& number);

    // The rule state.
    QString EditedMemberNumber;
    int EditedMemberCount = 0;
    QString DeletedMemberNumber;
    bool KeepPaymentsOnDelete = false;
    bool StornoPrintArmed = true;
    // While the members window issues a payment, the member-change rule rests.
    bool IssuingMode = false;

private:
    std::unique_ptr<Table> makeTable(const QString& fileName);
    void attachRules();
    void findReturnMarks(int year, MemberFigures& figures);
    void workOutBrigade(const QString& number, MemberFigures& figures);
    void filterToMember(Table& table, const QString& number);
    void moveRowsToMember(Table& table, const QString& oldNumber, const QString& newNumber);
    void fillAwardKinds();

    Database& m_db;
    DataModuleHost& m_host;
    std::unique_ptr<Table> m_clenove, m_povol, m_povolSet, m_povolSetClen, m_reviry, m_sumar,
        m_csum, m_setup, m_sumPovol, m_numPovol, m_zpravod, m_brigady, m_vycetka, m_vahy,
        m_vyrazeni, m_vyznam, m_povolSpare;
};
