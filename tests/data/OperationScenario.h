#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class Database;
class RecordingHost;
class TDataModule1;

// One user operation of the data layer that must be whole or not at all, over a chapter made
// for it, with the cursors standing where the user leaves them just before it. The in-process
// failure tests and the child process the kill tests kill share it, so both prove the same work.
class OperationScenario {
public:
    enum class Operation {
        Renumber,              // member 105 saved as 106: its records follow
        DeleteMember,          // member 105 deleted with its payments, brigades and awards
        DeleteKeepingPayments, // the same, its payments kept under "00000"
        RecordIssue,           // a payment of 2012 with the membership fee stored for 105
        FeeYear,               // the working year changed to 2013 in the chapter settings
        Upgrade,               // the start-up over older layouts and 20 000 payments
        RemoveMember,          // member 105 removed from the register, its records deleted
        RemoveNonPayers,       // members 105 and 300 removed together
        ReturnMember           // removed member 400 back in the register
    };

    static const QList<Operation>& operations();
    static QString nameOf(Operation operation);
    // The operation a command line names; false when there is none of that name.
    static bool fromName(const QString& name, Operation* operation);

    // The member the operations work on, and the number it is renumbered to.
    static QString memberNumber();
    static QString newNumber();
    // The member removed before the operations start.
    static QString removedNumber();
    static constexpr int memberPayments = 50;
    static constexpr int memberBrigades = 50;
    static constexpr int memberAwards = 10;
    static constexpr int upgradePayments = 20000;

    // Makes the data directory the operation starts from: a chapter of 2012 whose member 105
    // has its payments, brigades and awards beside two other members with records of their
    // own, started on once; for the upgrade, never started on, the fee, catch and record
    // tables are in older layouts.
    static void createDirectory(const QString& directory, Operation operation);

    // What the operation must have stored, read from the database: a line for each thing that
    // is not so, none when everything is.
    static QStringList missedResults(Operation operation, Database& db);

    // Creates the data module, starts it (unless the start is the operation) and readies the
    // cursors. The host stays quiet; its records tell what the module reported.
    OperationScenario(Database& db, RecordingHost& host, Operation operation);
    ~OperationScenario();

    TDataModule1& data() { return *m_data; }
    // The operation. A failure is the engine's error; the start-up, which shows its error
    // through the host, throws it here all the same.
    void perform();
    // Saves the current member under the number, as the members window does.
    void renumberCurrentMember(const QString& number);

private:
    void ready();

    Database& m_db;
    RecordingHost& m_host;
    Operation m_operation;
    std::unique_ptr<TDataModule1> m_data;
};
