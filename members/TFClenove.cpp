#include "TFClenove.h"

#include "BirthNumber.h"
#include "CzechCollation.h"
#include "DataAdminTab.h"
#include "DataLinks.h"
#include "DateText.h"
#include "DbCheckBox.h"
#include "DbDateEdit.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbLookupComboBox.h"
#include "DbMemo.h"
#include "DbNavigator.h"
#include "EngineError.h"
#include "IssueCountsTab.h"
#include "JubileeTab.h"
#include "ListPrints.h"
#include "MemberRecordsTab.h"
#include "MemberRemovals.h"
#include "MemberSelection.h"
#include "Messages.h"
#include "MoneyTab.h"
#include "PermitIssueTab.h"
#include "PrintTab.h"
#include "QtEdge.h"
#include "Query.h"
#include "ReturnBox.h"
#include "ReturnMarking.h"
#include "SteadyTabWidget.h"
#include "TDataModule1.h"
#include "TFormBrigada.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString noteMark = QStringLiteral("ZÁZNAM !");

QGroupBox* group(const QString& title, QLayout* content)
{
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    return box;
}

QHBoxLayout* row(const QList<QWidget*>& widgets)
{
    auto* layout = new QHBoxLayout;
    for (QWidget* w : widgets)
        layout->addWidget(w);
    return layout;
}

QPushButton* button(const QString& caption, const QString& name)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    return b;
}

// A mark the data module's rules set; the user only reads it.
QCheckBox* indicator(const QString& name, const QString& hint)
{
    auto* box = new QCheckBox;
    box->setObjectName(name);
    box->setToolTip(hint);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QLabel* label(const QString& name)
{
    auto* l = new QLabel;
    l->setObjectName(name);
    return l;
}

} // namespace

