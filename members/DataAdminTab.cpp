#include "DataAdminTab.h"

#include "DataSetColumn.h"
#include "DbGrid.h"
#include "EngineError.h"
#include "MemberImport.h"
#include "Messages.h"
#include "QtEdge.h"
#include "ReturnMarking.h"
#include "TDataModule1.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

QLabel* namedLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

QGroupBox* group(const QString& title, QLayout* content)
{
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    return box;
}

// One message for all the members a correction left out, instead of a box for each.
void tellPassedOver(const QString& heading, const RegisterCorrections::PassedOver& members)
{
    if (members.isEmpty())
        return;
    QStringList lines{heading};
    for (const auto& [number, value] : members)
        lines << QStringLiteral("člen ") + number + QStringLiteral("  ") + value;
    Messages::information(lines.join(QStringLiteral("\n\r")));
}

void tellRemoved(int count, const QString& records)
{
    Messages::confirmWithOk(QStringLiteral("Zrušeno ") + QString::number(count) +
                            QStringLiteral(" záznamů ") + records);
}

} // namespace

DataAdminTab::DataAdminTab(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetSprava"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildRemovedBox(), 1);
    layout->addWidget(buildImportBox());
    layout->addLayout(buildHandedInRow());
    layout->addWidget(buildCorrectionsBox());
    layout->addWidget(buildOldRecordsBox());
}

QPushButton* DataAdminTab::addButton(const QString& caption, const QString& name,
                                     const QString& hint, void (DataAdminTab::*slot)())
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(hint);
    connect(button, &QPushButton::clicked, this, QtEdge::slot(this, slot));
    return button;
}

void DataAdminTab::attach(TDataModule1& data)
{
    m_data = &data;
    m_removedGrid->setDataSet(&data.TableVyrazeni());
    m_removedGrid->setColumns(
        {DataSetColumn::titled(QStringLiteral("CLEN_CISLO"), QStringLiteral("Člen č.")),
         DataSetColumn::titled(QStringLiteral("PRIJMENI"), QStringLiteral("Příjmení")),
         DataSetColumn::titled(QStringLiteral("JMENO"), QStringLiteral("Jméno")),
         DataSetColumn::titled(QStringLiteral("ULICE"), QStringLiteral("Ulice")),
         DataSetColumn::titled(QStringLiteral("OBEC"), QStringLiteral("Obec")),
         DataSetColumn::titled(QStringLiteral("RODNE_CISLO"), QStringLiteral("Rodné číslo"))});
}

QWidget* DataAdminTab::buildRemovedBox()
{
    m_removedCount = new QLabel;
    m_removedCount->setObjectName(QStringLiteral("LabelVyrazeno"));
    auto* heading = new QHBoxLayout;
    heading->addWidget(new QLabel(QStringLiteral(" Členové dočasně vyřazení z evidence  -")));
    heading->addWidget(m_removedCount);
    heading->addWidget(new QLabel(QStringLiteral("členů")));
    heading->addStretch();

    m_removedGrid = new DbGrid;
    m_removedGrid->setObjectName(QStringLiteral("DBGridVyrazeni"));
    m_removedGrid->setReadOnly(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addButton(QStringLiteral("Vyřadit neplatiče z evidence"),
                                 QStringLiteral("ButtonVyraditNeplatice"),
                                 QStringLiteral("Vyřadí všechny neplatiče za aktuální rok"),
                                 &DataAdminTab::nonPayersRemovalRequested));
    buttons->addWidget(addButton(QStringLiteral("Vrátit člena do evidence"),
                                 QStringLiteral("ButtonVratit"),
                                 QStringLiteral("Vrácení v tabulce označeného člena do evidence"),
                                 &DataAdminTab::returnRequested));
    buttons->addWidget(addButton(QStringLiteral("Trvale vyřadit "),
                                 QStringLiteral("ButtonTrvaleVyradit"), QString(),
                                 &DataAdminTab::deleteForGoodRequested));
    buttons->addStretch();

    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(heading);
    layout->addWidget(m_removedGrid, 1);
    layout->addLayout(buttons);
    return box;
}

QWidget* DataAdminTab::buildImportBox()
{
    m_editAdresar = new QLineEdit(defaultImportFolder());
    m_editAdresar->setObjectName(QStringLiteral("Edit_Adresar"));
    m_updatedCount = namedLabel(QStringLiteral("LabelAktualizovano"), QString());
    m_insertedCount = namedLabel(QStringLiteral("LabelVlozeno"), QString());
    showImportCounts(0, 0);
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setValue(0);

    auto* folder = new QHBoxLayout;
    folder->addWidget(new QLabel(QStringLiteral("Import z adresáře :")));
    folder->addWidget(m_editAdresar, 1);
    auto* run = new QHBoxLayout;
    run->addWidget(addButton(QStringLiteral("Načti data "), QStringLiteral("ButtonNactiData"),
                             QStringLiteral("Načtení dat z určeného adresáře"),
                             &DataAdminTab::importMembers));
    run->addWidget(m_updatedCount);
    run->addWidget(m_insertedCount);
    run->addStretch();
    auto* content = new QVBoxLayout;
    content->addLayout(folder);
    content->addLayout(run);
    content->addWidget(m_progress);
    return group(QStringLiteral(" Aktualizace členů z diskety "), content);
}

