#include "TSumarForm.h"

#include "CatchEntryTab.h"
#include "CatchExchangePanel.h"
#include "CatchOverviewTab.h"
#include "DbNavigator.h"
#include "DistrictTotalsPanel.h"
#include "DistrictsTab.h"
#include "QtEdge.h"
#include "WeightRangesTab.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

TSumarForm::TSumarForm(TDataModule1& data, ReportRunner& reports, const QString& folderSuffix,
                       QWidget* parent)
    : QDialog(parent)
    , m_data(data)
{
    setObjectName(QStringLiteral("TSumarForm"));
    setWindowTitle(QStringLiteral("Sumáře") + folderSuffix);
    m_tabs = new QTabWidget;
    m_entry = new CatchEntryTab(data);
    m_overview = new CatchOverviewTab(data);
    m_districts = new DistrictsTab(data);
    m_weights = new WeightRangesTab(data);
    m_totals = new DistrictTotalsPanel(data, reports, m_districts->progress());
    m_districts->addPanel(m_totals);
    m_exchange = new CatchExchangePanel(data, m_districts->progress());
    m_districts->addPanel(m_exchange);
    m_tabs->addTab(m_entry, QStringLiteral("Sumáře členů nové/opravy"));
    m_tabs->addTab(m_overview, QStringLiteral("Přehled sumáře členů"));
    m_tabs->addTab(m_districts, QStringLiteral("Sumáře MO / Revíry"));
    m_tabs->addTab(m_weights, QStringLiteral("Váhové rozsahy"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);

    connect(m_entry, &CatchEntryTab::overviewStale, this, &TSumarForm::markOverviewStale);
    connect(m_exchange, &CatchExchangePanel::yearTableAppended, this,
            &TSumarForm::markOverviewStale);
    connect(m_districts, &DistrictsTab::kindChosen, this,
            QtEdge::slot(this, &TSumarForm::chooseKind));
    connect(m_weights->rangeChecking(), &QCheckBox::toggled, this,
            [this](bool on) { m_entry->weightCheck().setRangeChecking(on); });
    showKind(data.catchKind());
    keepEnterForInputs();
    // The design size is the least the window needs; it may grow to the screen.
    setMinimumSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setMaximumSize(screen->availableSize());
}

TSumarForm::~TSumarForm() = default;

void TSumarForm::keepEnterForInputs()
{
    // Enter saves a return or finds a member; it must never press a button by the way.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void TSumarForm::saveRowBeforeScan()
{
    if (m_tabs->currentWidget() == m_entry && m_data.TableSumar().isEditing())
        m_entry->navigator().perform(DbNavigator::Button::Post);
}

void TSumarForm::startScannedReturn()
{
    if (m_tabs->currentWidget() == m_entry)
        m_entry->navigator().perform(DbNavigator::Button::Insert);
}

void TSumarForm::setMailAddress(std::function<QString()> address)
{
    m_exchange->setMailAddress(std::move(address));
}

void TSumarForm::markOverviewStale()
{
    m_overview->markStale();
}

bool TSumarForm::OverviewStale() const
{
    return m_overview->OverviewStale();
}

void TSumarForm::RefreshOverview(bool force, TDataModule1::Water kind, const QString& district)
{
    m_overview->RefreshOverview(force, kind, district);
}

bool TSumarForm::MarkSummaryReturned(TDataModule1::Water kind)
{
    return m_data.MarkSummaryReturned(kind);
}

void TSumarForm::SetEntryEnabled(bool on)
{
    m_entry->SetEntryEnabled(on);
}

void TSumarForm::MakeCSum()
{
    m_totals->MakeCSum();
}

void TSumarForm::chooseKind(TDataModule1::Water kind)
{
    m_data.switchCatchKind(kind);
    showKind(kind);
}

void TSumarForm::showKind(TDataModule1::Water kind)
{
    m_entry->showKind(kind);
    m_districts->showKind(kind);
    markOverviewStale();
}

void TSumarForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    SetEntryEnabled(false);
}

void TSumarForm::keyPressEvent(QKeyEvent* event)
{
    // Esc anywhere closes the window; what is typed is saved on the way out.
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSumarForm::done(int result)
{
    if (!m_entry->finishEntry())
        return;
    QDialog::done(result);
}