TFClenove::TFClenove(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TFClenove"));
    m_tabs = new SteadyTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->addTab(buildBasicDataTab(), QStringLiteral("Základní data"));
    m_recordsTab = new MemberRecordsTab;
    m_tabs->addTab(m_recordsTab, QStringLiteral("Záznamy"));
    m_permitTab = new PermitIssueTab;
    m_tabs->addTab(m_permitTab, QStringLiteral("Povolenky-výdej"));
    m_printTab = new PrintTab;
    m_tabs->addTab(m_printTab, QStringLiteral("Tisk"));
    m_summaryYearLabels << m_printTab->summaryYearLabel();
    m_moneyTab = new MoneyTab;
    m_tabs->addTab(m_moneyTab, QStringLiteral("Peníze"));
    m_jubileeTab = new JubileeTab;
    m_tabs->addTab(m_jubileeTab, QStringLiteral("Jubilea - bydliště"));
    m_dataAdmin = new DataAdminTab;
    m_tabs->addTab(m_dataAdmin, QStringLiteral("Správa dat"));
    m_issueCounts = new IssueCountsTab;
    m_tabs->addTab(m_issueCounts, QStringLiteral("Info"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);

    connect(m_tabs, &QTabWidget::currentChanged, this, QtEdge::slot(this, &TFClenove::onTabShown));
    connect(m_recordsTab, &MemberRecordsTab::noteStarted, this,
            QtEdge::slot(this, &TFClenove::markNote));
    connect(m_recordsTab, &MemberRecordsTab::noteSettleRequested, this,
            QtEdge::slot(this, &TFClenove::settleNote));
    connect(m_permitTab, &PermitIssueTab::issuingChanged, this, [this](bool issuing) {
        m_navigator->setEnabled(!issuing);
        m_recordsTab->setMovesEnabled(!issuing);
        // A mark walks the member's payments, which the issue is adding to.
        m_returnBox->setEnabled(!issuing);
    });
    connect(&m_permitTab->returnBox(), &ReturnBox::pressed, this, &TFClenove::FocusMemberSearch);
    // The window sees every key of its controls first, as the old form's key preview did.
    qApp->installEventFilter(this);
    setUpSizeRules();
}

TFClenove::~TFClenove() = default;

// ---- building -------------------------------------------------------------------------

template <class Input> Input* TFClenove::bound(const QString& field, bool lockable)
{
    auto* input = new Input;
    input->setObjectName(QStringLiteral("DB_") + field);
    m_binders << [input, field](DataSet* members) {
        input->bind(members, field);
    };
    m_inputs.insert(field, input);
    if (lockable)
        m_memberInputs << input;
    return input;
}

void TFClenove::addCaptioned(QGridLayout* grid, int row, int column, const QString& caption,
                             const QList<QWidget*>& inputs)
{
    grid->addWidget(new QLabel(caption), row, column);
    grid->addLayout(::row(inputs), row, column + 1);
}

QWidget* TFClenove::buildBasicDataTab()
{
    m_basicTab = new QWidget;
    m_basicTab->setObjectName(QStringLiteral("TabSheetZakladni"));
    auto* left = new QVBoxLayout;
    left->addWidget(buildMemberInputs());
    left->addLayout(row({buildBrigadeBox(), buildReturnBox(), buildAwardBox()}));
    left->addWidget(buildFilterBox());

    m_memberCount = label(QStringLiteral("LabelClenuCelkem"));
    m_memberCount->setToolTip(QStringLiteral("Celkový počet členů"));
    auto* right = new QVBoxLayout;
    right->addWidget(group(QStringLiteral(" Členů celkem "), row({m_memberCount})));
    right->addWidget(buildNavigator());
    right->addWidget(buildSearchBox(), 1);

    auto* layout = new QHBoxLayout(m_basicTab);
    layout->addLayout(left, 3);
    layout->addLayout(right, 1);
    return m_basicTab;
}

QWidget* TFClenove::buildMemberInputs()
{
    auto* grid = new QGridLayout;
    const auto edit = [this](const char* field, bool lockable = true) -> QWidget* {
        return bound<DbEdit>(QLatin1String(field), lockable);
    };
    addCaptioned(grid, 0, 0, QStringLiteral("Členské číslo"), {edit("CLEN_CISLO")});
    addCaptioned(grid, 0, 2, QStringLiteral("Číslo legitimace"), {edit("CISLO_LEGITIMACE")});
    addCaptioned(grid, 1, 0, QStringLiteral("Číslo rybářského lístku"), {edit("RYB_LISTEK")});
    addCaptioned(grid, 1, 2, QStringLiteral("Člen od roku"), {edit("CLEN_OD_ROKU")});
    addCaptioned(grid, 2, 0, QStringLiteral("Titul           Jméno "),
                 {edit("TITUL"), edit("JMENO")});
    addCaptioned(grid, 2, 2, QStringLiteral("Příjmení"), {edit("PRIJMENI")});
    auto* woman = bound<DbCheckBox>(QStringLiteral("ZENA"), false);
    woman->setText(QStringLiteral("žena"));
    auto* sponsor = bound<DbCheckBox>(QStringLiteral("SPONZOR"), false);
    sponsor->setText(QStringLiteral("sponzor"));
    grid->addLayout(row({woman, sponsor}), 3, 1);
    addCaptioned(grid, 4, 0, QStringLiteral("Adresa"), {edit("ULICE")});
    addCaptioned(grid, 4, 2, QStringLiteral("PSČ"), {edit("PSC"), edit("OBEC")});
    addCaptioned(grid, 5, 0, QStringLiteral("tel:"), {edit("TELEFON")});
    addCaptioned(grid, 5, 2, QStringLiteral("Kategorie"),
                 {bound<DbLookupComboBox>(QStringLiteral("KATEGORIE"), true)});
    addCaptioned(grid, 6, 0, QStringLiteral("Zaměstnavatel"), {edit("ZAMESTNAVATEL")});
    addCaptioned(grid, 6, 2, QStringLiteral("Povolání"), {edit("POVOLANI")});
    addCaptioned(grid, 7, 0, QStringLiteral("Datum narození"),
                 {bound<DbDateEdit>(QStringLiteral("DATUM_NAROZENI"), true)});
    addCaptioned(grid, 7, 2, QStringLiteral("Rodné číslo"), {edit("RODNE_CISLO")});
    addCaptioned(grid, 8, 0, QStringLiteral("Zaplatil členství"), {edit("LAST_CLENSTVI", false)});

    m_pozor = bound<DbEdit>(QStringLiteral("POZOR"), false);
    m_pozor->showAsMark();
    m_pozor->setToolTip(QStringLiteral("Dvojklikem se záznam vyřídí"));
    grid->addWidget(m_pozor, 8, 3);

    m_labelMp = label(QStringLiteral("LabelMP"));
    m_labelPs = label(QStringLiteral("LabelPS"));
    m_returnedMp = indicator(QStringLiteral("CheckBoxMP"), QStringLiteral("Sumář MP vrácen"));
    m_returnedPs = indicator(QStringLiteral("CheckBoxPS"), QStringLiteral("Sumář PS vrácen"));
    QWidget* lastMp = edit("LAST_SUMAR_MP");
    QWidget* lastPs = edit("LAST_SUMAR_PS");
    for (QWidget* w : {lastMp, lastPs})
        w->setToolTip(QStringLiteral("Posleně odevzdaný sumář"));
    auto* marks = new QGridLayout;
    QLabel* year = label(QStringLiteral("LabelRokSum"));
    m_summaryYearLabels << year;
    marks->addLayout(row({new QLabel(QStringLiteral(" V roce ")), year}), 0, 0, 1, 2);
    addCaptioned(marks, 1, 0, QStringLiteral("Povol. MP"), {lastMp, m_labelMp, m_returnedMp});
    addCaptioned(marks, 2, 0, QStringLiteral("Povol PS"), {lastPs, m_labelPs, m_returnedPs});
    grid->addLayout(marks, 9, 0, 1, 4);

    auto* box = new QWidget;
    box->setLayout(grid);
    return box;
}

DbNavigator* TFClenove::buildNavigator()
{
    using B = DbNavigator::Button;
    m_navigator = new DbNavigator;
    m_navigator->setObjectName(QStringLiteral("DBNavigator1"));
    m_navigator->setVisibleButtons({B::Insert, B::Delete, B::Edit, B::Post, B::Cancel});
    m_navigator->setHints({QStringLiteral("Vlož nového člena"),
                           QStringLiteral("Zruš zobrazeného člena"),
                           QStringLiteral("Oprava zobrazeného člena"),
                           QStringLiteral("Uložení změn na disk"), QStringLiteral("Zrušení změn")});
    m_navigator->setDeleteConfirmation([this] { return confirmMemberDelete(); });
    // The window's delete keeps the member's payments, under "00000".
    m_navigator->setCustomAction(
        B::Delete, [this] { m_data->deleteMember(TDataModule1::Payments::KeepUnassigned); });
    connect(m_navigator, &DbNavigator::aboutToAct, this,
            [this](DbNavigator::Button b) { onNavigatorAboutToAct(int(b)); });
    // Connected after the navigator's own handler, so this runs once the action is over,
    // whether it succeeded or not.
    for (const B b : m_navigator->visibleButtons())
        connect(m_navigator->button(b), &QToolButton::clicked, this,
                &TFClenove::onNavigatorClicked);
    return m_navigator;
}

QWidget* TFClenove::buildSearchBox()
{
    m_searchByName = button(QStringLiteral("Příjmení"), QStringLiteral("ButtonPrijmeni"));
    QPushButton* byNumber = button(QStringLiteral("Číslo"), QStringLiteral("ButtonCislo"));
    auto* choice = new QButtonGroup(this);
    for (QPushButton* b : {m_searchByName, byNumber}) {
        b->setCheckable(true);
        choice->addButton(b);
    }
    m_searchByName->setChecked(true);
    connect(m_searchByName, &QPushButton::clicked, this, [this] { showSearch(true); });
    connect(byNumber, &QPushButton::clicked, this, [this] { showSearch(false); });

    m_surnameList = new DbGrid;
    m_surnameList->setObjectName(QStringLiteral("DBLookupListBoxPrijmeni"));
    m_surnameList->setReadOnly(true);
    m_surnameList->horizontalHeader()->hide();
    m_surnameList->verticalHeader()->hide();
    m_surnameList->horizontalHeader()->setStretchLastSection(true);
    m_editFindClen = new QLineEdit;
    m_editFindClen->setObjectName(QStringLiteral("EditFindClen"));
    m_editFindClen->setMaxLength(6);
    connect(m_editFindClen, &QLineEdit::returnPressed, this,
            [this] { findMemberByNumber(m_editFindClen->text()); });

    // One place for the list and the number: the buttons and the input keep their places
    // whichever search is shown.
    auto* numberPage = new QWidget;
    auto* numberLayout = new QVBoxLayout(numberPage);
    numberLayout->setContentsMargins(0, 0, 0, 0);
    numberLayout->addWidget(m_editFindClen);
    numberLayout->addStretch();
    m_searchPages = new QStackedWidget;
    m_searchPages->addWidget(m_surnameList);
    m_searchPages->addWidget(numberPage);

    auto* layout = new QVBoxLayout;
    layout->addLayout(row({m_searchByName, byNumber}));
    layout->addWidget(m_searchPages, 1);
    return group(QStringLiteral(" Najdi člena podle JMÉNA  nebo  ČÍSLA "), layout);
}

QWidget* TFClenove::buildFilterBox()
{
    auto* layout = new QHBoxLayout;
    m_filterButtons = new QButtonGroup(this);
    m_filterButtons->setExclusive(true);
    for (const DisplayFilter& f : DisplayFilter::all()) {
        auto* b = new QPushButton(f.buttonCaption);
        b->setCheckable(true);
        b->setToolTip(f.hint);
        b->setChecked(f.kind == DisplayFilter::Kind::All);
        m_filterButtons->addButton(b, int(f.kind));
        layout->addWidget(b);
    }
    connect(m_filterButtons, &QButtonGroup::idClicked, this,
            QtEdge::slot([this](int id) { runDisplayFilter(DisplayFilter::Kind(id)); }));
    m_filterCategory = new QComboBox;
    m_filterCategory->setObjectName(QStringLiteral("ComboBoxKateg"));
    m_filterCount = label(QStringLiteral("LabelVyber"));
    layout->addWidget(m_filterCategory);
    layout->addWidget(m_filterCount);
    return group(QStringLiteral(" Výběr podle "), layout);
}

QWidget* TFClenove::buildBrigadeBox()
{
    QPushButton* entry = button(QStringLiteral("Zápis "), QStringLiteral("ButtonBrigada"));
    connect(entry, &QPushButton::clicked, this, &TFClenove::openBrigadeDialog);
    m_editBrigRok = new QLineEdit;
    m_editBrigRok->setObjectName(QStringLiteral("EditBrigRok"));
    m_editBrigRok->setToolTip(QStringLiteral("Vyhodnocovaný rok brigády"));
    m_editBrigRok->setMaxLength(4);
    m_hoursRequired = label(QStringLiteral("LabelPozad"));
    m_hoursWorked = label(QStringLiteral("LabelOdprac"));
    m_checkBoxBrig = indicator(QStringLiteral("CheckBoxBrig"), QStringLiteral("Brigáda splněna"));
    auto* grid = new QGridLayout;
    grid->addWidget(entry, 0, 0);
    grid->addWidget(m_editBrigRok, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("požad.")), 1, 0);
    grid->addWidget(m_hoursRequired, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("odprac.")), 2, 0);
    grid->addWidget(m_hoursWorked, 2, 1);
    grid->addWidget(m_checkBoxBrig, 2, 2);
    return group(QStringLiteral(" Brigáda "), grid);
}

