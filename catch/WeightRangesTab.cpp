#include "WeightRangesTab.h"

#include "DataSetColumn.h"
#include "DataSetModel.h"
#include "DbGrid.h"
#include "FormParts.h"
#include "TDataModule1.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

WeightRangesTab::WeightRangesTab(TDataModule1& data, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabVahy"));
    m_grid = new DbGrid;
    m_grid->setObjectName(QStringLiteral("GridVahy"));
    m_grid->setDataSet(&data.TableVahy());
    m_grid->setColumns(
        {DataSetColumn::titled(QStringLiteral("USER_NAME"), QStringLiteral("Druh ryby"), true),
         DataSetColumn::titled(QStringLiteral("KG_MIN"), QStringLiteral("Minimum [kg]")),
         DataSetColumn::titled(QStringLiteral("KG_MAX"), QStringLiteral("Maximum [kg]"))});
    m_grid->installEventFilter(this);
    m_rangeChecking = new QCheckBox(QStringLiteral("Kontrola rozsahu vah"));
    m_rangeChecking->setObjectName(QStringLiteral("CheckBoxKontrolaVah"));
    m_rangeChecking->setToolTip(QStringLiteral("Povoluje kontrolu rozsahu při vkládání do sumáře"));
    m_rangeChecking->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FormParts::label(QStringLiteral("Obvyklé rozsahy průměrné hmotnosti ryb")));
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_rangeChecking);
}

bool WeightRangesTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress)
        return isRefusedKey(static_cast<QKeyEvent*>(event));
    return false;
}

bool WeightRangesTab::isRefusedKey(const QKeyEvent* event) const
{
    if (event->key() == Qt::Key_Insert)
        return true;
    if (event->key() == Qt::Key_Delete && event->modifiers().testFlag(Qt::ControlModifier))
        return true;
    // Down on the last row would start a new row.
    const int last = m_grid->dataModel()->rowCount() - 1;
    return event->key() == Qt::Key_Down && m_grid->currentIndex().row() >= last;
}