QLayout* DataAdminTab::buildHandedInRow()
{
    m_handedInCount = namedLabel(QStringLiteral("LabelOdevzdali"), QString());
    auto* row = new QHBoxLayout;
    row->addWidget(addButton(QStringLiteral("Odevzdali sumář"), QStringLiteral("ButtonOdevzdali"),
                             QStringLiteral("Označí odevzdání sumářů doplněných importem"),
                             &DataAdminTab::markImportedReturns));
    row->addWidget(m_handedInCount);
    row->addStretch();
    return row;
}

QWidget* DataAdminTab::buildCorrectionsBox()
{
    const QString afterConversion = QStringLiteral(" po konverzi z jiné databaze");
    m_paidCount = namedLabel(QStringLiteral("LabelZaplatili"), QString());
    auto* row = new QHBoxLayout;
    row->addWidget(addButton(QStringLiteral("PSC  xxx xx"), QStringLiteral("ButtonPSC"),
                             QStringLiteral("Upraví všechna  PSČ na formát s mezerou"),
                             &DataAdminTab::formatPostcodes));
    row->addWidget(addButton(QStringLiteral("RC xx.xx.xx/"), QStringLiteral("ButtonRC"),
                             QStringLiteral("Upraví všechna RČ na formát s tečkou"),
                             &DataAdminTab::formatBirthNumbers));
    row->addWidget(addButton(QStringLiteral("Datum z RC"), QStringLiteral("ButtonDatumRC"),
                             QStringLiteral("Doplní datum narození podle rodného čísla"),
                             &DataAdminTab::fillBirthDates));
    row->addWidget(addButton(QStringLiteral("Povol"), QStringLiteral("ButtonPovol"),
                             QStringLiteral("Upraví data povolenek") + afterConversion,
                             &DataAdminTab::markOwedReturns));
    row->addWidget(addButton(QStringLiteral("Zaplatili členstvi"),
                             QStringLiteral("ButtonZaplatili"),
                             QStringLiteral("Upraví data členů") + afterConversion,
                             &DataAdminTab::recordPaidMemberships));
    row->addWidget(m_paidCount);
    row->addStretch();
    return group(QStringLiteral(" Upravy  záznamů "), row);
}

QWidget* DataAdminTab::buildOldRecordsBox()
{
    m_editZrusit = new QLineEdit;
    m_editZrusit->setObjectName(QStringLiteral("EditZrusit"));
    m_editZrusit->setMaxLength(4);
    m_editZrusit->setValidator(new QIntValidator(0, 9999, m_editZrusit));

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Z roku")));
    row->addWidget(m_editZrusit);
    row->addWidget(new QLabel(QStringLiteral("a starší")));
    row->addWidget(addButton(QStringLiteral("Povolenky"), QStringLiteral("ButtonZrusitPovolenky"),
                             QString(), &DataAdminTab::deleteOldPayments));
    row->addWidget(addButton(QStringLiteral("Brigády"), QStringLiteral("ButtonZrusitBrigady"),
                             QString(), &DataAdminTab::deleteOldBrigades));
    return group(QStringLiteral(" Odstranění starých záznamů "), row);
}

void DataAdminTab::setRemovedCount(int count)
{
    m_removedCount->setText(QString::number(count));
}

// ---- the member import ------------------------------------------------------------------

QString DataAdminTab::defaultImportFolder()
{
    return QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/import/"));
}

QString DataAdminTab::importFolder() const
{
    return m_editAdresar->text();
}

void DataAdminTab::showImportCounts(int updated, int inserted)
{
    m_updatedCount->setText(QStringLiteral("Aktualizováno ") + QString::number(updated));
    m_insertedCount->setText(QStringLiteral("Vloženo ") + QString::number(inserted));
}

void DataAdminTab::importMembers()
{
    if (!m_data)
        return;
    const QString path = MemberImport::sourcePath(importFolder());
    if (!QFileInfo(path).isFile()) {
        Messages::error(QStringLiteral("Neni soubor ") + QDir::toNativeSeparators(path));
        return;
    }
    MemberImport import(m_data->database());
    showImportCounts(0, 0);
    // The import is one transaction; while it runs only this dialog takes input, so its STOP
    // is the one thing the user can do besides answering the questions.
    QProgressDialog running(
        QStringLiteral("Načítám členy ze souboru %1…").arg(QDir::toNativeSeparators(path)),
        QStringLiteral("STOP"), 0, 0, this);
    running.setWindowModality(Qt::ApplicationModal);
    running.setMinimumDuration(0);
    const auto reset = qScopeGuard([this] { resetProgress(); });
    const RegisterCorrections::Progress report = progressReporter();
    try {
        m_data->runBulkChange([&] {
            import.run(path, askAboutReplacing, [&](int done, int total) {
                report(done, total);
            showImportCounts(import.updated(), import.inserted());
            running.setMaximum(total);
            running.setValue(done);
            return !running.wasCanceled();
        });
    });
}
catch (const EngineError& e)
{
    Messages::error(e.message());
}
showImportCounts(import.updated(), import.inserted());
}

