#include "JubileeTab.h"

#include "DateText.h"
#include "DbGrid.h"
#include "EngineError.h"
#include "FieldValue.h"
#include "FormParts.h"
#include "LocalSql.h"
#include "MemberSelection.h"
#include "Messages.h"
#include "QtEdge.h"
#include "Query.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString allMembers = QStringLiteral("select * from CLENOVE");
const QString bySurname = QStringLiteral(" ORDER BY PRIJMENI ");

QString dateText(int year, int month, int day)
{
    // 29 February of a year without it: the last day of February instead.
    QDate date(year, month, 1);
    return DateText::format(date.addDays(qMin(day, date.daysInMonth()) - 1));
}

QList<DataSetColumn> selectionColumns()
{
    DataSetColumn born =
        DataSetColumn::titled(QStringLiteral("DATUM_NAROZENI"), QStringLiteral("Narozen"), true);
    born.alignment = Qt::AlignRight;
    const auto column = [](const char* field, const char* title) {
        return DataSetColumn::titled(QLatin1String(field), QString::fromUtf8(title), true);
    };
    return {column("CLEN_CISLO", "Člen číslo"),
            column("PRIJMENI", "Příjmení"),
            column("JMENO", "Jméno"),
            born,
            column("CLEN_OD_ROKU", "Člen od roku"),
            column("ULICE", "Ulice"),
            column("PSC", "PSČ"),
            column("OBEC", "Obec")};
}

} // namespace

JubileeTab::JubileeTab(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetJubilea"));
    m_grid = new DbGrid;
    m_grid->setObjectName(QStringLiteral("DBGridJubilea"));
    m_grid->setReadOnly(true);
    auto* top = new QHBoxLayout;
    top->addWidget(buildJubileeBox());
    top->addWidget(buildResidenceBox());
    QPushButton* awarded = FormParts::button(QStringLiteral("Tisk vyznamenanych"),
                                             QStringLiteral("ButtonTiskVyznamenanych"));
    connect(awarded, &QPushButton::clicked, this, &JubileeTab::awardedListRequested);
    top->addWidget(awarded);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
}

QLineEdit* JubileeTab::yearsField(const QString& name, const QString& years)
{
    auto* field = new QLineEdit(years);
    field->setObjectName(name);
    field->setMaxLength(2);
    field->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    m_years << field;
    return field;
}

QWidget* JubileeTab::buildJubileeBox()
{
    m_options = new QButtonGroup(this);
    auto* grid = new QGridLayout;
    const auto option = [this, grid](Option id, const QString& caption, const QString& name) {
        auto* button = new QRadioButton(caption);
        button->setObjectName(name);
        m_options->addButton(button, int(id));
        grid->addWidget(button, int(id), 0);
        return button;
    };
    option(Option::Membership, QStringLiteral("Členství nad"), QStringLiteral("RadioClenstvi"))
        ->setChecked(true);
    option(Option::Age, QStringLiteral("Věk  nad"), QStringLiteral("RadioVek"));
    option(Option::Jubilee, QStringLiteral("Letos oslaví"), QStringLiteral("RadioOslavi"));
    option(Option::Awarded, QStringLiteral("Vyznamenaní členové"),
           QStringLiteral("RadioVyznamenani"));
    const QList<std::pair<const char*, const char*>> fields = {
        {"EditClenstvi", "20"}, {"EditVek", "60"}, {"EditOslavi", "50"}};
    for (int i = 0; i < fields.size(); ++i) {
        grid->addWidget(yearsField(QLatin1String(fields[i].first), QLatin1String(fields[i].second)),
                        i, 1);
        grid->addWidget(new QLabel(QStringLiteral("roků")), i, 2);
    }

    QPushButton* choose = FormParts::button(QStringLiteral("Výběr"), QStringLiteral("ButtonVyber"));
    QPushButton* cancel =
        FormParts::button(QStringLiteral("Zrušit výběr"), QStringLiteral("ButtonZrusVyber"));
    connect(choose, &QPushButton::clicked, this, QtEdge::slot([this] { selectByJubilee(); }));
    connect(cancel, &QPushButton::clicked, this, QtEdge::slot(this, &JubileeTab::selectAll));
    m_count = FormParts::label(QString(), QStringLiteral("LabelPocetjubil"));
    m_count->setStyleSheet(QStringLiteral("background: yellow"));

    auto* layout = new QVBoxLayout;
    layout->addLayout(grid);
    layout->addLayout(FormParts::row({choose, cancel, m_count}));
    return FormParts::group(QStringLiteral(" Výběr podle jubilea "), layout);
}