QWidget* TFClenove::buildReturnBox()
{
    QLabel* year = label(QStringLiteral("LabelRokVratil"));
    m_summaryYearLabels << year;
    m_returnBox = new ReturnBox(QString(), year);
    connect(m_returnBox, &ReturnBox::pressed, this, &TFClenove::FocusMemberSearch);
    return m_returnBox;
}

QWidget* TFClenove::buildAwardBox()
{
    m_awardKinds = new QComboBox;
    m_awardKinds->setObjectName(QStringLiteral("ComboBoxVyznam"));
    m_awardKinds->setEditable(true);
    QPushButton* card = button(QStringLiteral("Tisk čl. průkazu"), QStringLiteral("ButtonPrukaz"));
    QPushButton* transfer =
        button(QStringLiteral("Tisk prevodky"), QStringLiteral("ButtonPrevodka"));
    connect(card, &QPushButton::clicked, this, [this] { m_permitTab->printMembershipCard(); });
    connect(transfer, &QPushButton::clicked, this, [this] { m_permitTab->printTransferForm(); });
    QPushButton* grant = button(QStringLiteral("Udělit"), QStringLiteral("ButtonUdelit"));
    connect(grant, &QPushButton::clicked, this, QtEdge::slot(this, &TFClenove::grantAward));
    QPushButton* remove = button(QStringLiteral("Vyřadit člena"), QStringLiteral("ButtonVyradit"));
    connect(remove, &QPushButton::clicked, this,
            QtEdge::slot([this] { m_removals->removeCurrentMember(); }));
    auto* layout = new QVBoxLayout;
    layout->addLayout(row({m_awardKinds, grant}));
    layout->addWidget(remove);
    layout->addLayout(row({card, transfer}));
    return group(QStringLiteral("Vyznamenání"), layout);
}

