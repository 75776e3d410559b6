#include "ProgramStart.h"

#include "ControlErrors.h"
#include "DataDirectoryInitializer.h"
#include "Database.h"
#include "EngineError.h"
#include "Messages.h"
#include "ParadoxTakeOver.h"
#include "PermitIssueTab.h"
#include "Platform.h"
#include "QtEdge.h"
#include "ReportRunner.h"
#include "SafeFileDialog.h"
#include "TDataModule1.h"
#include "TFClenove.h"
#include "TFormBrigada.h"
#include "TMainForm.h"
#include "TSettingForm.h"
#include "TSumarForm.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>

namespace {
} // namespace

ProgramStart::ProgramStart(const QString& dataDirectory, const QString& programDirectory,
                           const QString& iniPath)
    : m_dataDirectory(dataDirectory)
    , m_backups(dataDirectory)
    , m_programDirectory(programDirectory)
    , m_iniPath(iniPath)
{
}

ProgramStart::~ProgramStart()
{
    // A window's leave rules (an issue or a return still being typed) run while every window
    // and the data module are there; then windows go before the data module whose cursors
    // they show.
    for (QWidget* window : std::initializer_list<QWidget*>{m_brigade.get(), m_settings.get(),
                                                           m_catch.get(), m_members.get()})
        if (window && window->isVisible())
            window->hide();
    m_brigade.reset();
    m_settings.reset();
    m_catch.reset();
    m_members.reset();
    m_mainForm.reset();
    m_data.reset();
    m_reports.reset();
}

bool ProgramStart::ensureDataDirectory(const QString& directory)
{
    if (Database::existsIn(directory))
        return true;
    if (ParadoxTakeOver::offeredFor(directory)) {
        const std::optional<bool> taken = offerTakeOver(directory);
        if (taken)
            return *taken;
    }
    const bool create = Messages::askYesNo(
        QStringLiteral("V adresáři %1 nejsou data programu.\n\rZaložit zde nová, prázdná data?")
            .arg(QDir::toNativeSeparators(directory)));
    if (!create)
        return false;
    try {
        DataDirectoryInitializer::create(directory, {});
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return false;
    }
    return true;
}

std::optional<bool> ProgramStart::offerTakeOver(const QString& directory)
{
    const QString shown = QDir::toNativeSeparators(QDir(directory).absolutePath());
    const int tables = int(ParadoxTakeOver::tableFiles(directory).size());
    if (!Messages::askYesNo(QStringLiteral("V adresáři %1 jsou data staršího programu (%2 tabulek "
                                           "Paradox).\n\rPřevzít je do nových dat? Původní "
                                           "soubory zůstanou beze změny.")
                                .arg(shown)
                                .arg(tables)))
        return std::nullopt;
    QProgressDialog progress(QStringLiteral("Přebírám data…"), QString(), 0, tables);
    progress.setWindowTitle(QStringLiteral("Převzetí dat"));
    progress.setMinimumDuration(0);
    try {
        const ParadoxTakeOver::Counts counts =
            ParadoxTakeOver::takeOver(directory, [&progress](const QString& file, int done, int) {
                progress.setLabelText(QStringLiteral("Přebírám tabulku %1…").arg(file));
                progress.setValue(done);
                QApplication::processEvents();
            });
        progress.close();
        Messages::confirmWithOk(QStringLiteral("Data byla převzata:\n\r") +
                                ParadoxTakeOver::countLines(counts).join(QStringLiteral("\n\r")));
        return true;
    } catch (const EngineError& e) {
        progress.close();
        Messages::error(e.message() + QStringLiteral("\n\rData nebyla převzata; původní soubory "
                                                     "zůstaly beze změny."));
        return false;
    }
}

