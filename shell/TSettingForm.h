#pragma once

#include "PrintSettings.h"

#include "ProfileFile.h"

#include <QDialog>

#include <array>

class DataSet;
class DbEdit;
class DbNavigator;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QTabWidget;
class TDataModule1;

// The settings window: the chapter's data in Setup.db and the fee table PovolSet.DB, edited
// through data-aware inputs, and the settings that belong to this computer in TALU.ini. It
// writes the file back whenever it or one of its first two tabs is left, and other windows
// read the settings from it.
class TSettingForm : public QDialog, public PrintSettings {
    Q_OBJECT
public:
    // The eight print offsets of TALU.ini, row and column per document.
    enum class PrintOffset {
        PrukazRadek,
        PrukazSloupec,
        PovolenkaRadek,
        PovolenkaSloupec,
        ObalkaRadek,
        ObalkaSloupec,
        PrevodkaRadek,
        PrevodkaSloupec
    };
    static constexpr int OffsetCount = 8;

    // Builds the window over the data module's cursors, makes sure the summary year's catch
    // tables exist and reads the settings file at the given path.
    TSettingForm(TDataModule1& data, const QString& iniPath, QWidget* parent = nullptr);

    // Reads every key of TALU.ini into the inputs and the values kept below. A file that
    // cannot be used is named in a message, and the defaults are shown instead.
    void LoadSettings();
    // Writes every key from the inputs: offsets as typed, booleans as 1 and 0. False when the
    // file was not written: one that could not be read never is, and one that cannot be
    // written is named in a message.
    bool SaveSettings();

    // What other windows read. The message, the e-mail address and the two print options
    // are the inputs' current state; the rest is as last loaded.
    QString attendanceMessage() const override;
    QString catchReturnEmail() const;
    bool printsBirthNumber() const override;
    bool localPermitOverviews() const override;
    int rowOffset(Document document) const override;
    int columnOffset(Document document) const override;
    int printOffset(PrintOffset offset) const { return m_offsets[int(offset)]; }
    bool printsBarcode() const override { return m_printsBarcode; }
    bool usesScanner() const { return m_usesScanner; }
    QString scannerPort() const { return m_scannerPort; }
    QString scannerSpeed() const { return m_scannerSpeed; }

    static QString defaultCatchReturnEmail() { return QStringLiteral("sumare@zeb-rybari.cz"); }

signals:
    // The members window evaluates the brigade hours of this year (PRACOVNI_ROK_SUM).
    void evaluatedBrigadeYearChanged(const QString& year);
    // The user wants the data replaced by a backup.
    void restoreRequested();

public slots:
    void done(int result) override;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    QWidget* buildFeeTab();
    QWidget* buildBasicTab();
    QWidget* buildBarcodeTab();
    QGroupBox* buildPeriodGroup();
    QGroupBox* buildChapterGroup();
    QGroupBox* buildPrinterGroup();
    QGroupBox* textGroup(const QString& title, QLineEdit* input);
    DbEdit* boundEdit(DataSet& dataSet, const QString& field);
    QLineEdit* offsetEdit(int offset);
    QCheckBox* checkBox(const QString& caption, const QString& name);
    QComboBox* choices(const QStringList& items, const QString& name);
    void connectRules();

    void showSettings();
    void saveOnLeave();
    void announceBrigadeYear();
    void ensureYearTables();
    void onTabChanged(int index);
    void updateCategoryEditable();

    TDataModule1& m_data;
    ProfileFile m_ini;

    QTabWidget* m_tabs = nullptr;
    int m_shownTab = 0;
    DbNavigator* m_feeNavigator = nullptr;
    DbNavigator* m_chapterNavigator = nullptr;
    DbEdit* m_category = nullptr;
    DbEdit* m_workingYear = nullptr;
    DbEdit* m_summaryYear = nullptr;
    DbEdit* m_attendanceRow = nullptr;
    DbEdit* m_attendanceColumn = nullptr;
    QLineEdit* m_message = nullptr;
    QLineEdit* m_email = nullptr;
    std::array<QLineEdit*, OffsetCount> m_offsetEdits{};
    QCheckBox* m_birthNumber = nullptr;
    QCheckBox* m_overviews = nullptr;
    QCheckBox* m_barcode = nullptr;
    QCheckBox* m_scanner = nullptr;
    QComboBox* m_port = nullptr;
    QComboBox* m_speed = nullptr;

    std::array<int, OffsetCount> m_offsets{};
    bool m_printsBarcode = true;
    bool m_usesScanner = false;
    QString m_scannerPort;
    QString m_scannerSpeed;
};