void TFClenove::attach(TDataModule1& data, ReportRunner& reports)
{
    m_data = &data;
    m_permitTab->attach(data, reports);
    m_returnBox->attach(data);
    m_recordsTab->attach(data);
    m_dataAdmin->attach(data);
    m_issueCounts->attach(data);
    m_moneyTab->attach(data, reports);
    Table& members = data.TableClenove();
    for (const auto& bind : std::as_const(m_binders))
        bind(&members);
    static_cast<DbLookupComboBox*>(m_inputs.value(QStringLiteral("KATEGORIE")))
        ->setListSource(&data.TablePovolSet(), QStringLiteral("KATEGORIE"));
    m_surnameList->setDataSet(&members);
    DataSetColumn surname, name;
    surname.field = QStringLiteral("PRIJMENI");
    name.field = QStringLiteral("JMENO");
    m_surnameList->setColumns({surname, name});
    m_navigator->setDataSet(&members);
    for (auto signal : {&DataSet::recordChanged, &DataSet::stateChanged})
        connect(&members, signal, this,
                QtEdge::slot(this, &TFClenove::refreshCounts, QtEdge::Tell::Later));
    m_selection = std::make_unique<MemberSelection>(data.database());
    m_printTab->attach(data, *m_selection);
    m_jubileeTab->attach(*m_selection);
    m_listPrints = std::make_unique<ListPrints>(data, reports, *m_selection);
    connectListPrints();
    m_removals = std::make_unique<MemberRemovals>(data, *m_selection, *m_printTab, *m_jubileeTab);
    connectRemovals();
    data.TablePovolSet().open();
    refreshFilterCategories();
    showSummaryYear();
    SetMemberEditable(false);
}

