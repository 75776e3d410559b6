#include "TSettingForm.h"

#include "BarcodeScanner.h"
#include "DataLinks.h"
#include "DbCheckBox.h"
#include "DbEdit.h"
#include "DbNavigator.h"
#include "EngineError.h"
#include "Messages.h"
#include "QtEdge.h"
#include "TDataModule1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using Button = DbNavigator::Button;

struct Labelled {
    const char16_t* caption;
    const char16_t* field;
};

constexpr Labelled basicFees[] = {
    {u"Zápisné:", u"ZAPISNE"},           {u"Školení:", u"SKOLENI"},
    {u"Legitimace:", u"LEGITIMACE"},     {u"Čl. příspěv:", u"CLEN_PRISP"},
    {u"Manipul. pop:", u"MAN_POPLATEK"}, {u"Brigáda:", u"BRIGADA"},
    {u"Stanovy ZEB:", u"STANOVY_ZEB"},   {u"Poštovné :", u"POSTOVNE"}};
constexpr Labelled troutlessPermits[] = {
    {u"Roční:", u"MP_ROCNI"},           {u"Měsíční:", u"MP_MESICNI"},
    {u"Čtrnáctidenní:", u"MP_14_DNU"},  {u"Týdenní:", u"MP_TYDEN"},
    {u"Roční celorep:", u"MP_CELOREP"}, {u"Místní:", u"MP_MISTNI"},
    {u"Ryb. řád MP", u"MP_RAD"}};
constexpr Labelled troutPermits[] = {{u"Roční:", u"PS_ROCNI"},   {u"Měsíční:", u"PS_MESICNI"},
                                     {u"Týdenní:", u"PS_TYDEN"}, {u"Roční celorep:", u"PS_CELOREP"},
                                     {u"Místní:", u"PS_MISTNI"}, {u"Ryb. řád PS", u"PS_RAD"}};
constexpr Labelled localPermits[] = {{u"Roční:", u"MI_ROCNI"},   {u"Měsíční:", u"MI_MESICNI"},
                                     {u"Týdenní:", u"MI_TYDEN"}, {u"Roční celorep:", u"MI_CELOREP"},
                                     {u"Místní:", u"MI_MISTNI"}, {u"Ryb. řád MI", u"MI_RAD"}};

// The print offsets of TALU.ini, in the order of TSettingForm::PrintOffset, and the
// documents whose row and column they shift.
constexpr const char16_t* offsetKeys[TSettingForm::OffsetCount] = {
    u"Posun_Prukaz_Radek",      u"Posun_Prukaz_Sloupec",  u"Posun_Povolenka_Radek",
    u"Posun_Povolenka_Sloupec", u"Posun_Obalka_Radek",    u"Posun_Obalka_Sloupec",
    u"Posun_Prevodka_Radek",    u"Posun_Prevodka_Sloupec"};
constexpr const char16_t* offsetDocuments[TSettingForm::OffsetCount / 2] = {
    u"Členský průkaz", u"Kartička povolenky", u"Obálky", u"Převodky"};

QString text(const char16_t* utf16)
{
    return QString::fromUtf16(utf16);
}

// Numbers get inputs as wide as their longest value, so the columns of amounts line up.
QWidget* fitDigits(QWidget* input, int digits)
{
    input->setFixedWidth(input->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) +
                         16);
    return input;
}

QString unusableFileMessage(ProfileFile::Status status, const QString& path)
{
    QString reason;
    switch (status) {
    case ProfileFile::Status::TooLarge:
        reason = QStringLiteral("je větší než %1 MB (soubor nastavení mívá několik kB)")
                     .arg(ProfileFile::MaximumSize / (1024 * 1024));
        break;
    case ProfileFile::Status::NotText:
        reason = QStringLiteral("neobsahuje text v kódování Windows-1250, UTF-8 ani UTF-16");
        break;
    default:
        reason = QStringLiteral("nelze otevřít pro čtení");
        break;
    }
    return QStringLiteral("Soubor nastavení %1 %2.\n\r"
                          "Program soubor ponechá beze změny, do svého ukončení použije "
                          "výchozí nastavení a nic do souboru neuloží.\n\r"
                          "Soubor opravte v textovém editoru, nebo ho přejmenujte či smažte, a "
                          "program spusťte znovu.")
        .arg(path, reason);
}

const QString texty = QStringLiteral("Texty");
const QString posuny = QStringLiteral("Posuny");
const QString barCode = QStringLiteral("BarCode");
const QString miPovolenky = QStringLiteral("MIpovolenky");

} // namespace

