#include "PermitIssueTab.h"

#include "DateText.h"
#include "DbEdit.h"
#include "DbNavigator.h"
#include "EngineError.h"
#include "Messages.h"
#include "QtEdge.h"
#include "ReturnBox.h"
#include "TDataModule1.h"

#include <QCheckBox>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using Group = IssueFeeItems::Group;
using Button = DbNavigator::Button;

const QString groupTitles[IssueFeeItems::groupCount] = {
    QStringLiteral("Základní poplatky"), QStringLiteral("Mimopstruhová povolenka"),
    QStringLiteral("Pstruhová povolenka"), QString()};
const QString masterNames[IssueFeeItems::groupCount] = {
    QStringLiteral("CheckBoxMasterPOPL"), QStringLiteral("CheckBoxMasterMP"),
    QStringLiteral("CheckBoxMasterPS"), QStringLiteral("CheckBoxMasterMI")};

const QList<Button> browsingButtons{Button::Prior, Button::Next, Button::Insert, Button::Delete,
                                    Button::Post};
const QList<Button> issuingButtons{Button::Delete, Button::Post};

QString yearStart(int year)
{
    return QStringLiteral("1.1.") + QString::number(year);
}

QString yearEnd(int year)
{
    return QStringLiteral("31.12.") + QString::number(year);
}

QGroupBox* group(const QString& title, QLayout* content)
{
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    return box;
}

