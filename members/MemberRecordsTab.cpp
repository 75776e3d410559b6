#include "MemberRecordsTab.h"

#include "DbEdit.h"
#include "DbGrid.h"
#include "DbMemo.h"
#include "EngineError.h"
#include "Messages.h"
#include "TDataModule1.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int detailColumnWidth = 45;

struct PaymentColumn {
    const char* field;
    const char* title;
    bool shownAtOpen;
};

// The payment grid's columns in their order; CLEN_CISLO is only the link to the member.
constexpr PaymentColumn paymentColumns[] = {
    {"CLEN_CISLO", "", false},         {"ROK", "ROK", true},
    {"ZAPISNE", "ZAPIS", true},        {"SKOLENI", "ŠKOL", false},
    {"LEGITIMACE", "LEGIT", false},    {"CLEN_PRISP", "Člen", true},
    {"MAN_POPLATEK", "Man.p.", false}, {"BRIGADA", "BRIG", true},
    {"STANOVY_ZEB", "Stan", false},    {"POSTOVNE", "Pošt.", false},
    {"MP_ROCNI", " MP", true},         {"MP_MESICNI", "MP m", false},
    {"MP_14_DNU", "MP 14", false},     {"MP_TYDEN", "MP 7", false},
    {"MP_CELOREP", "MP ČR", true},     {"MP_MISTNI", "MP míst", false},
    {"MP_RAD", "MP řád", false},       {"PS_ROCNI", " PS", true},
    {"PS_MESICNI", "PS m", false},     {"PS_TYDEN", "PS 7", false},
    {"PS_CELOREP", "PS ČR", true},     {"PS_MISTNI", "PS míst", false},
    {"PS_RAD", "PS řád", false},       {"MI_ROCNI", "Mi roční", false},
    {"MI_MESICNI", "Mi měs", false},   {"MI_TYDEN", "Mi týd.", false},
    {"MI_CELOREP", "Mi 1", false},     {"MI_MISTNI", "Mi mistní", false},
    {"MI_RAD", "Mi řád", false},       {"CELKEM_KC", "Suma", true},
    {"VYDANO", "  Vydáno", true},      {"MP_VRACENO", "vr.MP", true},
    {"PS_VRACENO", "vr.PS", true}};

// Hidden at open but not the member link, which is never shown.
bool isDetailColumn(int column)
{
    return column > 0 && !paymentColumns[column].shownAtOpen;
}

DataSetColumn column(const QString& field, const QString& title, bool visible = true)
{
    DataSetColumn c;
    c.field = field;
    c.title = title;
    c.visible = visible;
    return c;
}

QList<DataSetColumn> paymentGridColumns()
{
    QList<DataSetColumn> columns;
    for (const PaymentColumn& p : paymentColumns)
        columns << column(QLatin1String(p.field), QString::fromUtf8(p.title), p.shownAtOpen);
    return columns;
}

QGroupBox* framed(const QString& title, QWidget* content)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

DbGrid* grid(const QString& name)
{
    auto* g = new DbGrid;
    g->setObjectName(name);
    g->setReadOnly(true);
    return g;
}

} // namespace

MemberRecordsTab::MemberRecordsTab(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetZaznamy"));
    m_notes = new DbMemo;
    m_notes->setObjectName(QStringLiteral("DBMemoZaznamy"));
    m_notes->setToolTip(QStringLiteral("Dvojklikem se záznam vyřídí"));
    m_notes->installEventFilter(this);
    m_notes->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildMemberLine());
    layout->addWidget(framed(QStringLiteral(" Záznamy  "), m_notes));
    layout->addWidget(buildGrids(), 1);
    auto* moves = new QHBoxLayout;
    for (const bool forward : {false, true}) {
        auto* button = new QPushButton(forward ? QStringLiteral("vpřed") : QStringLiteral("vzad"));
        button->setObjectName(forward ? QStringLiteral("ButtonVpred")
                                      : QStringLiteral("ButtonVzad"));
        connect(button, &QPushButton::clicked, this, [this, forward] { moveMember(forward); });
        moves->addWidget(button);
        m_moveButtons << button;
    }
    moves->addStretch();
    layout->addLayout(moves);
}

