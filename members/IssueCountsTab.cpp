#include "IssueCountsTab.h"

#include "DbEdit.h"
#include "EngineError.h"
#include "IssueCounts.h"
#include "Messages.h"
#include "QtEdge.h"
#include "TDataModule1.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

IssueCountsTab::IssueCountsTab(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetInfo"));
    m_year = new DbEdit;
    m_year->setObjectName(QStringLiteral("DBEditInfoRok"));
    auto* count = new QPushButton(QStringLiteral("Aktualizace informací"));
    count->setObjectName(QStringLiteral("ButtonInfo"));
    count->setToolTip(QStringLiteral("Proveď vždy po změně roku"));
    connect(count, &QPushButton::clicked, this, QtEdge::slot(this, &IssueCountsTab::countIssues));

    auto* year = new QHBoxLayout;
    year->addWidget(new QLabel(QStringLiteral("Informace pro rok :")));
    year->addWidget(m_year);
    year->addWidget(count);
    year->addStretch();

    auto* permits = new QHBoxLayout;
    permits->addWidget(
        buildGroup(QStringLiteral("  Vydané MP povolenky  "), {{"Roční :", "MP_ROCNI"},
                                                               {"Měsíční :", "MP_MESICNI"},
                                                               {"14 denní :", "MP_14_DNU"},
                                                               {"Týdenní :", "MP_TYDEN"},
                                                               {"Republiková :", "MP_CELOREP"},
                                                               {"Místní :", "MP_MISTNI"},
                                                               {"Čestná :", "MP_CESTNA"},
                                                               {"Vráceno :", "MP_VRACENO"},
                                                               {"Celkem vydáno :", "MP_CELKEM"}}));
    permits->addWidget(
        buildGroup(QStringLiteral("  Vydané PS povolenky  "), {{"Roční :", "PS_ROCNI"},
                                                               {"Měsíční :", "PS_MESICNI"},
                                                               {"Týdenní :", "PS_TYDEN"},
                                                               {"Republiková :", "PS_CELOREP"},
                                                               {"Místní :", "PS_MISTNI"},
                                                               {"Čestná :", "PS_CESTNA"},
                                                               {"Vráceno :", "PS_VRACENO"},
                                                               {"Celkem vydáno :", "PS_CELKEM"}}));
    permits->addWidget(buildGroup(QStringLiteral("  Vydané Místní povolenky  "),
                                  {{"Roční :", "MI_ROCNI"},
                                   {"Měsíční :", "MI_MESICNI"},
                                   {"Týdenní :", "MI_TYDEN"},
                                   {"Republiková :", "MI_CELOREP"},
                                   {"Místní :", "MI_MISTNI"},
                                   {"Celkem vydáno :", "MI_CELKEM"}}));
    permits->addWidget(
        buildGroup(QStringLiteral("  Ostatní manipulace  "), {{"Zápisné :", "ZAPISNE"},
                                                              {"Školení :", "SKOLENI"},
                                                              {"Legitimace :", "LEGITIMACE"},
                                                              {"Členství :", "CLEN_PRISP"},
                                                              {"Manipul. popl :", "MAN_POPLATEK"},
                                                              {"Placená brig. :", "BRIGADA"},
                                                              {"Stanovy ZEB :", "STANOVY_ZEB"},
                                                              {"Poštovné  :", "POSTOVNE"}}));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(year);
    layout->addLayout(permits);
    layout->addStretch();
}

DbEdit* IssueCountsTab::countFor(const QString& field)
{
    auto* count = new DbEdit;
    count->setObjectName(QStringLiteral("DBTextInfo") + field);
    // The figures are counted, never typed.
    count->setReadOnly(true);
    count->setFocusPolicy(Qt::NoFocus);
    m_counts.append({count, field});
    return count;
}

QWidget* IssueCountsTab::buildGroup(const QString& title, std::initializer_list<Line> lines)
{
    auto* grid = new QGridLayout;
    int row = 0;
    for (const Line& line : lines) {
        grid->addWidget(new QLabel(QString::fromUtf8(line.caption)), row, 0);
        grid->addWidget(countFor(QLatin1String(line.field)), row, 1);
        ++row;
    }
    auto* box = new QGroupBox(title);
    box->setLayout(grid);
    return box;
}

void IssueCountsTab::attach(TDataModule1& data)
{
    m_data = &data;
    Table& counts = data.TableNumPovol();
    m_year->bind(&counts, QStringLiteral("ROK"));
    for (const auto& [count, field] : std::as_const(m_counts))
        count->bind(&counts, field);
}

void IssueCountsTab::countIssues()
{
    if (!m_data)
        return;
    Table& counts = m_data->TableNumPovol();
    try {
        // The year typed is stored first, then counted.
        m_data->runBulkChange([&] {
            counts.first();
            IssueCounts(m_data->database())
                .count(int(counts.fieldByName(QStringLiteral("ROK")).asInteger()));
        });
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}