DbEdit* displayEdit(const QString& name)
{
    auto* edit = new DbEdit;
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

PermitIssueTab::PermitIssueTab(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetPovolenky"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildMemberBox());
    auto* fees = new QGridLayout;
    buildFeeGroups(fees);
    layout->addLayout(fees);
    layout->addWidget(buildPaymentBox());
    layout->addWidget(buildOptions());
    layout->addStretch();
    SetFeeEditable(false);
}

PermitIssueTab::~PermitIssueTab() = default;

QWidget* PermitIssueTab::buildMemberBox()
{
    auto* row = new QHBoxLayout;
    auto* member = new QGridLayout;
    const auto memberEdit = [this](const char* field) {
        DbEdit* edit = displayEdit(QStringLiteral("DBEdit") + QLatin1String(field));
        edit->setProperty("field", QLatin1String(field));
        m_memberEdits << edit;
        return edit;
    };
    member->addWidget(new QLabel(QStringLiteral("Člen:")), 0, 0);
    member->addWidget(memberEdit("CLEN_CISLO"), 0, 1);
    member->addWidget(memberEdit("JMENO"), 0, 2);
    member->addWidget(memberEdit("PRIJMENI"), 0, 3);
    member->addWidget(new QLabel(QStringLiteral("Kategorie:")), 1, 0);
    member->addWidget(memberEdit("KATEGORIE"), 1, 1);
    member->addWidget(memberEdit("DATUM_NAROZENI"), 1, 2);
    row->addWidget(group(QStringLiteral(" Vybraný člen "), member));

    DbEdit* year = displayEdit(QStringLiteral("DBEditPRACOVNI_ROK"));
    m_setupEdits << year;
    auto* yearLayout = new QHBoxLayout;
    yearLayout->addWidget(year);
    row->addWidget(group(QStringLiteral("Na rok "), yearLayout));

    m_memberNumber = new QLineEdit;
    m_memberNumber->setObjectName(QStringLiteral("EditVydejClen"));
    m_memberNumber->setToolTip(QStringLiteral("ENTER - potvrzení čísla člena"));
    m_memberNumber->setMaxLength(6);
    connect(m_memberNumber, &QLineEdit::returnPressed, this, &PermitIssueTab::locateMember);
    auto* numberLayout = new QHBoxLayout;
    numberLayout->addWidget(m_memberNumber);
    row->addWidget(group(QStringLiteral(" Zadej číslo člena "), numberLayout));

    m_pozor = memberEdit("POZOR");
    m_pozor->setToolTip(QStringLiteral("Dvojklikem se záznam vyřídí"));
    m_pozor->showAsMark();
    m_pozor->installEventFilter(this);
    row->addWidget(m_pozor);
    auto* box = new QWidget;
    box->setLayout(row);
    return box;
}

void PermitIssueTab::buildFeeGroups(QGridLayout* grid)
{
    QGridLayout* columns[IssueFeeItems::groupCount];
    for (int g = 0; g < IssueFeeItems::groupCount; ++g) {
        columns[g] = new QGridLayout;
        m_masters[g] = new QCheckBox(IssueFeeItems::masterCaption(Group(g)));
        m_masters[g]->setObjectName(masterNames[g]);
        connect(m_masters[g], &QCheckBox::clicked, this, [this, g] { onMasterClicked(Group(g)); });
        columns[g]->addWidget(m_masters[g], 0, 0, 1, 2);
        grid->addWidget(group(groupTitles[g], columns[g]), 0, g, Qt::AlignTop);
    }
    for (const IssueFeeItems::Item& item : IssueFeeItems::all()) {
        auto* tick = new QCheckBox(item.caption);
        tick->setObjectName(QStringLiteral("CheckBox") + QString::number(item.box));
        tick->setChecked(item.tickedAtOpen);
        connect(tick, &QCheckBox::clicked, this, [this, &item] { fillItem(item); });
        auto* amount = new DbEdit;
        amount->setObjectName(QStringLiteral("DBEdit") + item.field);
        connect(amount, &QLineEdit::textChanged, this, &PermitIssueTab::RecalcIssueTotal);
        QGridLayout* column = columns[int(item.group)];
        const int row = column->rowCount();
        column->addWidget(tick, row, 0);
        column->addWidget(amount, row, 1);
        m_ticks.insert(item.field, tick);
        m_amounts.insert(item.field, amount);
    }
}

QWidget* PermitIssueTab::buildPaymentBox()
{
    auto* layout = new QGridLayout;
    const auto paymentEdit = [this](const char* field) {
        DbEdit* edit = displayEdit(QStringLiteral("DBEdit") + QLatin1String(field));
        edit->setProperty("field", QLatin1String(field));
        m_paymentEdits << edit;
        return edit;
    };
    const auto sumarEdit = [this](const char* field) {
        DbEdit* edit = displayEdit(QStringLiteral("DBEdit") + QLatin1String(field));
        edit->setProperty("field", QLatin1String(field));
        m_memberEdits << edit;
        return edit;
    };
    layout->addWidget(new QLabel(QStringLiteral("Povolenka pro rok:")), 0, 0);
    layout->addWidget(paymentEdit("ROK"), 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("ze dne:")), 0, 2);
    layout->addWidget(paymentEdit("VYDANO"), 0, 3);
    layout->addWidget(new QLabel(QStringLiteral("Celkem:")), 0, 4);
    m_total = paymentEdit("CELKEM_KC");
    layout->addWidget(m_total, 0, 5);
    layout->addWidget(new QLabel(QStringLiteral("Kč")), 0, 6);
    layout->addWidget(new QLabel(QStringLiteral("Sumář MP :")), 1, 0);
    layout->addWidget(sumarEdit("LAST_SUMAR_MP"), 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Sumář PS :")), 1, 2);
    layout->addWidget(sumarEdit("LAST_SUMAR_PS"), 1, 3);

    m_returnBox = new ReturnBox(QStringLiteral("Povol"));
    layout->addWidget(m_returnBox, 1, 4, 1, 2);

    m_labelCestna = new QLabel(QStringLiteral("Čestná povolenka"));
    m_labelCestna->setObjectName(QStringLiteral("LabelCestna"));
    m_labelCestna->hide();
    layout->addWidget(m_labelCestna, 1, 6);

    m_navigator = new DbNavigator;
    m_navigator->setObjectName(QStringLiteral("DBNavigatorPovol"));
    m_navigator->setHint(Button::Prior, QStringLiteral("Ukaž další povolenku"));
    m_navigator->setHint(Button::Next, QStringLiteral("Ukaž předchozí povolenku"));
    m_navigator->setHint(Button::Insert, QStringLiteral("Vytvoř novou povolenku"));
    m_navigator->setHint(Button::Delete, QStringLiteral("Vynaž tuto povolenku"));
    m_navigator->setHint(Button::Post, QStringLiteral("Dokonči tuto povolenku"));
    m_navigator->setVisibleButtons(browsingButtons);
    m_navigator->setFocusPolicy(Qt::StrongFocus);
    m_navigator->setDeleteConfirmation(
        [this] { return m_issuing || Messages::askYesNo(QStringLiteral("Smazat záznam?")); });
    connect(m_navigator, &DbNavigator::acted, this,
            [this](Button button) { onNavigatorActed(int(button)); });
    // Finishing an issue stores the payment and the member's paid year together.
    m_navigator->setCustomAction(
        Button::Post, [this] { m_issuing ? FinishIssue() : m_data->TablePovol().post(); });
    layout->addWidget(m_navigator, 2, 0, 1, 7);
    auto* box = new QWidget;
    box->setLayout(layout);
    return box;
}

QWidget* PermitIssueTab::buildOptions()
{
    auto* row = new QHBoxLayout;
    const auto option = [row](const QString& name, const QString& caption, bool ticked) {
        auto* box = new QCheckBox(caption);
        box->setObjectName(name);
        box->setChecked(ticked);
        row->addWidget(box);
        return box;
    };
    m_printReceipt =
        option(QStringLiteral("CheckBoxTiskPotvrzeni"), QStringLiteral("Tisk potvrzení"), true);
    m_printAttendance =
        option(QStringLiteral("CheckBoxTiskDochazky"), QStringLiteral("Tisk docházky"), true);
    m_scannerIssues =
        option(QStringLiteral("CheckBoxSnimac"), QStringLiteral("Snímač -> výdej nové"), false);
    const auto button = [this, row](const QString& name, const QString& caption, auto slot) {
        auto* b = new QPushButton(caption);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, QtEdge::slot(this, slot));
        row->addWidget(b);
        return b;
    };
    m_repeat = button(QStringLiteral("ButtonOpakovatTisk"), QStringLiteral("Opakovat TISK"),
                      &PermitIssueTab::repeatPrint);
    m_repeat->setEnabled(false);
    button(QStringLiteral("ButtonTiskPrukazu"), QStringLiteral("Tisk členského průkazu"),
           &PermitIssueTab::printMembershipCard);
    button(QStringLiteral("ButtonTiskPovolenky"), QStringLiteral("Tisk kartičky povolenky"),
           &PermitIssueTab::printPermitCard);
    button(QStringLiteral("ButtonTiskPrevodky"), QStringLiteral("Tisk převodky"),
           &PermitIssueTab::printTransferForm);
    auto* box = new QWidget;
    box->setLayout(row);
    return box;
}

