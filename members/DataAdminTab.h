#pragma once

#include "MemberImport.h"
#include "RegisterCorrections.h"

#include <QWidget>

#include <functional>
#include <optional>

class DbGrid;
class QLabel;
class QLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TDataModule1;

// The "Správa dat" tab: maintenance of the whole register – the member import, corrections
// of data taken over from elsewhere, deleting old records and the count of removed members.
class DataAdminTab : public QWidget {
    Q_OBJECT
public:
    explicit DataAdminTab(QWidget* parent = nullptr);

    // Binds the removed-members grid to the data module's cursor.
    void attach(TDataModule1& data);
    void setRemovedCount(int count);

    // The folder the import starts with: "import" in the user's home folder.
    static QString defaultImportFolder();
    QString importFolder() const;
    // "Aktualizováno …" and "Vloženo …".
    void showImportCounts(int updated, int inserted);
    // Drives the tab's progress bar; the bar goes back to 0 with resetProgress().
    RegisterCorrections::Progress progressReporter();
    void resetProgress();

public slots:
    // "Načti data ": merges CLENOVE.DB of the import folder into the register, asking about
    // each value that would replace another; a STOP keeps what was merged until then.
    void importMembers();
    // "Brigády": deletes the brigade records of every member dated up to the end of the
    // year typed in EditZrusit, after the user agrees.
    void deleteOldBrigades();
    // "Povolenky": deletes every member's payments up to the year typed in EditZrusit, after
    // the user agrees; no cancellation receipt is printed for them.
    void deleteOldPayments();
    void formatPostcodes();
    void formatBirthNumbers();
    void fillBirthDates();
    void markOwedReturns();
    void recordPaidMemberships();
    // "Odevzdali sumář": after returns were appended from another computer, marks the return
    // of every member of the open year catch table as handed in; shows how many marks changed
    // and then names, one by one, the numbers the register does not know.
    void markImportedReturns();

signals:
    // The removal buttons; the members window runs them, for the bulk removal goes through its
    // selection.
    void nonPayersRemovalRequested();
    void returnRequested();
    void deleteForGoodRequested();

private:
    static MemberImport::Answer askAboutReplacing(const QString& question);

    using Correction = std::function<void(RegisterCorrections&)>;

    QWidget* buildRemovedBox();
    QWidget* buildImportBox();
    QLayout* buildHandedInRow();
    QWidget* buildCorrectionsBox();
    QWidget* buildOldRecordsBox();
    QPushButton* addButton(const QString& caption, const QString& name, const QString& hint,
                           void (DataAdminTab::*slot)());
    // Runs a correction of the whole register with the progress bar; what it passed over, or
    // nothing when it failed (the error is shown then, and nothing has changed).
    std::optional<RegisterCorrections::PassedOver> correct(const Correction& work);
    // Asks about deleting old records up to the year typed; the year when the user agrees.
    std::optional<int> agreedYear(const QString& question);

    TDataModule1* m_data = nullptr;
    QLabel* m_removedCount = nullptr;
    DbGrid* m_removedGrid = nullptr;
    QLineEdit* m_editAdresar = nullptr;
    QLabel* m_updatedCount = nullptr;
    QLabel* m_insertedCount = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_paidCount = nullptr;
    QLabel* m_handedInCount = nullptr;
    QLineEdit* m_editZrusit = nullptr;
};
