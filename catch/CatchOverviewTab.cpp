#include "CatchOverviewTab.h"

#include "CatchFish.h"
#include "DataSetColumn.h"
#include "DbGrid.h"
#include "FormParts.h"
#include "QtEdge.h"
#include "Table.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CatchOverviewTab::CatchOverviewTab(TDataModule1& data, QWidget* parent)
    : QWidget(parent)
    , m_data(data)
    , m_rows(std::make_unique<Table>(data.database()))
{
    setObjectName(QStringLiteral("TabPrehledSumare"));
    m_grid = new DbGrid;
    m_grid->setObjectName(QStringLiteral("GridPrehled"));
    m_grid->setReadOnly(true);
    setUpColumns();
    m_rowLabel = FormParts::label(QStringLiteral("0"), QStringLiteral("LabelPocetZaznamu"));
    m_memberLabel = FormParts::label(QStringLiteral("0"), QStringLiteral("LabelPocetClenu"));
    m_districts = new QComboBox;
    m_districts->setObjectName(QStringLiteral("ComboPrehledRevir"));
    m_districtToggle = FormParts::button(QStringLiteral("Revír"), QStringLiteral("ButtonRevir"));
    connect(m_districtToggle, &QPushButton::clicked, this,
            QtEdge::slot(this, &CatchOverviewTab::toggleDistrict));

    auto* counts = new QHBoxLayout;
    counts->addWidget(FormParts::label(QStringLiteral("Sumář obsahuje")));
    counts->addWidget(m_rowLabel);
    counts->addWidget(FormParts::label(QStringLiteral("záznamů od")));
    counts->addWidget(m_memberLabel);
    counts->addWidget(FormParts::label(QStringLiteral("členů")));
    counts->addStretch(1);
    counts->addWidget(m_districts);
    counts->addWidget(m_districtToggle);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(counts);
}

CatchOverviewTab::~CatchOverviewTab() = default;

void CatchOverviewTab::setUpColumns()
{
    QList<DataSetColumn> columns{
        DataSetColumn::titled(QStringLiteral("CLEN_CISLO"), QStringLiteral("Člen č.")),
        DataSetColumn::titled(QStringLiteral("PRIJMENI"), QStringLiteral("Příjmení")),
        DataSetColumn::titled(QStringLiteral("REVIR_CISLO"), QStringLiteral("Revír č.")),
        DataSetColumn::titled(QStringLiteral("REVIR_NAZEV"), QStringLiteral("Název revíru")),
        DataSetColumn::titled(QStringLiteral("DOCHAZKA"), QStringLiteral("Doch"))};
    bool tinted = false;
    for (const CatchFish& s : CatchFish::all()) {
        // Every other pair tinted, so the eye keeps a count with its weight.
        const QColor tint = tinted ? QColor(Qt::cyan) : QColor();
        DataSetColumn count = DataSetColumn::titled(s.countField(), s.overviewTitle(), true, tint);
        DataSetColumn weight =
            DataSetColumn::titled(s.weightField(), QStringLiteral("kg"), true, tint);
        // Narrow, so that a good part of the catch fits beside the member.
        count.width = weight.width = 48;
        columns << count << weight;
        tinted = !tinted;
    }
    m_grid->setColumns(columns);
}

void CatchOverviewTab::RefreshOverview(bool force, TDataModule1::Water kind,
                                       const QString& district)
{
    if (!force)
        return;
    m_grid->setDataSet(nullptr);
    // A cursor in the overview's order rather than a query copying every row: a season holds
    // many thousands of rows, and the grid reads only those it shows.
    m_rows->close();
    m_rows->setTableName(m_data.SumarName_by_Year(kind));
    m_rows->setIndexFieldNames(QStringLiteral("PRIJMENI;CLEN_CISLO;REVIR_NAZEV"));
    if (district.isEmpty())
        m_rows->setFiltered(false);
    else {
        m_rows->setExactFilter(QStringLiteral("REVIR_NAZEV"), district);
        m_rows->setFiltered(true);
    }
    m_rows->open();
    m_rows->keepOrderIndexed();
    m_rows->refresh();
    m_rowCount = m_rows->recordCount();
    m_memberCount = countMembers();
    m_grid->setDataSet(m_rows.get());
    m_rowLabel->setText(QString::number(m_rowCount));
    m_memberLabel->setText(QString::number(m_memberCount));
    m_stale = false;
    m_filtered = !district.isEmpty();
    m_rows->first();
}

int CatchOverviewTab::countMembers()
{
    // Each change of the member number from the row before starts another member.
    int members = 0;
    QVariant previous;
    bool first = true;
    for (const QVariant& number : m_rows->fieldValues(QStringLiteral("CLEN_CISLO"))) {
        if (first || number != previous)
            ++members;
        previous = number;
        first = false;
    }
    return members;
}

void CatchOverviewTab::toggleDistrict()
{
    const bool showAll = m_filtered || m_stale;
    RefreshOverview(true, m_data.catchKind(), showAll ? QString() : m_districts->currentText());
    m_districtToggle->setText(showAll ? QStringLiteral("Revír") : QStringLiteral("Všechno"));
}

void CatchOverviewTab::fillDistricts()
{
    const QString chosen = m_districts->currentText();
    m_districts->clear();
    Table& districts = m_data.TableReviry();
    for (int i = 0; i < districts.recordCount(); ++i)
        m_districts->addItem(districts.recordAt(i)
                                 .value(districts.fieldIndex(QStringLiteral("REVIR_NAZEV")))
                                 .toString());
    m_districts->setCurrentIndex(qMax(0, m_districts->findText(chosen)));
}

void CatchOverviewTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    QtEdge::run(
        [this] {
            fillDistricts();
            if (m_stale)
                m_districtToggle->setText(QStringLiteral("Revír"));
            RefreshOverview(m_stale, m_data.catchKind());
            m_grid->setDataSet(m_rows.get());
        },
        QtEdge::Tell::Later);
}

void CatchOverviewTab::hideEvent(QHideEvent* event)
{
    m_grid->setDataSet(nullptr);
    QWidget::hideEvent(event);
}
