#include "MoneyTab.h"

#include "DataSetColumn.h"
#include "DbGrid.h"
#include "FieldDef.h"
#include "FieldValue.h"
#include "Messages.h"
#include "MoneyOverview.h"
#include "PrintSettings.h"
#include "QtEdge.h"
#include "Query.h"
#include "ReportRunner.h"
#include "TDataModule1.h"
#include "TFormJmenovite.h"
#include "TFormTPrehled.h"
#include "TFormTVycet.h"
#include "Table.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The date fields take two digits, a point, two digits, a point and four digits.
QString fieldText(const QDate& date)
{
    return date.toString(u"dd.MM.yyyy"_s);
}

QLineEdit* dateField(const QString& name)
{
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setInputMask(u"99.99.9999;_"_s);
    return field;
}

QList<DataSetColumn> dayTotalsColumns()
{
    const QColor grey(128, 128, 128);
    const QColor lime(0, 255, 0);
    const QColor aqua(0, 255, 255);
    QList<DataSetColumn> columns{
        DataSetColumn::titled(u"VYDANO"_s, u"Dne"_s, true),
        DataSetColumn::titled(u"CELKEM_KC"_s, u"Celkem Kč"_s, true),
        DataSetColumn::titled(u"POCET_POVOLENEK"_s, u"Počet výdejů"_s, true)};
    const QList<std::pair<const char*, const char*>> coloured[] = {{{"ZAPISNE", "Zápis"},
                                                                    {"SKOLENI", "Školení"},
                                                                    {"LEGITIMACE", "Leg."},
                                                                    {"CLEN_PRISP", "Čl.př."},
                                                                    {"MAN_POPLATEK", "man.pl."},
                                                                    {"BRIGADA", "Brigada"},
                                                                    {"STANOVY_ZEB", "St.ZEB"}},
                                                                   {{"MP_ROCNI", "MP roční"},
                                                                    {"MP_MESICNI", "MP měsíc"},
                                                                    {"MP_14_DNU", "MP 14 d."},
                                                                    {"MP_TYDEN", "MP týden"},
                                                                    {"MP_CELOREP", "MP repub."},
                                                                    {"MP_MISTNI", "MP místní"},
                                                                    {"MP_RAD", "MP řád"}},
                                                                   {{"PS_ROCNI", "PS roční"},
                                                                    {"PS_MESICNI", "PS měsíc"},
                                                                    {"PS_TYDEN", "PS týden"},
                                                                    {"PS_CELOREP", "PS repub"},
                                                                    {"PS_MISTNI", "PS místní"},
                                                                    {"PS_RAD", "PS řád"}}};
    const QColor colours[] = {grey, lime, aqua};
    for (int group = 0; group < 3; ++group)
        for (const auto& [field, title] : coloured[group])
            columns << DataSetColumn::titled(QLatin1String(field), QString::fromUtf8(title), true,
                                             colours[group]);
    for (const char* field :
         {"MI_ROCNI", "MI_MESICNI", "MI_TYDEN", "MI_CELOREP", "MI_MISTNI", "MI_RAD"})
        columns << DataSetColumn::titled(QLatin1String(field), QLatin1String(field), true);
    return columns;
}

// Enables the button again however the work under it ends.
class BusyButton {
public:
    explicit BusyButton(QPushButton* button)
        : m_button(button)
    {
        m_button->setEnabled(false);
    }
    ~BusyButton() { m_button->setEnabled(true); }
    BusyButton(const BusyButton&) = delete;
    BusyButton& operator=(const BusyButton&) = delete;

private:
    QPushButton* m_button;
};

} // namespace

MoneyTab::MoneyTab(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"TabSheetPenize"_s);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildComputeGroup());
    layout->addWidget(buildDayTotalsGrid(), 1);
    layout->addWidget(buildPrintButtons());
}

MoneyTab::~MoneyTab() = default;

QPushButton* MoneyTab::button(const QString& name, const QString& caption,
                              void (MoneyTab::*handler)())
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, QtEdge::slot(this, handler));
    return b;
}

QWidget* MoneyTab::buildComputeGroup()
{
    m_today = button(u"ButtonDnes"_s, u"Kč  dnes"_s, &MoneyTab::computeToday);
    m_period = button(u"ButtonOdDo"_s, u"Kč    od  ... do"_s, &MoneyTab::computePeriod);
    m_from = dateField(u"MaskEditOd"_s);
    m_to = dateField(u"MaskEditDo"_s);
    m_to->setText(fieldText(QDate::currentDate()));
    m_kind = new QComboBox;
    m_kind->setObjectName(u"ComboBoxFiltr"_s);
    m_kind->addItems(
        {u"všichni"_s, u"zápisné"_s, u"školení"_s, u"legitimace"_s, u"členství"_s, u"brigáda"_s});
    m_amount = new QLineEdit;
    m_amount->setObjectName(u"EditCastka"_s);
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index == 0)
            m_amount->clear();
    });

    auto* grid = new QGridLayout;
    grid->addWidget(m_today, 0, 0);
    grid->addWidget(button(u"ButtonJmenDnes"_s, u"Jmenovitě"_s, &MoneyTab::showTodayByName), 1, 0);
    grid->addWidget(m_period, 0, 1);
    grid->addWidget(button(u"ButtonJmenOdDo"_s, u"Jmenovitě"_s, &MoneyTab::showPeriodByName), 1, 1);
    grid->addWidget(new QLabel(u"Od data včetně"_s), 0, 2);
    grid->addWidget(m_from, 0, 3);
    grid->addWidget(new QLabel(u"Do data včetně"_s), 1, 2);
    grid->addWidget(m_to, 1, 3);
    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel(u"Filtr jmenovitého výpisu plateb"_s));
    filter->addWidget(m_kind);
    filter->addWidget(new QLabel(u"="_s));
    filter->addWidget(m_amount);
    filter->addStretch();
    grid->addLayout(filter, 2, 0, 1, 4);
    grid->setColumnStretch(4, 1);
    auto* group = new QGroupBox(u" Výpočet přehledu vybraných peněz za povolenky "_s);
    group->setLayout(grid);
    return group;
}