QWidget* MemberRecordsTab::buildMemberLine()
{
    auto* line = new QWidget;
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    for (const char* field : {"CLEN_CISLO", "JMENO", "PRIJMENI"}) {
        auto* edit = new DbEdit;
        edit->setObjectName(QStringLiteral("Zaznamy_") + QLatin1String(field));
        edit->setEnabled(false);
        m_memberFields << edit;
        row->addWidget(edit);
    }
    return line;
}

QWidget* MemberRecordsTab::buildGrids()
{
    m_payments = grid(QStringLiteral("DBGridPovol"));
    m_payments->setToolTip(QStringLiteral("Podrobně kliknout na hlavičku tabulky"));
    connect(m_payments, &DbGrid::titleClicked, this, &MemberRecordsTab::toggleDetailColumns);
    m_brigades = grid(QStringLiteral("DBGridBrigady"));
    m_awards = grid(QStringLiteral("DBGridVyznam"));
    m_awards->setReadOnly(false);

    auto* lower = new QHBoxLayout;
    lower->addWidget(framed(QStringLiteral(" Odpracované brigády "), m_brigades), 3);
    lower->addWidget(framed(QStringLiteral("Vyznamenání"), m_awards), 2);
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(framed(QStringLiteral(" Vydané povolenky "), m_payments), 1);
    layout->addLayout(lower, 1);
    return box;
}

void MemberRecordsTab::attach(TDataModule1& data)
{
    m_data = &data;
    const QStringList fields{QStringLiteral("CLEN_CISLO"), QStringLiteral("JMENO"),
                             QStringLiteral("PRIJMENI")};
    for (int i = 0; i < m_memberFields.size(); ++i)
        m_memberFields[i]->bind(&data.TableClenove(), fields[i]);
    m_notes->bind(&data.TableClenove(), QStringLiteral("ZAZNAMY"));
    m_payments->setDataSet(&data.TablePovol());
    m_payments->setColumns(paymentGridColumns());
    m_brigades->setDataSet(&data.TableBrigady());
    m_brigades->setColumns({column(QStringLiteral("DATUM"), {}),
                            column(QStringLiteral("HODIN"), QStringLiteral("HOD")),
                            column(QStringLiteral("AKCE"), {}),
                            column(QStringLiteral("ZAPSAL"), {})});
    m_awards->setDataSet(&data.TableVyznam());
    m_awards->setColumns(
        {column(QStringLiteral("DATUM_UDELENI"), QStringLiteral("Datum")),
         column(QStringLiteral("DRUH_VYZNAMENANI"), QStringLiteral("Druh vyznamenání"))});
}

void MemberRecordsTab::showNoteMark(bool open)
{
    m_noteMarked = open;
    QPalette colours = m_notes->palette();
    colours.setColor(QPalette::Base, open ? QColor(Qt::red) : QColor(Qt::white));
    colours.setColor(QPalette::Text,
                     open ? QColor(Qt::white) : palette().color(QPalette::WindowText));
    m_notes->setPalette(colours);
}

void MemberRecordsTab::makeGridsEditable()
{
    m_payments->setReadOnly(false);
    m_brigades->setReadOnly(false);
}

void MemberRecordsTab::toggleDetailColumns()
{
    m_detailShown = !m_detailShown;
    for (int c = 0; c < int(std::size(paymentColumns)); ++c) {
        if (!isDetailColumn(c))
            continue;
        if (m_detailShown)
            m_payments->dataModel()->setColumnWidth(c, detailColumnWidth);
        m_payments->setColumnVisible(c, m_detailShown);
    }
}

void MemberRecordsTab::setMovesEnabled(bool on)
{
    for (QWidget* b : std::as_const(m_moveButtons))
        b->setEnabled(on);
}

void MemberRecordsTab::moveMember(bool forward)
{
    if (!m_data)
        return;
    try {
        Table& members = m_data->TableClenove();
        forward ? members.next() : members.prior();
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

bool MemberRecordsTab::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == m_notes && !m_noteMarked &&
        !static_cast<QKeyEvent*>(event)->text().isEmpty())
        emit noteStarted();
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_notes->viewport())
        emit noteSettleRequested();
    return QWidget::eventFilter(watched, event);
}
