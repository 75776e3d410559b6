#include "DistrictsTab.h"

#include "DataSetColumn.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "FormParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QVBoxLayout>

DistrictsTab::DistrictsTab(TDataModule1& data, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSumareMO"));
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("ProgressBarSumar"));
    m_progress->setValue(0);
    m_panels = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    right->addLayout(m_panels);
    right->addWidget(m_progress);
    right->addWidget(buildKindSwitch());
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildDistrictList(data), 1);
    layout->addLayout(right);
}

QWidget* DistrictsTab::buildDistrictList(TDataModule1& data)
{
    m_grid = new DbGrid;
    m_grid->setObjectName(QStringLiteral("GridReviry"));
    m_grid->setDataSet(&data.TableReviry());
    m_grid->setColumns(
        {DataSetColumn::titled(QStringLiteral("REVIR_CISLO"), QStringLiteral("Číslo revíru")),
         DataSetColumn::titled(QStringLiteral("REVIR_NAZEV"), QStringLiteral("Název revíru"))});
    auto* navigator = new DbNavigator;
    navigator->setObjectName(QStringLiteral("NavigatorReviry"));
    navigator->setDataSet(&data.TableReviry());
    m_kindMark = FormParts::redMark(QStringLiteral("LabelTypReviru"), 14);
    auto* layout = new QVBoxLayout;
    layout->addWidget(m_kindMark);
    layout->addWidget(m_grid, 1);
    layout->addWidget(navigator);
    return FormParts::group(QStringLiteral("Seznam               revírů -  přidávání a opravy"),
                            layout);
}

QWidget* DistrictsTab::buildKindSwitch()
{
    m_nonTrout = new QRadioButton(QStringLiteral("Mimopstruhové"));
    m_nonTrout->setObjectName(QStringLiteral("RadioMimopstruhove"));
    m_trout = new QRadioButton(QStringLiteral("Pstruhové"));
    m_trout->setObjectName(QStringLiteral("RadioPstruhove"));
    m_nonTrout->setChecked(true);
    connect(m_nonTrout, &QRadioButton::toggled, this, [this](bool on) {
        emit kindChosen(on ? TDataModule1::Water::MP : TDataModule1::Water::PS);
    });
    auto* layout = new QVBoxLayout;
    layout->addWidget(m_nonTrout);
    layout->addWidget(m_trout);
    return FormParts::group(QStringLiteral("  Nastaveno na revíry a sumáře  "), layout);
}

void DistrictsTab::addPanel(QWidget* panel)
{
    m_panels->addWidget(panel);
}

void DistrictsTab::showKind(TDataModule1::Water kind)
{
    const bool trout = kind == TDataModule1::Water::PS;
    m_kindMark->setText(trout ? QStringLiteral("PS") : QStringLiteral("MP"));
    const QSignalBlocker quiet(m_nonTrout);
    (trout ? m_trout : m_nonTrout)->setChecked(true);
}
