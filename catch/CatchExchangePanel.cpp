#include "CatchExchangePanel.h"

#include "CatchReturnExport.h"
#include "CatchReturnImport.h"
#include "Messages.h"
#include "Platform.h"
#include "QtEdge.h"
#include "SafeFileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

const QString lineBreak = QStringLiteral("\n\r");

QString nativeList(const QStringList& paths)
{
    QStringList lines;
    for (const QString& path : paths)
        lines << QDir::toNativeSeparators(path);
    return lines.join(lineBreak);
}

} // namespace

CatchExchangePanel::CatchExchangePanel(TDataModule1& data, QProgressBar* progress, QWidget* parent)
    : QWidget(parent)
    , m_data(data)
    , m_progress(progress)
{
    setObjectName(QStringLiteral("CatchExchangePanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildImportBox());
    layout->addWidget(buildUnionBox());
}

void CatchExchangePanel::setMailAddress(std::function<QString()> address)
{
    m_mailAddress = std::move(address);
}

QString CatchExchangePanel::defaultImportFolder()
{
    return QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/import/"));
}

QPushButton* CatchExchangePanel::addButton(const QString& caption, const QString& name,
                                           void (CatchExchangePanel::*slot)())
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this, QtEdge::slot(this, slot));
    return button;
}

QWidget* CatchExchangePanel::buildImportBox()
{
    m_importFolder = new QLineEdit(defaultImportFolder());
    m_importFolder->setObjectName(QStringLiteral("EditImport"));
    m_batch = new QLabel;
    m_batch->setObjectName(QStringLiteral("LabelPripojeni"));
    auto* folder = new QHBoxLayout;
    folder->addWidget(new QLabel(QStringLiteral("Import z adresáře :")));
    folder->addWidget(m_importFolder, 1);
    auto* run = new QHBoxLayout;
    run->addWidget(addButton(QStringLiteral("Připojit"), QStringLiteral("ButtonPripojit"),
                             &CatchExchangePanel::appendFromOtherComputer));
    run->addWidget(m_batch);
    run->addStretch();
    auto* content = new QVBoxLayout;
    content->addLayout(folder);
    content->addLayout(run);
    auto* box = new QGroupBox(QStringLiteral("Připojení sumáře z jiného počítače"));
    box->setLayout(content);
    return box;
}

QWidget* CatchExchangePanel::buildUnionBox()
{
    auto* content = new QHBoxLayout;
    content->addWidget(addButton(QStringLiteral("Ulož"), QStringLiteral("ButtonUloz"),
                                 &CatchExchangePanel::saveForUnion));
    content->addWidget(addButton(QStringLiteral("Odešli"), QStringLiteral("ButtonOdesli"),
                                 &CatchExchangePanel::sendToUnion));
    content->addStretch();
    auto* box = new QGroupBox(QStringLiteral(" Vytvoření diskety se sumáři pro přenos na ZEB "));
    box->setLayout(content);
    return box;
}

QString CatchExchangePanel::kindText() const
{
    return m_data.catchKind() == TDataModule1::Water::PS ? QStringLiteral("PSTRUHOVÝ ")
                                                         : QStringLiteral("MimoPSTRUHOVÝ ");
}

void CatchExchangePanel::appendFromOtherComputer()
{
    const QString yearTable = m_data.SumarName_by_Year(m_data.catchKind());
    const QString path = CatchReturnImport::importPath(m_importFolder->text(), yearTable);
    if (!QFileInfo(path).isFile()) {
        Messages::error(kindText() + QStringLiteral("Sumář ") + path +
                        QStringLiteral(" NENALEZEN !!!"));
        return;
    }
    CatchReturnImport import(m_data.database());
    QString question =
        QStringLiteral("Opravdu připojit ") + kindText() + QStringLiteral("sumář ") + path;
    if (const int earlier = import.earlierBatchHolding(path, yearTable))
        question +=
            lineBreak + QStringLiteral("Pozor: všechny řádky tohoto sumáře už v tabulce jsou, "
                                       "připojené jako dávka č. %1.")
                            .arg(earlier);
    if (!Messages::askYesNo(question))
        return;
    const auto resetProgress = qScopeGuard([this] { showProgress(0, 0); });
    int batch = 0;
    m_data.runBulkChange([&] {
        batch = import.append(path, yearTable,
                              [this](int done, int total) { showProgress(done, total); });
    });
    m_batch->setText(QString::number(batch));
    emit yearTableAppended();
}

void CatchExchangePanel::showProgress(int done, int total)
{
    if (!m_progress)
        return;
    m_progress->setMaximum(qMax(total, 1));
    m_progress->setValue(done);
    // Painted at once: the import runs on this thread, and events must not run inside it.
    m_progress->repaint();
}

QStringList CatchExchangePanel::unionFiles()
{
    const bool trout = m_data.catchKind() == TDataModule1::Water::PS;
    return {trout ? QStringLiteral("CSumPS.DB") : QStringLiteral("CSumMP.DB"),
            m_data.SumarName_by_Year(m_data.catchKind())};
}

QStringList CatchExchangePanel::writeIntoChosenFolder(const QString& caption)
{
    const QString folder = SafeFileDialog::chooseFolder(
        this, caption, m_lastFolder.isEmpty() ? QDir::homePath() : m_lastFolder);
    if (folder.isEmpty())
        return {};
    m_lastFolder = folder;
    // What is being typed in the window belongs to the files.
    m_data.PostPendingEdits();
    const QStringList files = unionFiles();
    const QStringList existing = CatchReturnExport::existingFiles(folder, files);
    if (!existing.isEmpty() &&
        !Messages::askYesNo(QStringLiteral("Ve složce už jsou soubory") + lineBreak +
                            nativeList(existing) + lineBreak + QStringLiteral("Přepsat je?")))
        return {};
    return CatchReturnExport(m_data.database()).write(folder, files, true);
}

void CatchExchangePanel::saveForUnion()
{
    const QStringList written = writeIntoChosenFolder(QStringLiteral("Uložit sumáře do složky"));
    if (!written.isEmpty())
        Messages::information(QStringLiteral("Zapsány soubory:") + lineBreak + nativeList(written));
}

void CatchExchangePanel::sendToUnion()
{
    const QString address = m_mailAddress ? m_mailAddress().trimmed() : QString();
    const QStringList written =
        writeIntoChosenFolder(QStringLiteral("Složka pro soubory odesílané na ZEB"));
    if (written.isEmpty())
        return;
    const QString subject =
        QStringLiteral("Sumáře %1 za rok %2")
            .arg(m_data.catchKind() == TDataModule1::Water::PS ? QStringLiteral("PS")
                                                               : QStringLiteral("MP"))
            .arg(m_data.summaryYear());
    if (!address.isEmpty() && Platform::composeMail(address, subject, written))
        return;
    Messages::information(
        QStringLiteral("Poštovní program se nepodařilo otevřít. Soubory jsou ve složce ") +
        QDir::toNativeSeparators(QFileInfo(written.constFirst()).absolutePath()) + lineBreak +
        nativeList(written) + lineBreak + QStringLiteral("Pošlete je prosím na adresu ") +
        (address.isEmpty() ? QStringLiteral("ZEB (adresa není nastavena)") : address) +
        QStringLiteral("."));
}