void TFClenove::connectListPrints()
{
    PrintTab* tab = m_printTab;
    ListPrints* prints = m_listPrints.get();
    connect(tab, &PrintTab::addressListRequested, this,
            QtEdge::slot([tab, prints] { prints->printAddressList(!tab->sortByNumber()); }));
    connect(tab, &PrintTab::groupAddressListRequested, this, QtEdge::slot([tab, prints] {
                prints->printGroupAddressList(tab->group(), !tab->sortByNumber());
            }));
    connect(tab, &PrintTab::freeNumbersRequested, this, QtEdge::slot([tab, prints] {
                prints->printFreeNumbers(tab->group(), !tab->sortByNumber());
            }));
    connect(tab, &PrintTab::brigadesRequested, this, QtEdge::slot([this, tab, prints] {
                prints->printBrigades(tab->group(), evaluatedBrigadeYear(), !tab->sortByNumber(),
                                      tab->completeBrigades());
            }));
    connect(tab, &PrintTab::envelopesRequested, this, QtEdge::slot([tab, prints] {
                prints->printEnvelopes(tab->envelopeCount(), tab->printChapterAddress());
                tab->showRemaining();
            }));
    connect(tab, &PrintTab::envelopeRequested, this,
            QtEdge::slot([tab, prints] { prints->printEnvelope(tab->printChapterAddress()); }));
    connect(m_jubileeTab, &JubileeTab::awardedListRequested, this,
            QtEdge::slot([prints] { prints->printAwarded(); }));
}

void TFClenove::connectRemovals()
{
    MemberRemovals* removals = m_removals.get();
    connect(m_dataAdmin, &DataAdminTab::nonPayersRemovalRequested, this,
            QtEdge::slot([removals] { removals->removeNonPayers(); }));
    connect(m_dataAdmin, &DataAdminTab::returnRequested, this,
            QtEdge::slot([removals] { removals->returnMember(); }));
    connect(m_dataAdmin, &DataAdminTab::deleteForGoodRequested, this,
            QtEdge::slot([removals] { removals->deleteForGood(); }));
}