TSettingForm::TSettingForm(TDataModule1& data, const QString& iniPath, QWidget* parent)
    : QDialog(parent)
    , m_data(data)
    , m_ini(iniPath)
{
    setObjectName(QStringLiteral("TSettingForm"));
    setWindowTitle(QStringLiteral("Výchozí  nastavení"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->addTab(buildFeeTab(), QStringLiteral("Členské kategorie"));
    m_tabs->addTab(buildBasicTab(), QStringLiteral("Základní nastavení"));
    m_tabs->addTab(buildBarcodeTab(), QStringLiteral("Čarkový kod"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    connectRules();
    FormCreate();
}

void TSettingForm::FormCreate()
{
    try {
        m_data.EnsureYearTables();
        LoadSettings();
    } catch (const EngineError& error) {
        Messages::error(error.message());
    }
}

DbEdit* TSettingForm::boundEdit(DataSet& dataSet, const QString& field)
{
    auto* edit = new DbEdit;
    edit->setObjectName(QStringLiteral("DBEdit") + field);
    edit->bind(&dataSet, field);
    return edit;
}

QCheckBox* TSettingForm::checkBox(const QString& caption, const QString& name)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

QComboBox* TSettingForm::choices(const QStringList& items, const QString& name)
{
    // Editable, as the old drop-down was: a port written into the file by hand stays.
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->setEditable(true);
    list->addItems(items);
    return list;
}

QWidget* TSettingForm::buildFeeTab()
{
    Table& fees = m_data.TablePovolSet();
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetKategorie"));

    m_category = boundEdit(fees, QStringLiteral("KATEGORIE"));
    m_category->setReadOnly(true);
    m_feeNavigator = new DbNavigator;
    m_feeNavigator->setObjectName(QStringLiteral("DBNavigatorKategorie"));
    m_feeNavigator->setDataSet(&fees);
    m_feeNavigator->setVisibleButtons({Button::Prior, Button::Next, Button::Insert, Button::Delete,
                                       Button::Edit, Button::Post, Button::Cancel});
    m_feeNavigator->setHints({QStringLiteral("Předcházející"), QStringLiteral("Následující"),
                              QStringLiteral("Nová kategorie (vloží se před tuto)"),
                              QStringLiteral("Zrušit tuto kategorii"),
                              QStringLiteral("Oprava kategorie"), QStringLiteral("Uložit změny"),
                              QStringLiteral("Zrušit změny")});
    m_feeNavigator->setDeleteConfirmation(
        [] { return Messages::askYesNo(QStringLiteral("Zrušit tuto kategorii ?")); });

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Kategorie:")));
    top->addWidget(m_category);
    top->addWidget(new QLabel(QStringLiteral("pro rok:")));
    top->addWidget(fitDigits(boundEdit(fees, QStringLiteral("ROK")), 4));
    top->addStretch();
    top->addWidget(m_feeNavigator);

    const auto group = [this, &fees](const QString& title, const auto& inputs) {
        auto* box = new QGroupBox(title);
        auto* form = new QFormLayout(box);
        for (const Labelled& input : inputs)
            form->addRow(text(input.caption), fitDigits(boundEdit(fees, text(input.field)), 6));
        return box;
    };
    QGroupBox* trout = group(QStringLiteral("Pstruhová povolenka"), troutPermits);
    auto* hours = new QHBoxLayout;
    hours->addWidget(fitDigits(boundEdit(fees, QStringLiteral("BRIG_HODIN")), 6));
    hours->addWidget(new QLabel(QStringLiteral("hodin")));
    static_cast<QFormLayout*>(trout->layout())->addRow(QStringLiteral("Brigáda"), hours);

    auto* groups = new QHBoxLayout;
    groups->addWidget(group(QStringLiteral("Základní poplatky"), basicFees));
    groups->addWidget(group(QStringLiteral("Mimopstruhová povolenka"), troutlessPermits));
    groups->addWidget(trout);
    groups->addWidget(group(QStringLiteral("Místní povolenka"), localPermits));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addStretch();
    return page;
}

QGroupBox* TSettingForm::buildPeriodGroup()
{
    Table& setup = m_data.TableSetup();
    auto* box = new QGroupBox(QStringLiteral(" Nastavení časového období "));
    auto* form = new QFormLayout(box);
    m_workingYear = boundEdit(setup, QStringLiteral("PRACOVNI_ROK"));
    m_summaryYear = boundEdit(setup, QStringLiteral("PRACOVNI_ROK_SUM"));
    form->addRow(QStringLiteral("Povolenky na  rok :"), fitDigits(m_workingYear, 5));
    form->addRow(QStringLiteral("Sumáře z roku :"), fitDigits(m_summaryYear, 5));
    return box;
}

QGroupBox* TSettingForm::buildChapterGroup()
{
    Table& setup = m_data.TableSetup();
    auto* box = new QGroupBox(QStringLiteral(" Data místní organizace "));
    m_chapterNavigator = new DbNavigator;
    m_chapterNavigator->setObjectName(QStringLiteral("DBNavigatorMO"));
    m_chapterNavigator->setDataSet(&setup);
    m_chapterNavigator->setVisibleButtons(
        {Button::Edit, Button::Post, Button::Cancel, Button::Refresh});
    m_chapterNavigator->setHints({QStringLiteral("Oprava kategorie"),
                                  QStringLiteral("Uložit změny"), QStringLiteral("Zrušit změny"),
                                  QStringLiteral("Refresh data")});

    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Číslo MO")), 0, 0);
    grid->addWidget(boundEdit(setup, QStringLiteral("CISLO_ORGANIZACE")), 0, 1);
    grid->addWidget(m_chapterNavigator, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Adresa MO")), 1, 0);
    grid->addWidget(boundEdit(setup, QStringLiteral("NAZEV_ORGANIZACE")), 1, 1, 1, 2);
    grid->addWidget(boundEdit(setup, QStringLiteral("ULICE")), 2, 1, 1, 2);
    auto* town = new QHBoxLayout;
    town->addWidget(fitDigits(boundEdit(setup, QStringLiteral("PSC")), 6));
    town->addWidget(boundEdit(setup, QStringLiteral("OBEC")));
    grid->addLayout(town, 3, 1, 1, 2);
    return box;
}

QLineEdit* TSettingForm::offsetEdit(int offset)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("Edit") + text(offsetKeys[offset]).remove(QLatin1Char('_')));
    m_offsetEdits[offset] = edit;
    fitDigits(edit, 4);
    return edit;
}

QGroupBox* TSettingForm::buildPrinterGroup()
{
    Table& setup = m_data.TableSetup();
    auto* box = new QGroupBox(QStringLiteral("  Nastavení  tiskárny  "));
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Posun tisku  [mm]        řádek  sloupec")), 0, 0, 1,
                    3);
    m_attendanceRow = boundEdit(setup, QStringLiteral("DOCH_DRAD"));
    m_attendanceColumn = boundEdit(setup, QStringLiteral("DOCH_DSLOUP"));
    grid->addWidget(new QLabel(QStringLiteral("Docházka")), 1, 0);
    grid->addWidget(fitDigits(m_attendanceRow, 4), 1, 1);
    grid->addWidget(fitDigits(m_attendanceColumn, 4), 1, 2);
    for (int d = 0; d < OffsetCount / 2; ++d) {
        grid->addWidget(new QLabel(text(offsetDocuments[d])), d + 2, 0);
        grid->addWidget(offsetEdit(2 * d), d + 2, 1);
        grid->addWidget(offsetEdit(2 * d + 1), d + 2, 2);
    }
    m_birthNumber = checkBox(QStringLiteral("Používat rodná čísla v tisku"),
                             QStringLiteral("CheckBoxRodneCislo"));
    m_birthNumber->setToolTip(QStringLiteral("Používat rodné číslo v tisku"));
    auto* printer = new DbCheckBox(QStringLiteral("Tiskárna připojena"));
    printer->setObjectName(QStringLiteral("DBCheckBoxTISK"));
    printer->bind(&setup, QStringLiteral("TISK"));
    m_overviews = checkBox(QStringLiteral("přehledy s místními povolenkami"),
                           QStringLiteral("CheckBoxMIprehled"));
    grid->addWidget(m_birthNumber, 6, 0, 1, 3);
    grid->addWidget(printer, 7, 0, 1, 3);
    grid->addWidget(m_overviews, 8, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    return box;
}

QGroupBox* TSettingForm::textGroup(const QString& title, QLineEdit* input)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(input);
    return box;
}

QWidget* TSettingForm::buildBasicTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetNastaveni"));
    m_message = new QLineEdit;
    m_message->setObjectName(QStringLiteral("EditSdeleniDochazka"));
    m_email = new QLineEdit;
    m_email->setObjectName(QStringLiteral("EditSumareEmail"));
    auto* backup = new QGroupBox(QStringLiteral(" Záloha dat "));
    backup->setObjectName(QStringLiteral("GroupBoxZaloha"));
    auto* restore = new QPushButton(QStringLiteral("Obnovit ze zálohy…"));
    restore->setObjectName(QStringLiteral("ButtonObnovitZalohu"));
    restore->setToolTip(
        QStringLiteral("Nahradí data vybranou zálohou (kopie současných dat zůstane)"));
    connect(restore, &QPushButton::clicked, this, &TSettingForm::restoreRequested);
    auto* backupRow = new QHBoxLayout(backup);
    backupRow->addWidget(restore);
    backupRow->addStretch();

    auto* grid = new QGridLayout(page);
    grid->addWidget(buildPeriodGroup(), 0, 0);
    grid->addWidget(buildChapterGroup(), 1, 0);
    grid->addWidget(buildPrinterGroup(), 0, 1, 2, 1);
    grid->addWidget(textGroup(QStringLiteral("Text sdělení na docházku "), m_message), 2, 0);
    grid->addWidget(textGroup(QStringLiteral(" Odesílání sumářů na ZEB "), m_email), 2, 1);
    grid->addWidget(backup, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget* TSettingForm::buildBarcodeTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetCarovyKod"));
    m_barcode = checkBox(QStringLiteral("Tisknout čárkový kód na docházku"),
                         QStringLiteral("CheckBoxBarTisk"));
    m_scanner = checkBox(QStringLiteral("Používat snímač čárkového kódu"),
                         QStringLiteral("CheckBoxBarUsing"));
    m_port = choices(BarcodeScanner::offeredPorts(), QStringLiteral("ComboBoxBarCOM"));
    m_speed = choices({QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200")},
                      QStringLiteral("ComboBoxBarBaud"));
    auto* form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(m_barcode);
    form->addRow(m_scanner);
    form->addRow(QStringLiteral("Čtečka připojena na"), m_port);
    form->addRow(QStringLiteral("Rychlost  [Baud]"), m_speed);
    return page;
}

void TSettingForm::connectRules()
{
    // An input is left while the focus moves, where no box may open.
    for (DbEdit* edit : {m_workingYear, m_attendanceRow, m_attendanceColumn})
        connect(edit, &DbEdit::exited, this,
                QtEdge::slot(this, &TSettingForm::announceBrigadeYear, QtEdge::Tell::Later));
    connect(m_summaryYear, &DbEdit::exited, this, &TSettingForm::ensureYearTables);
    connect(&m_data.TablePovolSet(), &DataSet::stateChanged, this,
            &TSettingForm::updateCategoryEditable);
    connect(m_tabs, &QTabWidget::currentChanged, this, &TSettingForm::onTabChanged);
}

void TSettingForm::LoadSettings()
{
    if (!m_ini.load())
        Messages::error(unusableFileMessage(m_ini.status(), m_ini.path()));
    showSettings();
    // Switching the scanner off keeps a port already open until the program ends.
    if (m_usesScanner)
        m_data.OpenScanner(m_scannerPort, m_scannerSpeed);
}

void TSettingForm::showSettings()
{
    m_message->setText(m_ini.readString(texty, QStringLiteral("Sdeleni_Dochazka"), QString()));
    m_email->setText(
        m_ini.readString(texty, QStringLiteral("Sumare_email"), defaultCatchReturnEmail()));
    for (int i = 0; i < OffsetCount; ++i) {
        m_offsets[i] = m_ini.readInteger(posuny, text(offsetKeys[i]), 0);
        m_offsetEdits[i]->setText(QString::number(m_offsets[i]));
    }
    m_birthNumber->setChecked(m_ini.readBool(posuny, QStringLiteral("Rodne_Cislo"), false));
    m_scannerPort = m_ini.readString(barCode, QStringLiteral("BarCOM"), QStringLiteral("COM1"));
    m_scannerSpeed = m_ini.readString(barCode, QStringLiteral("BarBaud"), QStringLiteral("9600"));
    m_usesScanner = m_ini.readBool(barCode, QStringLiteral("BarUsing"), false);
    m_printsBarcode = m_ini.readBool(barCode, QStringLiteral("BarTisk"), true);
    m_port->setCurrentText(m_scannerPort);
    m_speed->setCurrentText(m_scannerSpeed);
    m_scanner->setChecked(m_usesScanner);
    m_barcode->setChecked(m_printsBarcode);
    m_overviews->setChecked(m_ini.readBool(miPovolenky, QStringLiteral("MIprehled"), false));
}

bool TSettingForm::SaveSettings()
{
    m_ini.writeString(texty, QStringLiteral("Sdeleni_Dochazka"), m_message->text());
    m_ini.writeString(texty, QStringLiteral("Sumare_Email"), m_email->text());
    for (int i = 0; i < OffsetCount; ++i)
        m_ini.writeString(posuny, text(offsetKeys[i]), m_offsetEdits[i]->text());
    m_ini.writeBool(posuny, QStringLiteral("Rodne_Cislo"), m_birthNumber->isChecked());
    m_ini.writeString(barCode, QStringLiteral("BarCOM"), m_port->currentText());
    m_ini.writeString(barCode, QStringLiteral("BarBaud"), m_speed->currentText());
    m_ini.writeBool(barCode, QStringLiteral("BarUsing"), m_scanner->isChecked());
    m_ini.writeBool(barCode, QStringLiteral("BarTisk"), m_barcode->isChecked());
    m_ini.writeBool(miPovolenky, QStringLiteral("MIprehled"), m_overviews->isChecked());
    // A file that could not be read was announced then, once; it stays as it is.
    if (m_ini.status() != ProfileFile::Status::Read)
        return false;
    if (m_ini.save())
        return true;
    Messages::error(QStringLiteral("Nastavení nelze uložit do souboru ") + m_ini.path() +
                    QStringLiteral(" !!!"));
    return false;
}

QString TSettingForm::attendanceMessage() const
{
    return m_message->text();
}

QString TSettingForm::catchReturnEmail() const
{
    return m_email->text();
}

bool TSettingForm::printsBirthNumber() const
{
    return m_birthNumber->isChecked();
}

bool TSettingForm::localPermitOverviews() const
{
    return m_overviews->isChecked();
}

void TSettingForm::saveOnLeave()
{
    for (DbNavigator* navigator : {m_feeNavigator, m_chapterNavigator}) {
        try {
            navigator->perform(Button::Post);
        } catch (const EngineError&) {
            // The row stays in edit for the user to correct when the window is back.
        }
    }
    // Reading back what was written shows each value as the other windows will read it; what
    // could not be written stays in the inputs for the rest of the run.
    if (SaveSettings())
        LoadSettings();
    else
        showSettings();
}

void TSettingForm::announceBrigadeYear()
{
    emit evaluatedBrigadeYearChanged(
        m_data.TableSetup().fieldByName(QStringLiteral("PRACOVNI_ROK_SUM")).asString());
}

void TSettingForm::ensureYearTables()
{
    try {
        if (m_data.EnsureYearTables())
            return;
        // A refused year stays refused: the input shows the stored year again, so closing
        // the window cannot save the refused one.
        Table& setup = m_data.TableSetup();
        if (setup.isEditing())
            setup.fieldByName(QStringLiteral("PRACOVNI_ROK_SUM"))
                .setValue(setup.originalValue(QStringLiteral("PRACOVNI_ROK_SUM")));
    } catch (const EngineError& error) {
        Messages::error(error.message());
    }
}

void TSettingForm::onTabChanged(int index)
{
    const int left = m_shownTab;
    m_shownTab = index;
    if (left == 0 || left == 1)
        saveOnLeave();
}

void TSettingForm::updateCategoryEditable()
{
    m_category->setReadOnly(m_data.TablePovolSet().state() != DataSet::State::Insert);
}

void TSettingForm::done(int result)
{
    // The focused input's exit rule runs before the window goes.
    m_tabs->setFocus(Qt::OtherFocusReason);
    // Esc or the close box keep what was typed, as everywhere in the program; what cannot be
    // saved is said, and the window stays open on it.
    for (DbNavigator* navigator : {m_feeNavigator, m_chapterNavigator}) {
        try {
            navigator->perform(Button::Post);
        } catch (const EngineError& error) {
            Messages::error(error.message());
            return;
        }
    }
    QDialog::done(result);
}

void TSettingForm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        saveOnLeave();
}

int TSettingForm::rowOffset(Document document) const
{
    static constexpr PrintOffset rows[] = {PrintOffset::PrukazRadek, PrintOffset::PovolenkaRadek,
                                           PrintOffset::ObalkaRadek, PrintOffset::PrevodkaRadek};
    return printOffset(rows[int(document)]);
}

int TSettingForm::columnOffset(Document document) const
{
    static constexpr PrintOffset columns[] = {
        PrintOffset::PrukazSloupec, PrintOffset::PovolenkaSloupec, PrintOffset::ObalkaSloupec,
        PrintOffset::PrevodkaSloupec};
    return printOffset(columns[int(document)]);
}
