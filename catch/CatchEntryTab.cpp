#include "CatchEntryTab.h"

#include "CatchFish.h"
#include "DataLinks.h"
#include "DataSetModel.h"
#include "DbEdit.h"
#include "DbNavigator.h"
#include "EngineError.h"
#include "FormParts.h"
#include "Messages.h"
#include "QtEdge.h"
#include "Table.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

using Nav = DbNavigator::Button;

namespace {
const QString memberNumber = QStringLiteral("CLEN_CISLO");

QLabel* bigYear()
{
    QLabel* year = FormParts::label(QString(), QStringLiteral("LabelRokSumare"));
    QFont font = year->font();
    font.setPointSize(20);
    font.setBold(true);
    year->setFont(font);
    return year;
}
} // namespace

CatchEntryTab::CatchEntryTab(TDataModule1& data, QWidget* parent)
    : QWidget(parent)
    , m_data(data)
    , m_districts(std::make_unique<Table>(data.database(), data.TableReviry().tableName()))
    , m_weights(std::make_unique<Table>(data.database(), QStringLiteral("VAHY.db")))
    , m_check([this](const QString& field) { return rangeOf(field); })
{
    setObjectName(QStringLiteral("TabSumareClenu"));
    auto* top = new QHBoxLayout;
    top->addWidget(buildKindBox());
    top->addWidget(buildDistrictBox());
    top->addWidget(buildMemberBox(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildReturnBox(), 1);
    setTabOrder();
    reloadDistricts();
    SetEntryEnabled(false);
}

CatchEntryTab::~CatchEntryTab() = default;

// ---- building -------------------------------------------------------------------------

DbEdit* CatchEntryTab::boundEdit(Table& table, const QString& field, bool readOnly)
{
    auto* edit = new DbEdit;
    edit->setObjectName(QStringLiteral("DBEdit") + field);
    edit->bind(&table, field);
    edit->setReadOnly(readOnly);
    if (readOnly)
        edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QWidget* CatchEntryTab::buildKindBox()
{
    QLabel* kind = FormParts::redMark(QStringLiteral("LabelTypSumare"), 28);
    kind->setToolTip(QStringLiteral("Typ zpracovávaných revírů"));
    m_kindMarks << kind;
    m_year = bigYear();
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(kind);
    layout->addWidget(m_year);
    return box;
}

QWidget* CatchEntryTab::buildDistrictBox()
{
    m_districtNumber = new QComboBox;
    m_districtNumber->setObjectName(QStringLiteral("ComboRevirCislo"));
    m_districtName = new QComboBox;
    m_districtName->setObjectName(QStringLiteral("ComboRevirNazev"));
    m_districtName->setMinimumContentsLength(20);
    for (QComboBox* selector : {m_districtNumber, m_districtName}) {
        selector->installEventFilter(this);
        connect(selector, &QComboBox::currentIndexChanged, this,
                [this, selector](int index) { followDistrict(selector, index); });
    }
    auto* layout = new QVBoxLayout;
    layout->addWidget(m_districtNumber);
    layout->addWidget(m_districtName);
    return FormParts::group(QStringLiteral(" Vyber revír "), layout);
}

QWidget* CatchEntryTab::buildMemberBox()
{
    m_byName = FormParts::button(QStringLiteral("Příjmení"), QStringLiteral("ButtonPrijmeni"));
    m_byNumber = FormParts::button(QStringLiteral("Čísla"), QStringLiteral("ButtonCisla"));
    auto* toggles = new QButtonGroup(this);
    for (QPushButton* b : {m_byName, m_byNumber}) {
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        toggles->addButton(b);
    }
    m_byName->setChecked(true);
    connect(m_byName, &QPushButton::clicked, this, [this] { showSearchByName(true); });
    connect(m_byNumber, &QPushButton::clicked, this, [this] { showSearchByName(false); });

    m_surnames = new QComboBox;
    m_surnames->setObjectName(QStringLiteral("ComboPrijmeni"));
    m_surnames->setToolTip(QStringLiteral("Určí se člen, pro kterého bude sumář"));
    m_surnameModel = new DataSetModel(this);
    m_surnameModel->setDataSet(&m_data.TableClenove());
    m_surnameModel->setColumns({DataSetColumn::titled(QStringLiteral("PRIJMENI"), {})});
    m_surnameModel->setReadOnly(true);
    // Sized by a surname's usual length: fitting the widest of every member's surname would
    // read the whole register each time the window is laid out.
    m_surnames->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_surnames->setMinimumContentsLength(20);
    m_surnames->setModel(m_surnameModel);
    if (auto* list = qobject_cast<QListView*>(m_surnames->view()))
        list->setUniformItemSizes(true);
    m_surnames->setCurrentIndex(m_surnameModel->cursorRow());
    connect(m_surnames, &QComboBox::activated, this,
            QtEdge::slot([this](int row) { m_surnameModel->moveCursorToRow(row); }));
    connect(m_surnameModel, &DataSetModel::cursorRowChanged, m_surnames,
            [this](int row) { m_surnames->setCurrentIndex(row); });
    m_surnames->installEventFilter(this);

    m_numberInput = new QLineEdit;
    m_numberInput->setObjectName(QStringLiteral("EditCisloClena"));
    connect(m_numberInput, &QLineEdit::returnPressed, this, QtEdge::slot([this] {
                if (!m_numberInput->text().isEmpty())
                    findMemberByNumber(m_numberInput->text());
            }));
    m_finderPages = new QStackedWidget;
    m_finderPages->addWidget(m_surnames);
    m_finderPages->addWidget(m_numberInput);

    Table& members = m_data.TableClenove();
    QPushButton* onlyThis =
        FormParts::button(QStringLiteral("Jen tento člen"), QStringLiteral("ButtonJenTentoClen"),
                          QStringLiteral("Záznamy tohoto příjmení  "));
    connect(onlyThis, &QPushButton::clicked, this,
            QtEdge::slot(this, &CatchEntryTab::showOnlyCurrentMember));
    m_noteInput = new QLineEdit;
    m_noteInput->setObjectName(QStringLiteral("EditZaznam"));
    m_noteInput->setToolTip(QStringLiteral("Text záznamu"));
    QPushButton* note = FormParts::button(QStringLiteral("Záznam"), QStringLiteral("ButtonZaznam"),
                                          QStringLiteral("Zápis záznamu do karty"));
    connect(note, &QPushButton::clicked, this, QtEdge::slot(this, &CatchEntryTab::addNote));

    auto* grid = new QGridLayout;
    grid->addWidget(FormParts::label(QStringLiteral("Člen podle")), 0, 0);
    grid->addLayout(FormParts::row({m_byName, m_byNumber}), 0, 1);
    grid->addWidget(m_finderPages, 1, 0, 1, 2);
    grid->addLayout(FormParts::row({boundEdit(members, memberNumber, true),
                                    boundEdit(members, QStringLiteral("JMENO"), true),
                                    boundEdit(members, QStringLiteral("ULICE"), true)}),
                    2, 0, 1, 2);
    grid->addLayout(FormParts::row({onlyThis, m_noteInput, note}), 3, 0, 1, 2);
    return FormParts::group(QStringLiteral(" Vyber člena "), grid);
}

QWidget* CatchEntryTab::buildReturnBox()
{
    Table& year = m_data.TableSumar();
    m_days = boundEdit(year, QStringLiteral("DOCHAZKA"), false);
    m_days->setToolTip(QStringLiteral("DOCHÁZKA  nemůže být nulová"));
    m_days->installEventFilter(this);
    m_entryInputs << m_districtName << m_days;
    DbEdit* note = boundEdit(m_data.TableClenove(), QStringLiteral("POZOR"), true);
    note->showAsMark();

    auto* head = new QGridLayout;
    head->addWidget(boundEdit(year, memberNumber, true), 0, 0);
    head->addWidget(boundEdit(year, QStringLiteral("PRIJMENI"), true), 0, 1);
    head->addWidget(boundEdit(year, QStringLiteral("REVIR_CISLO"), true), 1, 0);
    head->addWidget(boundEdit(year, QStringLiteral("REVIR_NAZEV"), true), 1, 1);
    head->addWidget(FormParts::label(QStringLiteral("Docházka:")), 2, 0);
    head->addWidget(m_days, 2, 1);
    head->addWidget(note, 3, 0, 1, 2);
    head->addWidget(buildNavigator(), 4, 0, 1, 2);
    head->setRowStretch(5, 1);

    auto* layout = new QHBoxLayout;
    layout->addLayout(head);
    layout->addWidget(buildSpeciesGrid(), 1);
    return FormParts::group(QStringLiteral(" Aktuální sumář člena "), layout);
}

QWidget* CatchEntryTab::buildSpeciesGrid()
{
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    const QList<CatchFish>& species = CatchFish::all();
    const int perColumn = int(species.size() + 1) / 2;
    for (int half = 0; half < 2; ++half)
        grid->addWidget(FormParts::label(QStringLiteral("kusu       kg")), 0, half * 3 + 1, 1, 2);
    Table& year = m_data.TableSumar();
    for (int i = 0; i < species.size(); ++i) {
        const CatchFish& s = species.at(i);
        auto* caption = new QLabel(s.caption());
        DbEdit* count = boundEdit(year, s.countField(), false);
        DbEdit* weight = boundEdit(year, s.weightField(), false);
        caption->setBuddy(count);
        const int row = 1 + i % perColumn;
        const int column = (i / perColumn) * 3;
        grid->addWidget(caption, row, column);
        grid->addWidget(count, row, column + 1);
        grid->addWidget(weight, row, column + 2);
        for (DbEdit* input : {count, weight}) {
            input->installEventFilter(this);
            m_entryInputs << input;
            m_speciesInputs.insert(input->link().fieldName(), input);
        }
        if (s.key())
            m_keyTargets.insert(s.key(), count);
    }
    // The heads stay on top of their inputs however tall the window is.
    grid->setRowStretch(1 + perColumn, 1);
    return box;
}

DbNavigator* CatchEntryTab::buildNavigator()
{
    m_navigator = new DbNavigator;
    m_navigator->setObjectName(QStringLiteral("NavigatorSumar"));
    m_navigator->setDataSet(&m_data.TableSumar());
    m_navigator->setVisibleButtons({Nav::Prior, Nav::Next, Nav::Insert, Nav::Delete, Nav::Edit,
                                    Nav::Post, Nav::Cancel, Nav::Refresh});
    m_navigator->setHints(
        {QStringLiteral("Jdi na předchozí záznam"), QStringLiteral("Jdi na následující záznam"),
         QStringLiteral("Vlož nový záznam pro tohoto člena"),
         QStringLiteral("Smaž aktuální záznam na disku"), QStringLiteral("Oprav aktuální záznam"),
         QStringLiteral("Ulož poslední záznam pro tohoto člena"), QStringLiteral("Zruš úpravy"),
         QStringLiteral("Zapiš úpravy")});
    m_navigator->setCustomAction(Nav::Insert, [this] { insertRow(); });
    m_navigator->setCustomAction(Nav::Post, [this] { saveRow(); });
    connect(m_navigator, &DbNavigator::acted, this,
            QtEdge::slot([this](DbNavigator::Button b) { afterNavigator(int(b)); }));
    return m_navigator;
}

void CatchEntryTab::setTabOrder()
{
    QList<QWidget*> chain{m_districtNumber, m_districtName, m_days};
    for (const CatchFish& s : CatchFish::all())
        chain << m_speciesInputs.value(s.countField()) << m_speciesInputs.value(s.weightField());
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

// ---- what the window shows --------------------------------------------------------------

void CatchEntryTab::showKind(TDataModule1::Water kind)
{
    for (QLabel* mark : m_kindMarks)
        mark->setText(kind == TDataModule1::Water::PS ? QStringLiteral("PS")
                                                      : QStringLiteral("MP"));
    m_districts->close();
    m_districts->setTableName(m_data.TableReviry().tableName());
    reloadDistricts();
}

void CatchEntryTab::showSummaryYear(int year)
{
    m_year->setText(QString::number(year));
}

void CatchEntryTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The district list may have been corrected on the totals tab meanwhile.
    QtEdge::run([this] {
        reloadDistricts();
        showSummaryYear(m_data.summaryYear());
    });
}

void CatchEntryTab::SetEntryEnabled(bool on)
{
    for (QWidget* input : m_entryInputs)
        input->setEnabled(on);
}

// ---- districts ----------------------------------------------------------------------------

void CatchEntryTab::reloadDistricts()
{
    if (!m_districts->isActive())
        m_districts->open();
    else
        m_districts->refresh();
    const QSignalBlocker numbers(m_districtNumber);
    const QSignalBlocker names(m_districtName);
    const QString chosen = m_districtNumber->currentText();
    m_districtNumber->clear();
    m_districtName->clear();
    for (m_districts->first(); !m_districts->eof(); m_districts->next()) {
        m_districtNumber->addItem(
            m_districts->fieldByName(QStringLiteral("REVIR_CISLO")).asString());
        m_districtName->addItem(m_districts->fieldByName(QStringLiteral("REVIR_NAZEV")).asString());
    }
    const int index = qMax(0, m_districtNumber->findText(chosen));
    m_districtNumber->setCurrentIndex(index);
    m_districtName->setCurrentIndex(index);
}

void CatchEntryTab::followDistrict(QComboBox* from, int index)
{
    if (m_syncingDistricts)
        return;
    m_syncingDistricts = true;
    (from == m_districtNumber ? m_districtName : m_districtNumber)->setCurrentIndex(index);
    m_syncingDistricts = false;
}

void CatchEntryTab::copyDistrictIntoRow()
{
    Table& year = m_data.TableSumar();
    const int index = m_districtNumber->currentIndex();
    if (index < 0 || (!year.isEditing() && year.isEmpty()))
        return;
    if (!year.isEditing())
        year.edit();
    year.fieldByName(QStringLiteral("REVIR_CISLO")).setAsString(m_districtNumber->itemText(index));
    year.fieldByName(QStringLiteral("REVIR_NAZEV")).setAsString(m_districtName->itemText(index));
    m_days->setFocus(Qt::OtherFocusReason);
}

// ---- members --------------------------------------------------------------------------------

void CatchEntryTab::showSearchByName(bool byName)
{
    m_byName->setChecked(byName);
    m_byNumber->setChecked(!byName);
    m_finderPages->setCurrentWidget(byName ? static_cast<QWidget*>(m_surnames) : m_numberInput);
    focusMemberFinder();
}

void CatchEntryTab::focusMemberFinder()
{
    m_finderPages->currentWidget()->setFocus(Qt::OtherFocusReason);
}

void CatchEntryTab::findMemberByNumber(const QString& number)
{
    if (!m_data.TableClenove().locate(memberNumber, number, true))
        Messages::error(QStringLiteral("Člen NEEXISTUJE !!!"));
}

void CatchEntryTab::showOnlyCurrentMember()
{
    Table& members = m_data.TableClenove();
    if (members.isEmpty())
        return;
    Table& year = m_data.TableSumar();
    year.setExactFilter(memberNumber, members.fieldByName(memberNumber).asString());
    year.setFiltered(true);
}

void CatchEntryTab::addNote()
{
    const QString note = m_noteInput->text();
    if (note.isEmpty())
        return;
    m_data.appendMemberNote(note);
    m_noteInput->clear();
}

// ---- the navigator ------------------------------------------------------------------------

void CatchEntryTab::insertRow()
{
    Table& members = m_data.TableClenove();
    if (members.isEmpty())
        throw EngineError(QStringLiteral("Není vybrán žádný člen; sumář nelze založit."),
                          EngineError::Kind::State);
    Table& year = m_data.TableSumar();
    if (year.isEditing())
        saveRow();
    year.insert();
    year.fieldByName(memberNumber).setAsString(members.fieldByName(memberNumber).asString());
    year.fieldByName(QStringLiteral("PRIJMENI"))
        .setAsString(members.fieldByName(QStringLiteral("PRIJMENI")).asString());
    year.fieldByName(QStringLiteral("PSTRUHOVA"))
        .setValue(m_data.catchKind() == TDataModule1::Water::PS);
}

void CatchEntryTab::saveRow()
{
    DataLinks::updateRecord(m_data.TableSumar());
    m_data.saveCatchReturn();
}

void CatchEntryTab::afterNavigator(int button)
{
    switch (Nav(button)) {
    case Nav::Insert:
        SetEntryEnabled(true);
        m_districtName->setFocus(Qt::OtherFocusReason);
        emit overviewStale();
        break;
    case Nav::Edit:
        emit overviewStale();
        SetEntryEnabled(true);
        break;
    case Nav::Post:
        emit overviewStale();
        SetEntryEnabled(false);
        focusMemberFinder();
        break;
    case Nav::Delete:
    case Nav::Cancel:
        SetEntryEnabled(false);
        emit overviewStale();
        break;
    default:
        break;
    }
}

bool CatchEntryTab::finishEntry()
{
    Table& year = m_data.TableSumar();
    if (!year.isEditing())
        return true;
    try {
        DataLinks::updateRecord(year);
        if (isEmptyNewRow(year))
            year.cancel();
        else
            m_data.saveCatchReturn();
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return false;
    }
    SetEntryEnabled(false);
    emit overviewStale();
    return true;
}

bool CatchEntryTab::isEmptyNewRow(Table& year)
{
    // A row started and left without days or catch holds nothing the secretary typed.
    if (year.state() != DataSet::State::Insert)
        return false;
    QStringList fields{QStringLiteral("DOCHAZKA")};
    for (const CatchFish& s : CatchFish::all())
        fields << s.countField() << s.weightField();
    for (const QString& field : fields)
        if (year.fieldByName(field).asFloat() != 0)
            return false;
    return true;
}

// ---- keys and the weight check ------------------------------------------------------------

WeightCheck::Range CatchEntryTab::rangeOf(const QString& weightField)
{
    if (!m_weights->isActive())
        m_weights->open();
    else
        m_weights->refresh();
    if (!m_weights->locate(QStringLiteral("DB_NAME"), weightField, false))
        return {};
    return {m_weights->fieldByName(QStringLiteral("KG_MIN")).asFloat(),
            m_weights->fieldByName(QStringLiteral("KG_MAX")).asFloat(),
            m_weights->fieldByName(QStringLiteral("USER_NAME")).asString()};
}

bool CatchEntryTab::isCatchInput(QObject* watched) const
{
    return watched == m_days ||
           (qobject_cast<DbEdit*>(watched) &&
            m_speciesInputs.contains(static_cast<DbEdit*>(watched)->link().fieldName()) &&
            m_speciesInputs.value(static_cast<DbEdit*>(watched)->link().fieldName()) == watched);
}

bool CatchEntryTab::isWeightInput(QObject* watched) const
{
    return watched != m_days && isCatchInput(watched) &&
           static_cast<DbEdit*>(watched)->link().fieldName().endsWith(QStringLiteral("_KG"));
}

bool CatchEntryTab::eventFilter(QObject* watched, QEvent* event)
{
    return QtEdge::valueOr(
        [&] {
            switch (event->type()) {
            case QEvent::KeyPress:
                if (watched == m_surnames &&
                    static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert) {
                    m_navigator->click(Nav::Insert);
                    return true;
                }
                return isCatchInput(watched) && inputKey(watched, static_cast<QKeyEvent*>(event));
            case QEvent::FocusIn:
                if (watched == m_surnames)
                    m_data.TableSumar().setFiltered(false);
                return false;
            case QEvent::FocusOut:
                inputLeft(watched, static_cast<QFocusEvent*>(event));
                return false;
            default:
                return false;
            }
        },
        false, QtEdge::Tell::Now);
}

void CatchEntryTab::inputLeft(QObject* watched, QFocusEvent* event)
{
    // A box opening or a list dropping down is no leaving; nor is the focus the check itself
    // puts back.
    if (m_checking || event->reason() == Qt::PopupFocusReason ||
        event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (watched == m_districtNumber || watched == m_districtName) {
        QTimer::singleShot(0, this, QtEdge::slot([this] { copyDistrictIntoRow(); }));
        return;
    }
    if (!isCatchInput(watched) || watched == m_days)
        return;
    auto* input = static_cast<DbEdit*>(watched);
    if (!isWeightInput(watched)) {
        if (m_check.rangeChecking())
            m_check.countLeft(input->text());
        return;
    }
    // Checked once the focus has settled, so a box may open and the focus may go back.
    QPointer<DbEdit> left(input);
    QTimer::singleShot(0, this, QtEdge::slot([this, left] {
                           if (left)
                               runCheck(left);
                       }));
}

void CatchEntryTab::runCheck(DbEdit* input)
{
    const WeightCheck::Verdict verdict = m_check.check(input->link().fieldName(), input->text());
    if (verdict == WeightCheck::Verdict::Passed)
        return;
    m_checking = true;
    const auto done = qScopeGuard([this] { m_checking = false; });
    if (verdict == WeightCheck::Verdict::MissingCount) {
        Messages::error(m_check.message());
        input->setFocus(Qt::OtherFocusReason);
        input->clear();
        input->commit();
        return;
    }
    if (Messages::askYesNo(m_check.message()))
        m_check.acceptUnusual();
    else
        input->setFocus(Qt::OtherFocusReason);
}

bool CatchEntryTab::inputKey(QObject* watched, QKeyEvent* event)
{
    m_check.startKey();
    const int key = event->key();
    const bool fromDays = watched == m_days;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!fromDays)
            runCheck(static_cast<DbEdit*>(watched));
        if (m_check.passed())
            saveByKey();
        return true;
    }
    if (key == Qt::Key_Space) {
        if (!fromDays)
            runCheck(static_cast<DbEdit*>(watched));
        if (m_check.passed())
            saveAndStartNext();
        return true;
    }
    const int letter = key & 0xFF;
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::ShiftModifier) {
        if (DbEdit* target = m_keyTargets.value(letter)) {
            target->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    return false;
}

void CatchEntryTab::saveByKey()
{
    m_navigator->click(Nav::Post);
    m_check.forgetCount();
}

void CatchEntryTab::saveAndStartNext()
{
    m_checking = true;
    m_speciesInputs.value(QStringLiteral("OSTATNI_KS"))->setFocus(Qt::OtherFocusReason);
    m_checking = false;
    m_navigator->click(Nav::Insert);
    m_check.forgetCount();
}