void PermitIssueTab::attach(TDataModule1& data, ReportRunner& reports)
{
    m_data = &data;
    m_documents = std::make_unique<IssueDocuments>(data, reports);
    m_returnBox->attach(data);
    bindInputs();
    watchLeaving();
}

void PermitIssueTab::bindInputs()
{
    for (DbEdit* edit : std::as_const(m_memberEdits))
        edit->bind(&m_data->TableClenove(), edit->property("field").toString());
    for (DbEdit* edit : std::as_const(m_paymentEdits))
        edit->bind(&m_data->TablePovol(), edit->property("field").toString());
    for (DbEdit* edit : std::as_const(m_setupEdits))
        edit->bind(&m_data->TableSetup(), QStringLiteral("PRACOVNI_ROK"));
    for (auto it = m_amounts.cbegin(); it != m_amounts.cend(); ++it)
        it.value()->bind(&m_data->TablePovol(), it.key());
    m_navigator->setDataSet(&m_data->TablePovol());
}

void PermitIssueTab::watchLeaving()
{
    // Inside the members cursor's announcement: an error is told once it is over.
    connect(&m_data->TableClenove(), &DataSet::recordChanged, this,
            QtEdge::slot(this, &PermitIssueTab::onMemberMoved, QtEdge::Tell::Later));
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            m_tabs = tabs;
            connect(tabs, &QTabWidget::currentChanged, this,
                    QtEdge::slot(this, &PermitIssueTab::onTabChanged));
            break;
        }
    }
    if (window() != this)
        window()->installEventFilter(this);
}

void PermitIssueTab::setPrintSettings(const PrintSettings* settings)
{
    if (m_documents)
        m_documents->setPrintSettings(settings);
}

void PermitIssueTab::setHonoraryPermitShown(bool shown)
{
    if (!m_issueOwnsLabel)
        m_labelCestna->setVisible(shown);
}

void PermitIssueTab::disableRepeatPrint()
{
    m_repeat->setEnabled(false);
}

void PermitIssueTab::SetFeeEditable(bool on)
{
    for (DbEdit* amount : std::as_const(m_amounts))
        amount->setEnabled(on);
}

// --- The issue --------------------------------------------------------------------------

void PermitIssueTab::startNewIssue()
{
    if (!m_issuing)
        m_navigator->click(Button::Insert);
}

