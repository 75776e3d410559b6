#include "PrintTab.h"

#include "DbGrid.h"
#include "EngineError.h"
#include "FieldValue.h"
#include "FormParts.h"
#include "MailingList.h"
#include "MemberSelection.h"
#include "Messages.h"
#include "QtEdge.h"
#include "Query.h"
#include "RenderedDocument.h"
#include "ReportCsv.h"
#include "SafeFileDialog.h"
#include "Table.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

QCheckBox* option(const QString& caption, const QString& name, bool ticked)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    box->setChecked(ticked);
    return box;
}

QList<DataSetColumn> mailingListColumns()
{
    const auto column = [](const char* field, const char* title) {
        return DataSetColumn::titled(QLatin1String(field), QString::fromUtf8(title), true);
    };
    return {column("PRIJMENI", "PRIJMENI"), column("JMENO", "JMENO"), column("ULICE", "ULICE"),
            column("PSC", "PSČ"),           column("OBEC", "OBEC"),   column("PRILOHA", "př."),
            column("VYTISKNUTO", "Výtisk")};
}

} // namespace

PrintTab::PrintTab(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetTisk"));
    m_staticTextKdo = FormParts::label(QString(), QStringLiteral("StaticTextKdo"));
    m_staticTextKdo->setStyleSheet(QStringLiteral("background: yellow"));
    auto* right = new QVBoxLayout;
    right->addWidget(m_staticTextKdo);
    right->addWidget(buildEnvelopeBox());
    right->addWidget(buildGroupBox());
    right->addWidget(buildSummaryBox());
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildMailingListGrid(), 1);
    layout->addLayout(right);
}

QWidget* PrintTab::buildMailingListGrid()
{
    m_grid = new DbGrid;
    m_grid->setObjectName(QStringLiteral("DBGridZpravod"));
    m_grid->setReadOnly(true);
    m_grid->setToolTip(QStringLiteral("Dvojklikem tiskni jednotlivé členy"));
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &PrintTab::envelopeRequested);
    auto* layout = new QVBoxLayout;
    layout->addWidget(new QLabel(QStringLiteral("Aktuální adresář tisku na zprávy")));
    layout->addWidget(m_grid, 1);
    auto* box = new QWidget;
    box->setLayout(layout);
    return box;
}

QWidget* PrintTab::buildEnvelopeBox()
{
    QPushButton* rebuild =
        FormParts::button(QStringLiteral("Adresář"), QStringLiteral("ButtonAdresar"),
                          QStringLiteral("Vytvoří nový adresář zpráv"));
    connect(rebuild, &QPushButton::clicked, this,
            QtEdge::slot(this, &PrintTab::rebuildMailingList));
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_remaining = new QLineEdit;
    m_remaining->setObjectName(QStringLiteral("EditZbyva"));
    m_remaining->setReadOnly(true);
    m_editKolik = new QLineEdit(QStringLiteral("100"));
    m_editKolik->setObjectName(QStringLiteral("Edit_Kolik"));
    m_editKolik->setToolTip(QStringLiteral("Kolik adres na jednou"));
    QPushButton* print =
        FormParts::button(QStringLiteral("Tisk "), QStringLiteral("ButtonTiskObalek"));
    connect(print, &QPushButton::clicked, this, &PrintTab::envelopesRequested);
    m_merge = option(QStringLiteral("Slučovat stejné adresy členů"),
                     QStringLiteral("CheckBoxSlucovat"), true);
    m_chapterAddress =
        option(QStringLiteral("Tisk adresy MO"), QStringLiteral("CheckBoxAdresaMO"), true);
    QPushButton* mark =
        FormParts::button(QStringLiteral("Oznac"), QStringLiteral("ButtonOznac"),
                          QStringLiteral("Označí \"kolik\" jako vytištěné od aktuální pozice"));
    connect(mark, &QPushButton::clicked, this, QtEdge::slot([this] { markMade(); }));

    auto* layout = new QVBoxLayout;
    layout->addLayout(FormParts::row({rebuild, m_progress}));
    layout->addLayout(FormParts::row({new QLabel(QStringLiteral("zbývá ")), m_remaining, print,
                                      new QLabel(QStringLiteral("kolik")), m_editKolik, mark}));
    QPushButton* csv =
        FormParts::button(QStringLiteral("Adresář do CSV"), QStringLiteral("ButtonAdresarCsv"),
                          QStringLiteral("Uloží adresář zpráv pro tabulkový procesor"));
    connect(csv, &QPushButton::clicked, this, QtEdge::slot(this, &PrintTab::chooseMailingListCsv));
    layout->addLayout(FormParts::row({m_merge, csv}));
    layout->addWidget(m_chapterAddress);
    return FormParts::group(QStringLiteral(" Tisk adres na  obálky  "), layout);
}

