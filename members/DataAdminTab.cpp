#include "DataAdminTab.h"

#include "EngineError.h"
#include "Messages.h"
#include "TDataModule1.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

DataAdminTab::DataAdminTab(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetSprava"));
    m_removedCount = new QLabel;
    m_removedCount->setObjectName(QStringLiteral("LabelVyrazeno"));
    auto* removed = new QHBoxLayout;
    removed->addWidget(new QLabel(QStringLiteral(" Členové dočasně vyřazení z evidence  -")));
    removed->addWidget(m_removedCount);
    removed->addWidget(new QLabel(QStringLiteral("členů")));
    removed->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(removed);
    layout->addWidget(buildOldRecordsBox());
    layout->addStretch();
}

QWidget* DataAdminTab::buildOldRecordsBox()
{
    m_editZrusit = new QLineEdit;
    m_editZrusit->setObjectName(QStringLiteral("EditZrusit"));
    m_editZrusit->setMaxLength(4);
    m_editZrusit->setValidator(new QIntValidator(0, 9999, m_editZrusit));
    auto* payments = new QPushButton(QStringLiteral("Povolenky"));
    payments->setObjectName(QStringLiteral("ButtonZrusitPovolenky"));
    auto* brigades = new QPushButton(QStringLiteral("Brigády"));
    brigades->setObjectName(QStringLiteral("ButtonZrusitBrigady"));
    connect(brigades, &QPushButton::clicked, this, &DataAdminTab::deleteOldBrigades);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Z roku")));
    row->addWidget(m_editZrusit);
    row->addWidget(new QLabel(QStringLiteral("a starší")));
    row->addWidget(payments);
    row->addWidget(brigades);
    auto* box = new QGroupBox(QStringLiteral(" Odstranění starých záznamů "));
    box->setLayout(row);
    return box;
}

void DataAdminTab::setRemovedCount(int count)
{
    m_removedCount->setText(QString::number(count));
}

void DataAdminTab::deleteOldBrigades()
{
    const QString year = m_editZrusit->text().trimmed();
    if (year.isEmpty() || !m_data)
        return;
    const QString question =
        QStringLiteral("Opravdu zrušit staré brigády do roku ") + year + QStringLiteral(" včetně ");
    if (Messages::askYesNoCancel(question) != Messages::Answer::Yes)
        return;
    int removed = 0;
    try {
        removed = m_data->deleteOldBrigades(year.toInt());
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return;
    }
    Messages::confirmWithOk(QStringLiteral("Zrušeno ") + QString::number(removed) +
                            QStringLiteral(" záznamů brigád"));
}