MemberImport::Answer DataAdminTab::askAboutReplacing(const QString& question)
{
    switch (Messages::askYesNoCancel(question)) {
    case Messages::Answer::Yes:
        return MemberImport::Answer::Replace;
    case Messages::Answer::No:
        return MemberImport::Answer::Keep;
    default:
        return MemberImport::Answer::Stop;
    }
}

// ---- progress -----------------------------------------------------------------------------

RegisterCorrections::Progress DataAdminTab::progressReporter()
{
    return [this](int done, int total) {
        m_progress->setMaximum(qMax(total, 1));
        m_progress->setValue(done);
        // Painted at once: the work runs on this thread, and events must not run inside it.
        m_progress->repaint();
    };
}

void DataAdminTab::resetProgress()
{
    m_progress->setValue(0);
}

// ---- corrections ----------------------------------------------------------------------------

std::optional<RegisterCorrections::PassedOver> DataAdminTab::correct(const Correction& work)
{
    if (!m_data)
        return std::nullopt;
    RegisterCorrections corrections(m_data->database(), progressReporter());
    const auto reset = qScopeGuard([this] { resetProgress(); });
    try {
        m_data->runBulkChange([&] { work(corrections); });
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return std::nullopt;
    }
    return corrections.passedOver();
}

void DataAdminTab::formatPostcodes()
{
    if (const auto left = correct([](RegisterCorrections& c) { c.formatPostcodes(); }))
        tellPassedOver(QStringLiteral("Tato PSČ se s mezerou nevejdou do pole a zůstala beze "
                                      "změny:"),
                       *left);
}

void DataAdminTab::formatBirthNumbers()
{
    if (const auto left = correct([](RegisterCorrections& c) { c.formatBirthNumbers(); }))
        tellPassedOver(QStringLiteral("Tato rodná čísla neudávají platné datum narození a zůstala "
                                      "beze změny:"),
                       *left);
}

void DataAdminTab::fillBirthDates()
{
    if (const auto left = correct([](RegisterCorrections& c) { c.fillBirthDates(); }))
        tellPassedOver(QStringLiteral("Z těchto rodných čísel nelze určit datum narození, "
                                      "zůstalo nevyplněné:"),
                       *left);
}

void DataAdminTab::markOwedReturns()
{
    correct([](RegisterCorrections& c) { c.markOwedReturns(); });
}

void DataAdminTab::recordPaidMemberships()
{
    m_paidCount->setText(QStringLiteral("0"));
    int raised = 0;
    const auto unknown =
        correct([&](RegisterCorrections& c) { raised = c.recordPaidMemberships(); });
    if (!unknown)
        return;
    m_paidCount->setText(QString::number(raised));
    if (unknown->isEmpty())
        return;
    QStringList lines;
    for (const auto& member : *unknown)
        lines << QStringLiteral("Nenalezen člen číslo ") + member.first + QStringLiteral("  ") +
                     QStringLiteral(" .");
    lines << QStringLiteral("Neprovede se záznam zaplaceného členství !!!");
    Messages::confirmWithOk(lines.join(QStringLiteral("\r\n")));
}

// ---- returns appended by the exchange ----------------------------------------------------

void DataAdminTab::markImportedReturns()
{
    if (!m_data)
        return;
    ReturnMarking marking(m_data->database(), progressReporter());
    const auto reset = qScopeGuard([this] { resetProgress(); });
    int marked = 0;
    try {
        const QString catchTable = m_data->TableSumar().tableName();
        m_data->runBulkChange([&] {
            marked = marking.markHandedIn(catchTable, m_data->catchKind(), m_data->summaryYear());
        });
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return;
    }
    m_handedInCount->setText(QString::number(marked));
    for (const ReturnMarking::Unknown& row : marking.unknownMembers())
        Messages::confirmWithOk(ReturnMarking::notFoundNotice(row.number, row.surname));
}

// ---- old records ----------------------------------------------------------------------------

std::optional<int> DataAdminTab::agreedYear(const QString& question)
{
    const QString year = m_editZrusit->text().trimmed();
    if (year.isEmpty() || !m_data)
        return std::nullopt;
    if (Messages::askYesNoCancel(question.arg(year)) != Messages::Answer::Yes)
        return std::nullopt;
    return year.toInt();
}

void DataAdminTab::deleteOldBrigades()
{
    const auto year = agreedYear(QStringLiteral("Opravdu zrušit staré brigády do roku %1 včetně "));
    if (!year)
        return;
    int removed = 0;
    try {
        removed = m_data->deleteOldBrigades(*year);
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return;
    }
    tellRemoved(removed, QStringLiteral("brigád"));
}

void DataAdminTab::deleteOldPayments()
{
    const auto year = agreedYear(QStringLiteral("Opravdu zrušit povolenky na rok %1 a starší "));
    if (!year)
        return;
    int removed = 0;
    if (correct([&](RegisterCorrections& c) { removed = c.deletePaymentsUpTo(*year); }))
        tellRemoved(removed, QStringLiteral("povolenek"));
}
