#include "TFClenove.h"

#include "PermitIssueTab.h"
#include "Query.h"
#include "TDataModule1.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QGroupBox* group(const QString& title, QLayout* content)
{
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    return box;
}
} // namespace

TFClenove::TFClenove(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TFClenove"));
    setWindowTitle(QStringLiteral("Členové"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->addTab(buildBasicDataTab(), QStringLiteral("Základní data"));
    m_tabs->addTab(new QWidget, QStringLiteral("Záznamy"));
    m_permitTab = new PermitIssueTab;
    m_tabs->addTab(m_permitTab, QStringLiteral("Povolenky-výdej"));
    m_tabs->addTab(buildPrintTab(), QStringLiteral("Tisk"));
    for (const char* caption : {"Peníze", "Jubilea - bydliště", "Správa dat", "Info"})
        m_tabs->addTab(new QWidget, QString::fromUtf8(caption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
}

TFClenove::~TFClenove() = default;

QWidget* TFClenove::buildBasicDataTab()
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);

    m_memberCount = new QLabel;
    m_memberCount->setObjectName(QStringLiteral("LabelClenuCelkem"));
    m_memberCount->setToolTip(QStringLiteral("Celkový počet členů"));
    auto* countLayout = new QHBoxLayout;
    countLayout->addWidget(m_memberCount);
    layout->addWidget(group(QStringLiteral(" Členů celkem "), countLayout));

    m_editBrigRok = new QLineEdit;
    m_editBrigRok->setObjectName(QStringLiteral("EditBrigRok"));
    m_editBrigRok->setToolTip(QStringLiteral("Vyhodnocovaný rok brigády"));
    m_editBrigRok->setMaxLength(4);
    auto* brigadeLayout = new QHBoxLayout;
    brigadeLayout->addWidget(m_editBrigRok);
    layout->addWidget(group(QStringLiteral(" Brigáda "), brigadeLayout));

    m_awardKinds = new QComboBox;
    m_awardKinds->setObjectName(QStringLiteral("ComboBoxVyznam"));
    m_awardKinds->setEditable(true);
    auto* awardLayout = new QHBoxLayout;
    awardLayout->addWidget(m_awardKinds);
    layout->addWidget(group(QStringLiteral("Vyznamenání"), awardLayout));

    m_labelMp = new QLabel(QStringLiteral("ANO"));
    m_labelMp->setObjectName(QStringLiteral("LabelMP"));
    m_labelPs = new QLabel(QStringLiteral("ANO"));
    m_labelPs->setObjectName(QStringLiteral("LabelPS"));
    m_returnedMp = new QCheckBox;
    m_returnedMp->setObjectName(QStringLiteral("CheckBoxMP"));
    m_returnedMp->setToolTip(QStringLiteral("Sumář MP vrácen"));
    m_returnedPs = new QCheckBox;
    m_returnedPs->setObjectName(QStringLiteral("CheckBoxPS"));
    m_returnedPs->setToolTip(QStringLiteral("Sumář PS vrácen"));
    auto* marks = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(m_labelMp), static_cast<QWidget*>(m_returnedMp),
                       static_cast<QWidget*>(m_labelPs), static_cast<QWidget*>(m_returnedPs)})
        marks->addWidget(w);
    layout->addWidget(group(QStringLiteral(" V roce "), marks));

    m_hoursRequired = new QLabel;
    m_hoursRequired->setObjectName(QStringLiteral("LabelPozad"));
    m_hoursWorked = new QLabel;
    m_hoursWorked->setObjectName(QStringLiteral("LabelOdprac"));
    m_checkBoxBrig = new QCheckBox;
    m_checkBoxBrig->setObjectName(QStringLiteral("CheckBoxBrig"));
    m_checkBoxBrig->setToolTip(QStringLiteral("Brigáda splněna"));
    brigadeLayout->addWidget(new QLabel(QStringLiteral("požad.")));
    brigadeLayout->addWidget(m_hoursRequired);
    brigadeLayout->addWidget(new QLabel(QStringLiteral("odprac.")));
    brigadeLayout->addWidget(m_hoursWorked);
    brigadeLayout->addWidget(m_checkBoxBrig);

    m_notes = new QPlainTextEdit;
    m_notes->setObjectName(QStringLiteral("DBMemoZaznamy"));
    m_notes->setToolTip(QStringLiteral("Dvojklikem se záznam vyřídí"));
    m_removedCount = new QLabel;
    m_removedCount->setObjectName(QStringLiteral("LabelVyrazeno"));
    layout->addWidget(m_notes);
    layout->addWidget(m_removedCount);

    layout->addWidget(buildFilterBox());
    layout->addStretch();
    return tab;
}