bool ProgramStart::start()
{
    try {
        m_db = openData();
        if (!m_db)
            return false;
        warnOfDamagedData();
        m_mainForm = std::make_unique<TMainForm>(m_programDirectory);
        // Errors of typed input and of printing are shown like every other message.
        ControlErrors::setHandler([](const QString& message) { Messages::error(message); });
        m_reports = std::make_unique<ReportRunner>(m_mainForm.get());
        m_reports->setMessageHook([](const QString& message) { Messages::error(message); });
        m_members = std::make_unique<TFClenove>();
        // Opening the data module's tables cannot fail half-way: a missing table ends
        // the program with the engine's message.
        m_data = std::make_unique<TDataModule1>(*m_db, *this);
        m_members->attach(*m_data, *m_reports);
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return false;
    }
    runCreationEvent([this] { m_data->DataModuleCreate(); });
    m_catch = std::make_unique<TSumarForm>(*m_data, *m_reports, m_mainForm->FolderSuffix());
    // Its creation makes sure the summary year's catch tables exist and reads TALU.ini.
    m_settings = std::make_unique<TSettingForm>(*m_data, m_iniPath);
    m_members->setPrintSettings(m_settings.get());
    m_catch->setMailAddress([this] { return m_settings->catchReturnEmail(); });
    QObject::connect(m_settings.get(), &TSettingForm::restoreRequested, m_settings.get(),
                     QtEdge::slot([this] { chooseBackupToRestore(); }));
    QObject::connect(m_settings.get(), &TSettingForm::evaluatedBrigadeYearChanged, m_members.get(),
                     &TFClenove::setEvaluatedBrigadeYear);
    m_brigade = std::make_unique<TFormBrigada>();
    m_brigade->attach(*m_data);
    m_members->setBrigadeDialog(m_brigade.get());
    connectMainForm();
    return true;
}

std::unique_ptr<Database> ProgramStart::openData()
{
    try {
        return std::make_unique<Database>(m_dataDirectory);
    } catch (const EngineError& e) {
        if (e.kind() != EngineError::Kind::ForeignLock)
            throw;
        if (!Messages::askYesNo(e.message() + QStringLiteral("\n\rPřevzít data?")))
            return nullptr;
    }
    return std::make_unique<Database>(m_dataDirectory, Database::OpenMode::Existing,
                                      Database::ForeignLock::TakeOver);
}

