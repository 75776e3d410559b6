#pragma once

#include "BarcodeScanner.h"
#include "ChapterOperations.h"
#include "Database.h"
#include "MemberFigures.h"
#include "MemberRemoval.h"
#include "Table.h"

#include <QObject>
#include <QTimer>

#include <functional>
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
    // Checks the summary year, creates missing year catch tables, opens the MP one. False
    // when the year is refused (the message is shown, nothing is created).
    bool EnsureYearTables();
    void CreateYearTable(const QString& fileName);
    // Posts a pending change of the cursor, then deletes every row of its view.
    static void ClearDataSet(Table& table);
    bool PrintsDirectly();

    // The kind of water the catch-return window works on; the district, year catch and
    // district totals cursors follow it.
    Water catchKind() const { return m_catchKind; }
    // Reopens the three cursors on the kind's tables and marks the catch overview stale.
    void switchCatchKind(Water kind);
    // Marks the catch return of the current member as handed in for the summary year: every
    // payment row of that year with the kind's mark "NE" gets "ANO", and the member's last
    // return year of the kind becomes the summary year. True when a mark changed. One
    // transaction; a failure throws the engine's error and leaves both tables as they were.
    bool MarkSummaryReturned(Water kind);
    // Saves the year catch row being edited and marks the member's return of the catch kind,
    // together or not at all; the row stays in edit when they fail.
    void saveCatchReturn();
    // Adds a note to the current member's notes, on a line of its own, and marks the member
    // as having an open note.
    void appendMemberNote(const QString& note);
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
    // True when they changed a layout.
    bool AddMiAndPostage();
    // True when it restructured the catch tables.
    bool AddCatchFish();
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

    // The chapter's operations on members: each is one transaction, all of it or nothing.
    using Payments = ChapterOperations::Payments;
    // Moves the payments, brigades and awards of a renumbered member to the new number.
    // Runs by itself when a member is saved under another number.
    void RenumberMember(const QString& oldNumber, const QString& newNumber);
    // Deletes the current member with its brigades and awards; the payments are deleted
    // or kept under "00000". Deleting the member row any other way deletes the payments.
    void deleteMember(Payments payments);
    // Stores the payment being issued in the payments cursor and, when the membership fee
    // is part of it, the year paid on the current member, never lowering a year paid
    // already. Refuses a payment without its member or year; nothing is stored then and
    // the payment stays in edit.
    void recordIssue(bool membershipPaid);
    // Every fee row gets the year; runs by itself when the chapter settings are saved.
    void setFeeYear(int year);
    // Deletes every member's brigade work dated up to the end of the year; the count.
    int deleteOldBrigades(int year);
    // Runs a change of many rows made beside the cursors, such as a correction of the whole
    // register. What a cursor holds in edit is saved first, so it is neither lost nor written
    // over the change; afterwards the cursors and the member's figures show the result. A
    // failed change throws its error, saying that nothing of it was stored.
    void runBulkChange(const std::function<void()>& change);

    // "Vyřadit člena": the current member goes over to the removed members and its payments,
    // brigades and awards are deleted, all of it or nothing; the removed members then show
    // from the first.
    void removeCurrentMember();
    // The members of the numbers go over the same way, all of them or none; how many went.
    int removeMembers(const QStringList& numbers);
    // "Vrátit člena do evidence": the removed member the cursor stands on goes back into the
    // register, in surname order, as the current member. False, with nothing changed, while
    // a member holds its number.
    bool returnRemovedMember();
    // "Trvale vyřadit ": every removed member is deleted for good.
    void deleteRemovedMembers();
    // "Udělit": an award of the kind, dated today, for the current member. An empty kind is
    // refused with the engine's error, and nothing is stored.
    void grantAward(const QString& kind);

    // The barcode scanner on the port ("COM1" … or a device path) at the speed, in place of a
    // port open before. A port that is missing or in use leaves the program without a scanner,
    // silently; any other failure is shown, and the program goes on without one.
    void OpenScanner(const QString& port, const QString& speed);
    BarcodeScanner& scanner() { return m_scanner; }
    // The poll timer's tick, every second for the whole run: each member number scanned since
    // the last tick is heard, becomes the current member (letter case ignored) and has the
    // window in front start its entry; a number no member has is told.
    void ScanTick();
    QTimer& scanTimer() { return m_scanTimer; }

    // A member number as the user may type it: letters and digits only.
    static bool isValidMemberNumber(const QString& number);

private:
    std::unique_ptr<Table> makeTable(const QString& fileName);
    // Runs a record rule; its error is shown, it never stops what triggered the rule.
    void runRule(void (TDataModule1::*rule)());
    void attachRules();
    void attachMemberRules();
    void upgradeOlderLayouts(QString& caption);
    void ensureFields(const QString& table, const QStringList& names, bool& changed);
    void requireKeys();
    void reportBlankKeys();
    void reportMissingFields();
    void checkMemberNumber(Table& members);
    void afterMemberPost(Table& members);
    void findReturnMarks(int year, MemberFigures& figures);
    void workOutBrigade(const QString& number, MemberFigures& figures);
    void filterToMember(Table& table, const QString& number);
    void refreshFeeRows();
    void refreshChangedCursors(const QHash<Table*, quint64>& seenVersions);
    void recordPaidYear(const QString& number, int year);
    void fillAwardKinds();
    bool markPaymentsReturned(Water kind, int year);
    void writeLastReturnYear(Water kind, int year);
    void reloadAfterFailedMark(bool memberWasEditing);
    static void postPendingEdit(Table& table);
    void takeScan(const QString& number);
    void showRemovedFromFirst();

    Database& m_db;
    DataModuleHost& m_host;
    ChapterOperations m_operations;
    MemberRemoval m_removal;
    // The number of the member being deleted and what becomes of its payments, for the
    // delete's after-event; payments go unless deleteMember says otherwise.
    QString m_deletedMember;
    QStringList m_blankKeys; // tables and key fields with blank rows, found at start-up
    Payments m_paymentsOfDeleted = Payments::Delete;
    // The member and year a payment being issued pays the membership for, for the payment's
    // after-post event; no member unless recordIssue is storing such a payment.
    QString m_paidMember;
    int m_paidYear = 0;
    Water m_catchKind = Water::MP;
    // Set while saveCatchReturn posts the catch row, for the row's after-post event.
    bool m_markingReturn = false;
    BarcodeScanner m_scanner;
    QTimer m_scanTimer;
    // Set while a scan is handled: a tick during its message box leaves the next scans waiting.
    bool m_takingScans = false;
    std::unique_ptr<Table> m_clenove, m_povol, m_povolSet, m_povolSetClen, m_reviry, m_sumar,
        m_csum, m_setup, m_sumPovol, m_numPovol, m_zpravod, m_brigady, m_vycetka, m_vahy,
        m_vyrazeni, m_vyznam, m_povolSpare;
};
