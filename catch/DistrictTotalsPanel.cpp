#include "DistrictTotalsPanel.h"

#include "DistrictTotals.h"
#include "EngineError.h"
#include "Messages.h"
#include "QtEdge.h"
#include "ReportRunner.h"
#include "TDataModule1.h"
#include "TFormTiskSumA.h"
#include "TFormTiskSumB.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

bool isUserInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// Runs a user's action; the engine's error is shown and ends it.
template <class Action> void showingErrors(Action&& action)
{
    try {
        action();
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

} // namespace

DistrictTotalsPanel::DistrictTotalsPanel(TDataModule1& data, ReportRunner& reports,
                                         QProgressBar* progress, QWidget* parent)
    : QWidget(parent)
    , m_data(data)
    , m_reports(reports)
    , m_progress(progress)
    , m_reportA(std::make_unique<TFormTiskSumA>(data.TableCSum(), data.TableSetup()))
    , m_reportB(std::make_unique<TFormTiskSumB>(data.TableCSum(), data.TableSetup()))
{
    setObjectName(u"DistrictTotalsPanel"_s);
    auto* yearLine = new QHBoxLayout;
    yearLine->addWidget(new QLabel(u"Sumář MO za rok"_s));
    m_year = new QLabel;
    m_year->setObjectName(u"LabelSummaryYear"_s);
    yearLine->addWidget(m_year);
    yearLine->addStretch();

    auto* computeLine = new QHBoxLayout;
    m_compute = addButton(u"Výpočet ročního sumáře"_s, u"ButtonVypocet"_s);
    m_stop = addButton(u"STOP"_s, u"ButtonStop"_s);
    m_stop->setToolTip(u"Zastavit výpočet !"_s);
    m_stop->hide();
    computeLine->addWidget(m_compute);
    computeLine->addWidget(m_stop);
    m_preview = addButton(u"Prohlížení ročního sumáře"_s, u"ButtonProhlizeni"_s);
    m_print = addButton(u"Tisk ročního sumáře"_s, u"ButtonTisk"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(yearLine);
    layout->addLayout(computeLine);
    layout->addWidget(m_preview);
    layout->addWidget(m_print);
    layout->addStretch();

    connect(m_compute, &QPushButton::clicked, this,
            QtEdge::slot(this, &DistrictTotalsPanel::MakeCSum));
    connect(m_stop, &QPushButton::clicked, this,
            QtEdge::slot(this, &DistrictTotalsPanel::requestStop));
    connect(m_preview, &QPushButton::clicked, this,
            QtEdge::slot(this, &DistrictTotalsPanel::previewTotals));
    connect(m_print, &QPushButton::clicked, this,
            QtEdge::slot(this, &DistrictTotalsPanel::printTotals));
}

DistrictTotalsPanel::~DistrictTotalsPanel() = default;

QPushButton* DistrictTotalsPanel::addButton(const QString& caption, const QString& name)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    return button;
}

void DistrictTotalsPanel::MakeCSum()
{
    if (!m_running)
        showingErrors([this] { computeTotals(); });
}

void DistrictTotalsPanel::computeTotals()
{
    // The error box of a failure opens after the run, when input is taken again.
    setRunning(true);
    const auto finish = qScopeGuard([this] { setRunning(false); });
    const QString yearCatch = m_data.SumarName_by_Year(m_data.catchKind());
    const QString totalsTable = m_data.TableCSum().tableName();
    DistrictTotals totals(m_data.database());
    m_data.runBulkChange([&] {
        // Read after the pending edits are saved: a district just typed counts.
        Table& districts = m_data.TableReviry();
        if (!districts.isActive())
            districts.open();
        totals.rebuild(
            DistrictTotals::districtsOf(districts), yearCatch, totalsTable,
            [this](int finished, int total) { return districtFinished(finished, total); });
    });
}

bool DistrictTotalsPanel::districtFinished(int finished, int total)
{
    if (m_progress) {
        m_progress->setMaximum(total);
        m_progress->setValue(finished);
    }
    // The work runs on this thread: the window repaints and STOP is heard only here.
    QCoreApplication::processEvents();
    return !m_stopRequested;
}

void DistrictTotalsPanel::setRunning(bool running)
{
    m_running = running;
    m_stopRequested = false;
    m_stop->setVisible(running);
    for (QPushButton* button : {m_compute, m_preview, m_print})
        button->setEnabled(!running);
    // The totals are written in one transaction; what the user changed meanwhile elsewhere
    // would be stored, or lost, with it.
    if (running)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
    if (!running && m_progress)
        m_progress->setValue(0);
}

bool DistrictTotalsPanel::eventFilter(QObject* watched, QEvent* event)
{
    // Input reaches a window before its widget; only at the widget is STOP told apart.
    if (m_running && watched->isWidgetType() && watched != m_stop && isUserInput(event)) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DistrictTotalsPanel::previewTotals()
{
    showingErrors([this] {
        m_reports.preview(m_reportA->report());
        m_reports.preview(m_reportB->report());
    });
}

void DistrictTotalsPanel::printTotals()
{
    showingErrors([this] {
        if (!m_data.PrintsDirectly())
            return;
        m_reports.run(m_reportA->report(), true);
        m_reports.run(m_reportB->report(), true);
    });
}

void DistrictTotalsPanel::setSummaryYear(int year)
{
    m_year->setText(QString::number(year));
}

void DistrictTotalsPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    QtEdge::run([this] { setSummaryYear(m_data.summaryYear()); }, QtEdge::Tell::Later);
}