QWidget* MoneyTab::buildDayTotalsGrid()
{
    m_grid = new DbGrid;
    m_grid->setObjectName(u"DBGridSumPovol"_s);
    m_grid->setReadOnly(true);
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(u"Přehled vybraných peněz  za povolenky / členství"_s));
    layout->addWidget(m_grid);
    return box;
}

QWidget* MoneyTab::buildPrintButtons()
{
    const auto connected = [this](const QString& name, const QString& caption, auto handler) {
        auto* b = new QPushButton(caption);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, QtEdge::slot(handler));
        return b;
    };
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->addWidget(
        connected(u"ButtonUkazSoupisku"_s, u"Ukázat soupisku"_s, [this] { showListing(false); }));
    layout->addWidget(
        connected(u"ButtonTiskSoupisky"_s, u"Tisk soupisky"_s, [this] { showListing(true); }));
    layout->addWidget(
        connected(u"ButtonUkazPrehled"_s, u"Ukázat přehled"_s, [this] { showOverview(false); }));
    layout->addWidget(
        connected(u"ButtonTiskPrehledu"_s, u"Tisk přehledu"_s, [this] { showOverview(true); }));
    layout->addStretch();
    return row;
}

void MoneyTab::attach(TDataModule1& data, ReportRunner& reports)
{
    m_data = &data;
    m_reports = &reports;
    Table& dayTotals = data.TableSumPovol();
    Table& setup = data.TableSetup();
    m_grid->setDataSet(&dayTotals);
    m_grid->setColumns(dayTotalsColumns());
    m_queryJmen = std::make_unique<Query>(data.database());
    m_listing = std::make_unique<TFormTVycet>(data.TableVycetka(), dayTotals, setup);
    m_overview = std::make_unique<TFormTPrehled>(dayTotals, setup, false);
    m_overviewLocal = std::make_unique<TFormTPrehled>(dayTotals, setup, true);
    m_named = std::make_unique<TFormJmenovite>(*m_queryJmen, setup, false);
    m_namedLocal = std::make_unique<TFormJmenovite>(*m_queryJmen, setup, true);
}

void MoneyTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_data)
        QtEdge::run([this] { m_from->setText(fieldText(QDate(m_data->workingYear(), 1, 1))); },
                    QtEdge::Tell::Later);
}

QDate MoneyTab::typedDate(const QLineEdit* field)
{
    return FieldValue::normalize(FieldDef::date(u"VYDANO"_s), field->text()).toDate();
}

void MoneyTab::computeWith(QPushButton* button, const QDate& from, const QDate& to)
{
    BusyButton busy(button);
    MoneyOverview money(m_data->database());
    const MoneyOverview::Outcome outcome = money.compute(from, to);
    for (Table* table : {&m_data->TableSumPovol(), &m_data->TableVycetka()}) {
        if (table->isActive())
            table->refresh();
        else
            table->open();
    }
    if (outcome == MoneyOverview::Outcome::WrongDates)
        Messages::error(u"Chybné datum !!!"_s);
}

void MoneyTab::computeToday()
{
    const QDate today = QDate::currentDate();
    computeWith(m_today, today, today);
}

void MoneyTab::computePeriod()
{
    computeWith(m_period, typedDate(m_from), typedDate(m_to));
}

void MoneyTab::showTodayByName()
{
    const QDate today = QDate::currentDate();
    showByName(today, today, u" "_s, 0, QString());
}

void MoneyTab::showPeriodByName()
{
    const QDate from = typedDate(m_from);
    const QDate to = typedDate(m_to);
    showByName(from, to, u"od "_s + m_from->text() + u" do "_s + m_to->text(),
               m_kind->currentIndex(), m_amount->text());
}

void MoneyTab::showByName(const QDate& from, const QDate& to, const QString& rangeCaption, int kind,
                          const QString& amount)
{
    MoneyOverview::openNamedPayments(*m_queryJmen, from, to, MoneyOverview::Kind(kind), amount);
    TFormJmenovite& form = localPermits() ? *m_namedLocal : *m_named;
    form.setRangeCaption(rangeCaption);
    m_reports->preview(form.report());
}

void MoneyTab::showListing(bool printButton)
{
    deliver(m_listing->report(), printButton);
}

void MoneyTab::showOverview(bool printButton)
{
    deliver((localPermits() ? m_overviewLocal : m_overview)->report(), printButton);
}

bool MoneyTab::localPermits() const
{
    return m_settings && m_settings->localPermitOverviews();
}

void MoneyTab::deliver(Report& report, bool printButton)
{
    if (printButton)
        m_reports->run(report, m_data->PrintsDirectly());
    else
        m_reports->preview(report);
}