void ProgramStart::runCreationEvent(const std::function<void()>& event)
{
    try {
        event();
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

void ProgramStart::connectMainForm()
{
    TMainForm* form = m_mainForm.get();
    const auto opens = [](QDialog* window) {
        return QtEdge::slot([window] { window->exec(); });
    };
    QObject::connect(form, &TMainForm::membersRequested, form, opens(m_members.get()));
    QObject::connect(form, &TMainForm::catchReturnsRequested, form, opens(m_catch.get()));
    QObject::connect(form, &TMainForm::settingsRequested, form, opens(m_settings.get()));
    QObject::connect(form, &TMainForm::saveRequested, form, QtEdge::slot([this] { saveData(); }));
    QObject::connect(form, &TMainForm::backupRequested, form,
                     QtEdge::slot([this] { backupData(); }));
    form->onClose = [this] {
        return prepareToClose();
    };
}

int ProgramStart::run()
{
    m_mainForm->show();
    return QApplication::exec();
}

void ProgramStart::saveData()
{
    try {
        m_data->Update_All_Data();
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

void ProgramStart::backupData()
{
    saveData();
    try {
        const QString file = m_backups.make(*m_db);
        Messages::information(QStringLiteral("Záloha dat je uložena v souboru\n\r%1")
                                  .arg(QDir::toNativeSeparators(file)));
    } catch (const EngineError& e) {
        Messages::error(e.kind() == EngineError::Kind::Damaged ? e.message() + restoreAdvice()
                                                               : e.message());
    }
}

QString ProgramStart::restoreAdvice() const
{
    const QString newest = m_backups.newest();
    if (newest.isEmpty())
        return QStringLiteral("\n\rNic dalšího neukládejte; dobrá záloha zatím není žádná.");
    return QStringLiteral("\n\rNic dalšího neukládejte a obnovte data z poslední dobré zálohy "
                          "%1 (okno Nastavení, rámeček Záloha dat, „Obnovit ze zálohy…“).")
        .arg(QFileInfo(newest).fileName());
}

void ProgramStart::warnOfDamagedData()
{
    // Before anything is written, so nothing more is built on the damage.
    if (m_db->integrityProblems(true).isEmpty())
        return;
    Messages::error(QStringLiteral("Soubor dat %1 je poškozený.")
                        .arg(QDir::toNativeSeparators(
                            QDir(m_dataDirectory).filePath(QLatin1String(Database::FileName)))) +
                    restoreAdvice());
}

bool ProgramStart::restoreData(const QString& backupPath)
{
    const bool agreed = Messages::askYesNo(
        QStringLiteral(
            "Obnovit data ze zálohy %1?\n\rSoučasná data se nahradí; jejich kopie zůstane "
            "ve složce záloh. Program se potom ukončí a spustíte ho znovu.")
            .arg(QFileInfo(backupPath).fileName()));
    if (!agreed)
        return false;
    // What is typed now belongs to the data being replaced.
    for (Table* t : m_data->allTables())
        t->cancel();
    try {
        const QString replaced = m_backups.restore(*m_db, backupPath);
        m_restored = true;
        Messages::information(
            QStringLiteral("Data jsou obnovena ze zálohy %1; předchozí data jsou "
                           "uložena v souboru %2.\n\rProgram se nyní ukončí, "
                           "spusťte ho prosím znovu.")
                .arg(QFileInfo(backupPath).fileName(), QDir::toNativeSeparators(replaced)));
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return false;
    }
    m_mainForm->close();
    return true;
}

void ProgramStart::chooseBackupToRestore()
{
    const QString chosen =
        SafeFileDialog::openFile(m_settings.get(), QStringLiteral("Obnovit data ze zálohy"),
                                 m_backups.folder(), QStringLiteral("Zálohy dat (zeb-*.sqlite)"));
    if (!chosen.isEmpty())
        restoreData(chosen);
}

bool ProgramStart::prepareToClose()
{
    // The cursors still show the data a restore replaced: nothing of them may be written.
    if (m_restored)
        return true;
    try {
        m_data->PostPendingEdits();
    } catch (const EngineError& e) {
        const bool goBack = Messages::askYesNo(
            QStringLiteral("Rozepsaný záznam nelze uložit:\n\r%1\n\r\n\rVrátit se a opravit ho?\n\r"
                           "(Ne = ukončit program bez tohoto záznamu)")
                .arg(e.message()));
        if (goBack)
            return false;
        for (Table* t : m_data->allTables())
            t->cancel();
    }
    saveData();
    return true;
}

void ProgramStart::setUpgradeNotice(bool visible, const QString& caption)
{
    QLabel* label = m_mainForm->LabelUpgrade();
    label->setText(caption);
    label->adjustSize();
    label->setVisible(visible);
}

void ProgramStart::setEvaluatedBrigadeYear(const QString& year)
{
    m_members->setEvaluatedBrigadeYear(year);
}

void ProgramStart::setMemberCount(int count)
{
    m_members->setMemberCount(count);
}

void ProgramStart::setAwardKinds(const QStringList& kinds)
{
    m_members->setAwardKinds(kinds);
}

void ProgramStart::showAllMembers()
{
    m_members->runDisplayFilter(DisplayFilter::Kind::All);
}

void ProgramStart::markCatchOverviewStale()
{
    if (m_catch)
        m_catch->markOverviewStale();
}

void ProgramStart::showMemberFigures(const MemberFigures& figures)
{
    m_members->showMemberFigures(figures);
}

QString ProgramStart::evaluatedBrigadeYear() const
{
    return m_members->evaluatedBrigadeYear();
}

void ProgramStart::setMemberEditable(bool on)
{
    m_members->SetMemberEditable(on);
}

void ProgramStart::setHonoraryPermitShown(bool shown)
{
    m_members->setHonoraryPermitShown(shown);
}

void ProgramStart::setRemovedCount(int count)
{
    m_members->setRemovedCount(count);
}

void ProgramStart::soundScan()
{
    if (!Platform::playShortTone())
        QApplication::beep();
}

void ProgramStart::saveEntryBeforeScan()
{
    if (QApplication::activeWindow() == m_catch.get())
        m_catch->saveRowBeforeScan();
}

void ProgramStart::startScannedEntry()
{
    QWidget* front = QApplication::activeWindow();
    if (front == m_members.get() && m_members->permitTab().scannerStartsIssue())
        m_members->permitTab().startNewIssue();
    else if (front == m_catch.get())
        m_catch->startScannedReturn();
}

void ProgramStart::printStornoReceipt()
{
    m_members->PrintStornoReceipt();
}

bool ProgramStart::issueInProgress() const
{
    return m_members && m_members->permitTab().issueFlag() == 1;
}

void ProgramStart::showError(const QString& text)
{
    Messages::error(text);
}

void ProgramStart::showErrorLater(const QString& text)
{
    ControlErrors::reportLater(text);
}

void ProgramStart::confirmWithOk(const QString& text)
{
    Messages::confirmWithOk(text);
}