QWidget* JubileeTab::buildResidenceBox()
{
    m_town = new QLineEdit;
    m_town->setObjectName(QStringLiteral("EditObec"));
    m_street = new QLineEdit;
    m_street->setObjectName(QStringLiteral("EditUlice"));
    QPushButton* choose =
        FormParts::button(QStringLiteral("Výběr"), QStringLiteral("ButtonVyberBydliste"));
    connect(choose, &QPushButton::clicked, this,
            QtEdge::slot(this, &JubileeTab::selectByResidence));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Obec")), 0, 0);
    grid->addWidget(m_town, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ulice")), 1, 0);
    grid->addWidget(m_street, 1, 1);
    grid->addWidget(choose, 2, 1);
    return FormParts::group(QStringLiteral(" Výběr podle bydliště"), grid);
}

void JubileeTab::attach(MemberSelection& selection)
{
    m_selection = &selection;
    m_grid->setDataSet(&selection.query());
    m_grid->setColumns(selectionColumns());
}

QDate JubileeTab::today() const
{
    return m_today.isValid() ? m_today : QDate::currentDate();
}

bool JubileeTab::selectByJubilee()
{
    const auto option = Option(m_options->checkedId());
    QString years;
    int n = 0;
    if (option != Option::Awarded) {
        years = m_years.at(int(option))->text().trimmed();
        try {
            n = FieldValue::wholeNumberOf(years);
        } catch (const EngineError& e) {
            Messages::error(e.message());
            return false;
        }
    }
    const QDate day = today();
    const QString y = QString::number(day.year() - n);
    switch (option) {
    case Option::Membership:
        show({allMembers, QStringLiteral("where CLEN_OD_ROKU <= '") + y + QLatin1Char('\''),
              bySurname},
             QStringLiteral("Členství nad ") + years);
        break;
    case Option::Age:
        show({allMembers,
              QStringLiteral("where DATUM_NAROZENI <= '") +
                  dateText(day.year() - n, day.month(), day.day()) + QLatin1Char('\''),
              bySurname},
             QStringLiteral("Věk nad ") + years);
        break;
    case Option::Jubilee:
        show({allMembers,
              QStringLiteral("where DATUM_NAROZENI >= '") + dateText(day.year() - n, 1, 1) +
                  QStringLiteral("'and   DATUM_NAROZENI <= '") + dateText(day.year() - n, 12, 31) +
                  QLatin1Char('\''),
              bySurname},
             QStringLiteral("Věk ") + years);
        break;
    case Option::Awarded:
        // One row per member however many awards: the award list prints each member's awards
        // itself, and the mailing list makes one envelope per member.
        show({allMembers,
              QStringLiteral("where CLEN_CISLO in (select CLEN_CISLO from VYZNAM where "
                             "DRUH_VYZNAMENANI<>'')"),
              QStringLiteral(" ORDER BY PRIJMENI,CLEN_CISLO ")},
             QStringLiteral("Vyznamenaní členové"));
        break;
    }
    return true;
}

void JubileeTab::selectAll()
{
    show({allMembers, QStringLiteral(" "), QStringLiteral(" ")}, QStringLiteral("Všichni členové"));
}

void JubileeTab::selectByResidence()
{
    const QString street =
        QStringLiteral("ULICE LIKE ") + LocalSql::quoted(m_street->text() + QLatin1Char('%'));
    const QString where = m_town->text().isEmpty()
                              ? QStringLiteral("where ") + street
                              : QStringLiteral("where OBEC = ") + LocalSql::quoted(m_town->text()) +
                                    QStringLiteral(" and ") + street;
    show({allMembers, where, bySurname}, QStringLiteral("podle bydliště"));
}

void JubileeTab::show(const QStringList& lines, const QString& caption)
{
    m_selection->show(lines, caption);
    showCount();
}

void JubileeTab::showCount()
{
    if (m_selection)
        m_count->setText(QString::number(m_selection->count()) + QStringLiteral(" členů"));
}