void TFClenove::grantAward()
{
    const QString kind = m_awardKinds->currentText();
    m_data->grantAward(kind);
    if (m_awardKinds->findText(kind, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
        return;
    QStringList kinds{kind};
    for (int i = 0; i < m_awardKinds->count(); ++i)
        kinds << m_awardKinds->itemText(i);
    setAwardKinds(CzechCollation::sorted(kinds));
    m_awardKinds->setCurrentText(kind);
}

// ---- size and keys ----------------------------------------------------------------------

void TFClenove::setUpSizeRules()
{
    const QSize design = sizeHint();
    setMinimumSize(design);
    const QScreen* screen = this->screen();
    const QSize screenSize = screen ? screen->size() : design;
    setMaximumSize(screenSize.expandedTo(design));
    m_designFontSize = font().pointSizeF();
    showSizeLimits();
}

void TFClenove::showSizeLimits()
{
    setWindowTitle(QStringLiteral("%1x%2  %3x%4")
                       .arg(minimumWidth())
                       .arg(minimumHeight())
                       .arg(maximumWidth())
                       .arg(maximumHeight()));
}

void TFClenove::scaleControls(bool enlarge)
{
    if (enlarge == m_enlarged || m_designFontSize <= 0)
        return;
    m_enlarged = enlarge;
    const qreal ratio = qreal(maximumHeight()) / qreal(minimumHeight());
    QFont scaled = font();
    scaled.setPointSizeF(enlarge ? m_designFontSize * ratio : m_designFontSize);
    setFont(scaled);
}

void TFClenove::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        scaleControls(isMaximized());
}

void TFClenove::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    showSizeLimits();
}

bool TFClenove::windowKey(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        reject();
        return true;
    }
    if (event->key() == Qt::Key_Insert && event->modifiers().testFlag(Qt::AltModifier)) {
        m_recordsTab->makeGridsEditable();
        return true;
    }
    return false;
}

bool TFClenove::eventFilter(QObject* watched, QEvent* event)
{
    const bool ownWidget =
        watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this;
    // Focus changes pass here, where no box may open: an error is told once they are over.
    return ownWidget && QtEdge::valueOr([&] { return filterOwnEvent(watched, event); }, false);
}