QWidget* PrintTab::buildGroupBox()
{
    m_editSkupina = new QLineEdit;
    m_editSkupina->setObjectName(QStringLiteral("EditSkupina"));
    m_editSkupina->setToolTip(QStringLiteral("Zadej znak označující skupinu"));
    m_editSkupina->setMaxLength(2);
    QPushButton* alphabetical =
        FormParts::button(QStringLiteral("Abecedně"), QStringLiteral("ButtonAbecedne"));
    m_byNumber = FormParts::button(QStringLiteral("Podle čísel"), QStringLiteral("ButtonCisla"));
    auto* order = new QButtonGroup(this);
    for (QPushButton* b : {alphabetical, m_byNumber}) {
        b->setCheckable(true);
        order->addButton(b);
    }
    alphabetical->setChecked(true);
    m_complete = option(QStringLiteral("úplný"), QStringLiteral("CheckBoxUplny"), true);
    const auto printButton = [this](const QString& caption, const QString& name,
                                    void (PrintTab::*request)()) {
        QPushButton* b = FormParts::button(caption, name);
        connect(b, &QPushButton::clicked, this, request);
        return b;
    };
    auto* layout = new QVBoxLayout;
    layout->addWidget(m_editSkupina);
    layout->addWidget(printButton(QStringLiteral("Tisk adresáře skupiny"),
                                  QStringLiteral("ButtonTiskSkupiny"),
                                  &PrintTab::groupAddressListRequested));
    layout->addLayout(FormParts::row({alphabetical, m_byNumber}));
    layout->addWidget(printButton(QStringLiteral("Tisk volných čl. čísel skupiny"),
                                  QStringLiteral("ButtonVolnaCisla"),
                                  &PrintTab::freeNumbersRequested));
    layout->addLayout(FormParts::row(
        {printButton(QStringLiteral("Tisk brigád skupiny"), QStringLiteral("ButtonTiskBrigad"),
                     &PrintTab::brigadesRequested),
         m_complete}));
    layout->addWidget(printButton(QStringLiteral("Tisk celého adresáře"),
                                  QStringLiteral("ButtonTiskAdresare"),
                                  &PrintTab::addressListRequested));
    return FormParts::group(QStringLiteral("Tisk kontrolního adresáře "), layout);
}

QWidget* PrintTab::buildSummaryBox()
{
    m_summaryYear = FormParts::label(QString(), QStringLiteral("LabelRokSumTisk"));
    QPushButton* mp =
        FormParts::button(QStringLiteral("Nevrátili  MP"), QStringLiteral("ButtonNevratiliMP"));
    QPushButton* ps =
        FormParts::button(QStringLiteral("Nevrátili  PS"), QStringLiteral("ButtonNevratiliPS"));
    QPushButton* unpaid = FormParts::button(QStringLiteral("Nezaplatili členství"),
                                            QStringLiteral("ButtonNezaplatili"));
    connect(mp, &QPushButton::clicked, this,
            QtEdge::slot([this] { selectOwedReturns(TDataModule1::Water::MP); }));
    connect(ps, &QPushButton::clicked, this,
            QtEdge::slot([this] { selectOwedReturns(TDataModule1::Water::PS); }));
    connect(unpaid, &QPushButton::clicked, this, QtEdge::slot(this, &PrintTab::selectUnpaid));
    return FormParts::group(QStringLiteral(" Sumáře v roce  "),
                            FormParts::row({m_summaryYear, mp, ps, unpaid}));
}

