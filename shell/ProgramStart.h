#pragma once

#include "DataBackups.h"
#include "DataModuleHost.h"

#include <QString>

#include <memory>
#include <optional>

class Database;
class TDataModule1;
class TFClenove;
class TFormBrigada;
class TMainForm;
class ReportRunner;
class TSettingForm;
class TSumarForm;

// Starts the program on a data directory: creates the main window, the other windows
// and the data module once, in the fixed order, and serves as the data module's link
// to the windows. Also the main window's actions: save, backup and the final close.
class ProgramStart : public DataModuleHost {
public:
    // The settings file's path is given, so tests never touch the user's folders.
    ProgramStart(const QString& dataDirectory, const QString& programDirectory,
                 const QString& iniPath);
    ~ProgramStart() override;

    // Creates everything. False when the program cannot start (the reason was shown).
    bool start();
    int run();

    TMainForm& mainForm() { return *m_mainForm; }
    TFClenove& membersWindow() { return *m_members; }
    TSumarForm& catchWindow() { return *m_catch; }
    TSettingForm& settingsWindow() { return *m_settings; }
    ReportRunner& reportRunner() { return *m_reports; }
    TDataModule1& dataModule() { return *m_data; }

    // The main window's actions.
    void saveData();
    void backupData();
    // Replaces the data by a backup, after asking, and ends the program (its windows show the
    // data that were replaced). False when the user declined or the backup was no good one.
    bool restoreData(const QString& backupPath);
    void chooseBackupToRestore();
    // Posts what is still being edited and flushes; false when the user goes back.
    bool prepareToClose();

    // A new data directory where there is none yet, when the user agrees.
    // A directory of an older program's Paradox tables is offered to be taken over first.
    static bool ensureDataDirectory(const QString& directory);

    // DataModuleHost
    void setUpgradeNotice(bool visible, const QString& caption) override;
    void setEvaluatedBrigadeYear(const QString& year) override;
    void setMemberCount(int count) override;
    void setAwardKinds(const QStringList& kinds) override;
    void showAllMembers() override;
    void markCatchOverviewStale() override;
    void showMemberFigures(const MemberFigures& figures) override;
    QString evaluatedBrigadeYear() const override;
    void setMemberEditable(bool on) override;
    void setHonoraryPermitShown(bool shown) override;
    void setRemovedCount(int count) override;
    void printStornoReceipt() override;
    bool issueInProgress() const override;
    void showError(const QString& text) override;
    void showErrorLater(const QString& text) override;
    void confirmWithOk(const QString& text) override;
    void soundScan() override;
    // The catch-return window in front on its entry tab saves the row being typed.
    void saveEntryBeforeScan() override;
    // The members window in front on its issue tab with "Snímač -> výdej nové" ticked starts a
    // new issue; the catch-return window in front on its entry tab starts a new return row.
    void startScannedEntry() override;

private:
    // Taken over (true), failed (false, the reason shown), or declined (nullopt).
    static std::optional<bool> offerTakeOver(const QString& directory);
    // The data directory's database; null when the user declines to take over data another
    // computer left open.
    std::unique_ptr<Database> openData();
    void connectMainForm();
    void runCreationEvent(const std::function<void()>& event);
    QString restoreAdvice() const;
    void warnOfDamagedData();

    QString m_dataDirectory;
    DataBackups m_backups;
    QString m_programDirectory;
    QString m_iniPath;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<ReportRunner> m_reports;
    std::unique_ptr<TFClenove> m_members;
    std::unique_ptr<TDataModule1> m_data;
    std::unique_ptr<TSumarForm> m_catch;
    std::unique_ptr<TSettingForm> m_settings;
    std::unique_ptr<TFormBrigada> m_brigade;
    bool m_restored = false;
};