bool TFClenove::filterOwnEvent(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return windowKey(static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
        if (watched == m_inputs.value(QStringLiteral("CISLO_LEGITIMACE")))
            prefillLegitimation();
        else if (watched == m_inputs.value(QStringLiteral("RODNE_CISLO")))
            prefillBirthNumber();
        break;
    case QEvent::FocusOut:
        if (watched == m_editBrigRok)
            rerunMemberRule();
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == m_pozor) {
            settleNote();
            FocusMemberSearch();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void TFClenove::done(int result)
{
    if (!finishMemberEdit())
        return;
    QDialog::done(result);
}

// A member left in edit when the window closes is saved, so nothing typed is lost and the
// inputs, disabled again at the next opening, never hide a record still in edit.
bool TFClenove::finishMemberEdit()
{
    if (!m_data || !m_data->TableClenove().isEditing())
        return true;
    Table& members = m_data->TableClenove();
    try {
        DataLinks::updateRecord(members);
        members.isModified() ? members.post() : members.cancel();
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return false;
    }
    SetMemberEditable(false);
    return true;
}

// ---- activation and tabs ------------------------------------------------------------------

void TFClenove::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    SetMemberEditable(false);
    // Told once the window is up; a box must not open while it is being shown.
    QtEdge::run(
        [this] {
            showSummaryYear();
            refreshFilterCategories();
            m_jubileeTab->showCount();
        },
        QtEdge::Tell::Later);
    FocusMemberSearch();
}

void TFClenove::onTabShown(int index)
{
    QWidget* tab = m_tabs->widget(index);
    if (tab == m_basicTab)
        FocusMemberSearch();
    else if (tab == m_dataAdmin && m_data)
        m_data->DataSourceVyrazDataChange();
    else if (tab == m_printTab)
        m_printTab->showRemaining();
}

void TFClenove::showSummaryYear()
{
    if (!m_data)
        return;
    const QString year = QString::number(m_data->summaryYear());
    for (QLabel* l : std::as_const(m_summaryYearLabels))
        l->setText(year);
}

void TFClenove::refreshFilterCategories()
{
    if (!m_data)
        return;
    const QString chosen = m_filterCategory->currentText();
    QStringList categories;
    Table& fees = m_data->TablePovolSet();
    for (fees.first(); !fees.eof(); fees.next()) {
        const QString category = fees.fieldByName(QStringLiteral("KATEGORIE")).asString();
        if (!categories.contains(category))
            categories << category;
    }
    m_filterCategory->clear();
    m_filterCategory->addItems(categories);
    m_filterCategory->setCurrentIndex(qMax(0, int(categories.indexOf(chosen))));
}

// ---- search -----------------------------------------------------------------------------

void TFClenove::showSearch(bool byName)
{
    m_searchPages->setCurrentIndex(byName ? 0 : 1);
    FocusMemberSearch();
}

void TFClenove::FocusMemberSearch()
{
    if (m_tabs->currentWidget() != m_basicTab)
        return;
    if (m_searchByName->isChecked())
        m_surnameList->setFocus();
    else
        m_editFindClen->setFocus();
}

void TFClenove::findMemberByNumber(const QString& number)
{
    if (number.isEmpty() || !m_data)
        return;
    try {
        if (!m_data->TableClenove().locate(QStringLiteral("CLEN_CISLO"), number, true))
            Messages::error(QStringLiteral("Člen NEEXISTUJE !!!"));
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

// ---- display filters ----------------------------------------------------------------------

QString TFClenove::selectionCaption() const
{
    return m_selection ? m_selection->caption() : QString();
}

Query& TFClenove::QueryClenove()
{
    return m_selection->query();
}

void TFClenove::runDisplayFilter(DisplayFilter::Kind kind)
{
    const DisplayFilter filter = DisplayFilter::all().at(int(kind));
    const int year = m_data->summaryYear();
    const QString category = m_filterCategory->currentText();
    Table& members = m_data->TableClenove();
    filter.applyTo(members, year, category);
    m_filterKind = kind;
    m_filterButtons->button(int(kind))->setChecked(true);
    m_selection->show(filter.selectionLines(year, category),
                      filter.selectionCaption(year, category));
    showCounts();
}

void TFClenove::selectOwedReturns(TDataModule1::Water kind)
{
    m_printTab->selectOwedReturns(kind);
}

// ---- return marks ---------------------------------------------------------------------------

bool TFClenove::MarkReturnedForMember(const QString& number)
{
    if (!findByPrimaryKey(number)) {
        const QString surname =
            m_data->TableSumar().fieldByName(QStringLiteral("PRIJMENI")).asString();
        Messages::confirmWithOk(ReturnMarking::notFoundNotice(number, surname));
        return false;
    }
    return m_data->MarkSummaryReturned(m_data->catchKind());
}

bool TFClenove::findByPrimaryKey(const QString& number)
{
    Table& members = m_data->TableClenove();
    const QString order = members.indexFieldNames();
    members.setIndexFieldNames(QStringLiteral("CLEN_CISLO"));
    bool found = false;
    try {
        found = members.findKey({number});
    } catch (...) {
        // The browsing order comes back whatever happened.
        members.setIndexFieldNames(order);
        throw;
    }
    members.setIndexFieldNames(order);
    return found;
}

void TFClenove::refreshCounts()
{
    // Counted again only when the members' table changed: an insert saved, a delete, a
    // renumbering, a return – whoever made it.
    Table& members = m_data->TableClenove();
    const quint64 version = m_data->database().version(members.storageName());
    if (version != m_countedVersion)
        showCounts();
}

void TFClenove::showCounts()
{
    Table& members = m_data->TableClenove();
    m_countedVersion = m_data->database().version(members.storageName());
    setMemberCount(m_data->database().rowCount(members.storageName()));
    m_filterCount->setText(QString::number(members.recordCount()) + QLatin1Char(' ') +
                           DisplayFilter::all().at(int(m_filterKind)).noun());
}

// ---- editing ------------------------------------------------------------------------------

void TFClenove::SetMemberEditable(bool on)
{
    for (QWidget* input : std::as_const(m_memberInputs))
        input->setEnabled(on);
}

void TFClenove::onNavigatorAboutToAct(int button)
{
    using B = DbNavigator::Button;
    switch (B(button)) {
    case B::Insert:
    case B::Edit:
        SetMemberEditable(true);
        m_inputs.value(QStringLiteral("TITUL"))->setFocus();
        break;
    default:
        SetMemberEditable(false);
        break;
    }
}

void TFClenove::onNavigatorClicked()
{
    // A save the engine refused leaves the record in edit: the user must be able to
    // correct it.
    if (m_data->TableClenove().isEditing())
        SetMemberEditable(true);
}

bool TFClenove::confirmMemberDelete()
{
    return Messages::askYesNo(QStringLiteral("Opravdu zrušit zobrazeného člena ?"));
}

void TFClenove::writeInput(DbEdit* input, const QString& text)
{
    try {
        input->link().write(text);
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return;
    }
    input->setText(text);
    input->setCursorPosition(int(text.size()));
}

void TFClenove::prefillLegitimation()
{
    auto* legitimation = static_cast<DbEdit*>(m_inputs.value(QStringLiteral("CISLO_LEGITIMACE")));
    // A card number already there is the member's real card: it is never overwritten.
    if (!legitimation->text().isEmpty())
        return;
    Table& setup = m_data->TableSetup();
    setup.first();
    const QString chapter = setup.fieldByName(QStringLiteral("CISLO_ORGANIZACE")).asString();
    const auto* number = static_cast<DbEdit*>(m_inputs.value(QStringLiteral("CLEN_CISLO")));
    writeInput(legitimation, chapter + QLatin1Char('-') + number->text());
}

void TFClenove::prefillBirthNumber()
{
    const auto* birthDate = static_cast<DbEdit*>(m_inputs.value(QStringLiteral("DATUM_NAROZENI")));
    auto* birthNumber = static_cast<DbEdit*>(m_inputs.value(QStringLiteral("RODNE_CISLO")));
    if (birthDate->text().trimmed().isEmpty() || !birthNumber->text().isEmpty())
        return;
    const QDate born = DateText::parse(birthDate->text());
    if (!born.isValid())
        return;
    const bool woman = static_cast<QCheckBox*>(m_inputs.value(QStringLiteral("ZENA")))->isChecked();
    writeInput(birthNumber, BirthNumber::start(born, woman));
}

// ---- notes ----------------------------------------------------------------------------------

void TFClenove::markNote()
{
    writeNoteMark(noteMark);
}

void TFClenove::settleNote()
{
    writeNoteMark(QString());
}

void TFClenove::writeNoteMark(const QString& mark)
{
    Table& members = m_data->TableClenove();
    if (members.isEmpty())
        return;
    try {
        members.edit();
        members.fieldByName(QStringLiteral("POZOR")).setAsString(mark);
        DataLinks::updateRecord(members);
        members.post();
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

// ---- brigades -------------------------------------------------------------------------------

void TFClenove::openBrigadeDialog()
{
    if (m_brigadeDialog)
        m_brigadeDialog->exec();
    FocusMemberSearch();
}

void TFClenove::rerunMemberRule()
{
    if (!m_data)
        return;
    try {
        m_data->DataSourceClenoveDataChange();
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

// ---- what the data module's rules show ---------------------------------------------------

void TFClenove::setEvaluatedBrigadeYear(const QString& year)
{
    m_editBrigRok->setText(year);
}

QString TFClenove::evaluatedBrigadeYear() const
{
    return m_editBrigRok->text();
}

void TFClenove::setMemberCount(int count)
{
    m_memberCount->setText(QString::number(count));
}

void TFClenove::setAwardKinds(const QStringList& kinds)
{
    m_awardKinds->clear();
    m_awardKinds->addItems(kinds);
}

void TFClenove::showMemberFigures(const MemberFigures& figures)
{
    m_labelMp->setVisible(figures.mp.shown);
    m_labelMp->setText(figures.mp.permitKind);
    m_returnedMp->setChecked(figures.mp.returned);
    m_labelPs->setVisible(figures.ps.shown);
    m_labelPs->setText(figures.ps.permitKind);
    m_returnedPs->setChecked(figures.ps.returned);
    if (figures.brigadeKnown) {
        m_hoursWorked->setText(figures.hoursWorked);
        m_hoursRequired->setText(QString::number(figures.hoursRequired));
        m_checkBoxBrig->setChecked(figures.brigadeDone);
        m_permitTab->setBrigadeDone(figures.brigadeDone);
    }
    if (figures.notesKnown) {
        m_recordsTab->showNoteMark(figures.noteOpen);
        m_permitTab->disableRepeatPrint();
    }
}

void TFClenove::setHonoraryPermitShown(bool shown)
{
    m_permitTab->setHonoraryPermitShown(shown);
}

void TFClenove::setPrintSettings(const PrintSettings* settings)
{
    m_permitTab->setPrintSettings(settings);
    m_moneyTab->setPrintSettings(settings);
    if (m_listPrints)
        m_listPrints->setPrintSettings(settings);
}

void TFClenove::setRemovedCount(int count)
{
    m_dataAdmin->setRemovedCount(count);
}

void TFClenove::PrintStornoReceipt()
{
    m_permitTab->PrintStornoReceipt();
}