QWidget* TFClenove::buildFilterBox()
{
    auto* row = new QHBoxLayout;
    m_filterButtons = new QButtonGroup(this);
    m_filterButtons->setExclusive(true);
    for (const DisplayFilter& f : DisplayFilter::all()) {
        auto* button = new QPushButton(f.buttonCaption);
        button->setCheckable(true);
        button->setToolTip(f.hint);
        button->setChecked(f.kind == DisplayFilter::Kind::All);
        m_filterButtons->addButton(button, int(f.kind));
        row->addWidget(button);
    }
    connect(m_filterButtons, &QButtonGroup::idClicked, this,
            [this](int id) { runDisplayFilter(DisplayFilter::Kind(id)); });
    m_filterCategory = new QComboBox;
    m_filterCategory->setObjectName(QStringLiteral("ComboBoxKateg"));
    row->addWidget(m_filterCategory);
    m_filterCount = new QLabel;
    m_filterCount->setObjectName(QStringLiteral("LabelVyber"));
    row->addWidget(m_filterCount);
    return group(QStringLiteral(" Výběr podle "), row);
}

QWidget* TFClenove::buildPrintTab()
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    m_staticTextKdo = new QLabel;
    m_staticTextKdo->setObjectName(QStringLiteral("StaticTextKdo"));
    layout->addWidget(m_staticTextKdo);
    layout->addStretch();
    return tab;
}

void TFClenove::attach(TDataModule1& data, ReportRunner& reports)
{
    m_data = &data;
    m_permitTab->attach(data, reports);
    m_queryClenove = std::make_unique<Query>(data.database());
    m_queryClenove->setSql(
        {QStringLiteral("select * from CLENOVE"), QStringLiteral(" "), QStringLiteral(" ")});
    data.TablePovolSet().open();
    for (data.TablePovolSet().first(); !data.TablePovolSet().eof(); data.TablePovolSet().next())
        m_filterCategory->addItem(
            data.TablePovolSet().fieldByName(QStringLiteral("KATEGORIE")).asString());
}

void TFClenove::setEvaluatedBrigadeYear(const QString& year)
{
    m_editBrigRok->setText(year);
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

QString TFClenove::selectionCaption() const
{
    return m_staticTextKdo->text();
}

void TFClenove::runDisplayFilter(DisplayFilter::Kind kind)
{
    const DisplayFilter filter = DisplayFilter::all().at(int(kind));
    const int year = m_data->summaryYear();
    const QString category = m_filterCategory->currentText();
    Table& members = m_data->TableClenove();
    members.setFilter(filter.tableFilter(year, category));
    members.setFiltered(kind != DisplayFilter::Kind::All);
    m_filterButtons->button(int(kind))->setChecked(true);
    m_filterCount->setText(QString::number(members.recordCount()) + QLatin1Char(' ') +
                           filter.noun());
    m_queryClenove->setSql(filter.selectionLines(year, category));
    m_queryClenove->open();
    m_queryClenove->first();
    m_staticTextKdo->setText(filter.selectionCaption(year, category));
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
    }
    if (figures.notesKnown) {
        QPalette colours = m_notes->palette();
        colours.setColor(QPalette::Base, figures.noteOpen ? Qt::red : Qt::white);
        colours.setColor(QPalette::Text, figures.noteOpen ? QColor(Qt::white)
                                                          : palette().color(QPalette::WindowText));
        m_notes->setPalette(colours);
        m_permitTab->disableRepeatPrint();
    }
}

QString TFClenove::evaluatedBrigadeYear() const
{
    return m_editBrigRok->text();
}

void TFClenove::SetMemberEditable(bool on)
{
    for (QWidget* input : std::as_const(m_memberInputs))
        input->setEnabled(on);
}

void TFClenove::setHonoraryPermitShown(bool shown)
{
    m_permitTab->setHonoraryPermitShown(shown);
}

void TFClenove::setPrintSettings(const PrintSettings* settings)
{
    m_permitTab->setPrintSettings(settings);
}

void TFClenove::setRemovedCount(int count)
{
    m_removedCount->setText(QString::number(count));
}

void TFClenove::PrintStornoReceipt()
{
    m_permitTab->PrintStornoReceipt();
}