void PrintTab::attach(TDataModule1& data, MemberSelection& selection)
{
    m_data = &data;
    m_selection = &selection;
    connect(&selection, &MemberSelection::captionChanged, m_staticTextKdo, &QLabel::setText);
    m_grid->setDataSet(&data.TableZpravod());
    m_grid->setColumns(mailingListColumns());
}

void PrintTab::saveMailingListCsv(const QString& path)
{
    RenderedDocument::DataTable table;
    table.columns = {QStringLiteral("PRIJMENI"), QStringLiteral("JMENO"),
                     QStringLiteral("TITUL"),    QStringLiteral("ULICE"),
                     QStringLiteral("PSC"),      QStringLiteral("OBEC"),
                     QStringLiteral("PRILOHA"),  QStringLiteral("VYTISKNUTO")};
    Table& list = m_data->TableZpravod();
    QList<int> fields;
    for (const QString& column : std::as_const(table.columns))
        fields << list.fieldIndex(column);
    for (int row = 0; row < list.recordCount(); ++row) {
        const QList<QVariant> record = list.recordAt(row);
        QList<QVariant> values;
        for (int field : std::as_const(fields))
            values << record.value(field);
        table.rows << values;
    }
    ReportCsv::saveTable(table, path);
}

void PrintTab::chooseMailingListCsv()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = SafeFileDialog::saveFile(
        this, QStringLiteral("Uložit adresář jako CSV"),
        QDir(folder).filePath(
            QStringLiteral("Adresar-zprav-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate))),
        QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty())
        saveMailingListCsv(path);
}

QString PrintTab::envelopeCount() const
{
    return m_editKolik->text();
}

QString PrintTab::group() const
{
    return m_editSkupina->text();
}

bool PrintTab::sortByNumber() const
{
    return m_byNumber->isChecked();
}

bool PrintTab::completeBrigades() const
{
    return m_complete->isChecked();
}

bool PrintTab::printChapterAddress() const
{
    return m_chapterAddress->isChecked();
}

void PrintTab::rebuildMailingList()
{
    // Households are told apart only among neighbours in surname order.
    if (sortByNumber())
        m_merge->setChecked(false);
    m_selection->reorder(QStringLiteral("ORDER BY PRIJMENI,CLEN_CISLO"));
    MailingList list(m_data->database());
    list.rebuild(m_selection->query(), m_merge->isChecked(),
                 [this](int done, int total) { m_progress->setValue(done * 100 / total); });
    Table& envelopes = m_data->TableZpravod();
    envelopes.refresh();
    envelopes.first();
    showRemaining();
    m_progress->setValue(0);
}

bool PrintTab::markMade()
{
    int count = 0;
    try {
        count = FieldValue::wholeNumberOf(m_editKolik->text());
    } catch (const EngineError& e) {
        Messages::error(e.message());
        return false;
    }
    MailingList(m_data->database()).markMade(m_data->TableZpravod(), count);
    showRemaining();
    return true;
}

void PrintTab::showRemaining()
{
    if (m_data)
        m_remaining->setText(QString::number(MailingList(m_data->database()).remaining()));
}

void PrintTab::selectOwedReturns(TDataModule1::Water kind)
{
    const QString year = QString::number(m_data->summaryYear());
    const QString water =
        kind == TDataModule1::Water::MP ? QStringLiteral("MP") : QStringLiteral("PS");
    m_selection->show(
        {QStringLiteral("select * from CLENOVE,POVOL"),
         QStringLiteral("where (CLENOVE.CLEN_CISLO=POVOL.CLEN_CISLO) and (POVOL.ROK=") + year +
             QStringLiteral(") and (") + water + QStringLiteral("_VRACENO='NE')"),
         QStringLiteral(" ORDER BY PRIJMENI ")},
        QStringLiteral("Nevrátili ") + water + QStringLiteral(" sumář ") + year);
}

void PrintTab::selectUnpaid()
{
    const QString year = QString::number(m_data->summaryYear());
    m_selection->show({QStringLiteral("select * from CLENOVE"),
                       QStringLiteral("where (LAST_CLENSTVI<") + year +
                           QStringLiteral(") or (LAST_CLENSTVI is null)"),
                       QStringLiteral("ORDER BY PRIJMENI ")},
                      QStringLiteral("Nezaplatili členství ") + year);
}