bool PermitIssueTab::scannerStartsIssue() const
{
    return isVisible() && m_scannerIssues->isChecked();
}

void PermitIssueTab::onNavigatorActed(int button)
{
    try {
        switch (Button(button)) {
        case Button::Insert:
            beginIssue();
            break;
        case Button::Delete:
            endIssue();
            break;
        default:
            break;
        }
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

void PermitIssueTab::setIssuing(bool on)
{
    m_issuing = on;
    m_navigator->setVisibleButtons(on ? issuingButtons : browsingButtons);
    m_memberNumber->setEnabled(!on);
    // A mark walks the member's payments, among them the one being issued.
    m_returnBox->setEnabled(!on);
    if (on) {
        m_issuingMember = currentMemberNumber();
        m_issuingMemberMark = m_data->TableClenove().bookmark();
    }
    emit issuingChanged(on);
}

void PermitIssueTab::beginIssue()
{
    Table& payment = m_data->TablePovol();
    if (const QString refusal = issueRefusal(); !refusal.isEmpty()) {
        payment.cancel();
        Messages::error(refusal);
        return;
    }
    SetFeeEditable(true);
    payment.fieldByName(QStringLiteral("ROK")).setValue(feeRowAmount(QStringLiteral("ROK")));
    payment.fieldByName(QStringLiteral("CLEN_CISLO")).setAsString(currentMemberNumber());
    setIssuing(true);
    m_issueOwnsLabel = true;
    const bool buysPermit =
        m_masters[int(Group::MP)]->isChecked() || m_masters[int(Group::PS)]->isChecked();
    m_ticks.value(QStringLiteral("BRIGADA"))->setChecked(!brigadeDone() && buysPermit);
    for (Group g : {Group::Basic, Group::MP, Group::PS})
        onMasterClicked(g);
    // The record stays unsaved until the issue is finished, so an issue broken off, or a
    // program ended meanwhile, leaves no half-made payment behind.
    RecalcIssueTotal();
    m_navigator->setFocus();
}

QString PermitIssueTab::issueRefusal()
{
    if (m_data->TableClenove().isEmpty())
        return QStringLiteral("Není vybrán žádný člen; povolenku nelze vydat.");
    const QString category =
        m_data->TableClenove().fieldByName(QStringLiteral("KATEGORIE")).asString();
    if (feeRowAmount(QStringLiteral("ROK")).isNull())
        return QStringLiteral("Pro kategorii „%1“ člena %2 není v nastavení řádek poplatků "
                              "s rokem; povolenku nelze vydat. Doplňte ho v okně Nastavení.")
            .arg(category, currentMemberNumber());
    return {};
}

void PermitIssueTab::FinishIssue()
{
    Table& payment = m_data->TablePovol();
    IssueDocuments::IssuePrint print;
    try {
        payment.fieldByName(QStringLiteral("CELKEM_KC"))
            .setAsInteger(fieldSum(QStringList(m_amounts.keys())));
        payment.fieldByName(QStringLiteral("VYDANO")).setAsDate(QDate::currentDate());
        const QList<IssueFeeItems::PermitKind>& kinds = IssueFeeItems::permitKinds();
        for (qsizetype k = 0; k < kinds.size(); ++k)
            workOutCard(kinds[k], print.cards[size_t(k)]);
        // From here the label shows the completed record, marks included.
        m_issueOwnsLabel = false;
        // A typed 0 counts: the member is in the register for the year, free of charge.
        m_data->recordIssue(!m_amounts.value(QStringLiteral("CLEN_PRISP"))->text().isEmpty());
    } catch (const EngineError& e) {
        abandonIssue(e.message());
        return;
    }
    m_issuedPayment = payment.bookmark();
    setIssuing(false);
    m_lastPrint = print;
    repeatPrint();
    m_repeat->setEnabled(true);
    SetFeeEditable(false);
}

void PermitIssueTab::abandonIssue(const QString& reason)
{
    // Nothing of the issue was stored: the tab goes back to browsing, where every stored
    // payment is deleted only after its question and with its cancellation receipt.
    m_data->TablePovol().cancel();
    endIssue();
    Messages::error(reason + QStringLiteral("\n\rVýdej povolenky byl zrušen, nic z něj nebylo "
                                            "uloženo."));
}

void PermitIssueTab::workOutCard(const IssueFeeItems::PermitKind& kind, IssueDocuments::Card& card)
{
    Table& payment = m_data->TablePovol();
    const bool master = m_masters[int(kind.group)]->isChecked();
    if (fieldSum(kind.permits) > 0 || master) {
        card.print = true;
        if (!kind.returnMark.isEmpty())
            payment.fieldByName(kind.returnMark).setAsString(QStringLiteral("NE"));
    }
    const bool wholeYear = payment.fieldByName(kind.yearly).asInteger() > 0 ||
                           payment.fieldByName(kind.nationwide).asInteger() > 0 ||
                           (master && honoraryWhileIssuing(kind));
    if (wholeYear) {
        const int year = m_data->workingYear();
        card.from = yearStart(year);
        card.to = yearEnd(year);
    }
}

void PermitIssueTab::endIssue()
{
    const bool labelWasOwned = m_issueOwnsLabel;
    m_issueOwnsLabel = false;
    setIssuing(false);
    m_repeat->setEnabled(false);
    SetFeeEditable(false);
    if (labelWasOwned)
        m_data->DataSourcePovolDataChange();
}

void PermitIssueTab::repeatPrint()
{
    Table& payment = m_data->TablePovol();
    // The receipt is of the issued record, also when other records were browsed since.
    if (m_issuedPayment >= 0 && payment.bookmark() != m_issuedPayment)
        payment.gotoBookmark(m_issuedPayment);
    IssueDocuments::IssuePrint print = m_lastPrint;
    print.attendanceCards = m_printAttendance->isChecked();
    print.receipt = m_printReceipt->isChecked();
    print.honorary = !m_labelCestna->isHidden();
    m_documents->PrintIssueDocuments(print);
}

void PermitIssueTab::PrintStornoReceipt()
{
    if (m_issuing || !m_documents)
        return;
    Table& payment = m_data->TablePovol();
    const DataSet::Bookmark mark = payment.bookmark();
    m_documents->printStornoReceipt(!m_labelCestna->isHidden());
    if (payment.bookmark() != mark)
        payment.gotoBookmark(mark);
}

void PermitIssueTab::printMembershipCard()
{
    m_documents->printMembershipCard();
}

void PermitIssueTab::printTransferForm()
{
    m_documents->printTransferForm();
}

void PermitIssueTab::printPermitCard()
{
    m_documents->printPermitCard();
}

// --- Filling the fee items --------------------------------------------------------------

void PermitIssueTab::fillItem(const IssueFeeItems::Item& item)
{
    if (!m_issuing || !m_data->TablePovol().isEditing())
        return;
    const bool wanted = m_ticks.value(item.field)->isChecked() &&
                        (!item.hasMaster || m_masters[int(item.group)]->isChecked());
    try {
        m_data->TablePovol()
            .fieldByName(item.field)
            .setValue(wanted ? feeRowAmount(item.field) : QVariant());
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

void PermitIssueTab::onMasterClicked(Group group)
{
    for (const QString& field : IssueFeeItems::masterOrder(group))
        fillItem(IssueFeeItems::byField(field));
    if (group != Group::Basic)
        RecalcIssueTotal();
}

QVariant PermitIssueTab::feeRowAmount(const QString& field)
{
    Table& feeRow = m_data->TablePovolSetClen();
    if (!feeRow.isActive() || feeRow.isEmpty())
        return {};
    return feeRow.fieldByName(field).value();
}

qint64 PermitIssueTab::inputAmount(const QString& field) const
{
    // Half-typed text ("-") counts as nothing until it is a number.
    return m_amounts.value(field)->text().trimmed().toLongLong();
}

qint64 PermitIssueTab::fieldSum(const QStringList& fields)
{
    qint64 sum = 0;
    for (const QString& field : fields)
        sum += m_data->TablePovol().fieldByName(field).asInteger();
    return sum;
}

bool PermitIssueTab::honoraryWhileIssuing(const IssueFeeItems::PermitKind& kind) const
{
    qint64 sum = 0;
    bool ticked = false;
    for (const QString& field : kind.permits) {
        sum += inputAmount(field);
        ticked = ticked || m_ticks.value(field)->isChecked();
    }
    return sum == 0 && ticked && m_masters[int(kind.group)]->isChecked();
}

void PermitIssueTab::RecalcIssueTotal()
{
    // The inputs also change while the issued record is being deleted.
    if (!m_issuing || !m_data->TablePovol().isEditing())
        return;
    qint64 total = 0;
    for (const IssueFeeItems::Item& item : IssueFeeItems::all())
        total += inputAmount(item.field);
    try {
        m_data->TablePovol().fieldByName(QStringLiteral("CELKEM_KC")).setAsInteger(total);
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
    bool honorary = false;
    for (const IssueFeeItems::PermitKind& kind : IssueFeeItems::permitKinds())
        honorary = honorary || honoraryWhileIssuing(kind);
    m_labelCestna->setVisible(honorary);
}

bool PermitIssueTab::brigadeDone() const
{
    return m_brigadeDone;
}

// --- Choosing the member ----------------------------------------------------------------

QString PermitIssueTab::currentMemberNumber()
{
    return m_data->TableClenove().fieldByName(QStringLiteral("CLEN_CISLO")).asString();
}

void PermitIssueTab::locateMember()
{
    Table& members = m_data->TableClenove();
    const QString number = m_memberNumber->text().trimmed();
    try {
        if (number.isEmpty())
            members.refresh();
        else if (!members.locate(QStringLiteral("CLEN_CISLO"), number))
            Messages::error(QStringLiteral("Člen NEEXISTUJE !!!"));
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

void PermitIssueTab::settleNote()
{
    Table& members = m_data->TableClenove();
    try {
        members.edit();
        members.fieldByName(QStringLiteral("POZOR")).clear();
        members.post();
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

void PermitIssueTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_memberNumber->setFocus();
}

// --- Leaving an issue unfinished --------------------------------------------------------

bool PermitIssueTab::eventFilter(QObject* watched, QEvent* event)
{
    // The window's hiding passes here, where no box may open: an error is told once it is over.
    return QtEdge::valueOr([&] { return filterEvent(watched, event); }, false) ||
           QWidget::eventFilter(watched, event);
}

bool PermitIssueTab::filterEvent(QObject* watched, QEvent* event)
{
    if (watched == m_pozor && event->type() == QEvent::MouseButtonDblClick && m_data) {
        settleNote();
        return true;
    }
    if (watched == window() && event->type() == QEvent::Hide && !event->spontaneous() &&
        m_issuing && !m_resolving)
        resolveUnfinishedIssue(Leaving::Window);
    return false;
}

void PermitIssueTab::onMemberMoved()
{
    if (!m_issuing || m_resolving)
        return;
    if (m_data->TableClenove().state() != DataSet::State::Browse)
        return;
    if (currentMemberNumber() != m_issuingMember)
        resolveUnfinishedIssue(Leaving::Member);
}

void PermitIssueTab::onTabChanged(int index)
{
    if (!m_issuing || m_resolving || m_tabs->widget(index) == this)
        return;
    if (!resolveUnfinishedIssue(Leaving::Tab))
        m_tabs->setCurrentWidget(this);
}

QString PermitIssueTab::unfinishedIssueQuestion(Leaving how) const
{
    QString text = QStringLiteral("Výdej povolenky pro člena %1 není dokončen.\n\r"
                                  "Dokončit ho (uložit a vytisknout doklady)?\n\r"
                                  "Ne = rozpracovanou povolenku zrušit")
                       .arg(m_issuingMember);
    if (how == Leaving::Tab)
        text += QStringLiteral("\n\rStorno = pokračovat ve výdeji");
    return text;
}

bool PermitIssueTab::resolveUnfinishedIssue(Leaving how)
{
    m_resolving = true;
    const QString question = unfinishedIssueQuestion(how);
    const Messages::Answer answer =
        how == Leaving::Tab
            ? Messages::askYesNoCancel(question)
            : (Messages::askYesNo(question) ? Messages::Answer::Yes : Messages::Answer::No);
    if (answer == Messages::Answer::Cancel) {
        m_resolving = false;
        return false;
    }
    Table& members = m_data->TableClenove();
    const DataSet::Bookmark chosen = members.bookmark();
    const bool moved = how == Leaving::Member;
    try {
        // The issue is finished for the member it was begun for, whoever is current now.
        const bool finish = answer == Messages::Answer::Yes &&
                            (!moved || members.gotoBookmark(m_issuingMemberMark));
        m_navigator->click(finish ? Button::Post : Button::Delete);
        if (moved && !(finish && members.gotoBookmark(chosen)))
            m_data->DataSourceClenoveDataChange();
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
    m_resolving = false;
    return true;
}
