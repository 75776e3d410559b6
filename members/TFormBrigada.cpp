#include "TFormBrigada.h"

#include "DateText.h"
#include "DbEdit.h"
#include "EngineError.h"
#include "FieldValue.h"
#include "Messages.h"
#include "QtEdge.h"
#include "TDataModule1.h"

#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QStringList memberFields{QStringLiteral("CLEN_CISLO"), QStringLiteral("JMENO"),
                               QStringLiteral("PRIJMENI")};
}

TFormBrigada::TFormBrigada(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormBrigada"));
    setWindowTitle(QStringLiteral("Záznam brigády"));

    m_date = input(QStringLiteral("MaskEditDatum"));
    // Day and month may have one digit; the year needs all four.
    m_date->setInputMask(QStringLiteral("09.09.9999;_"));
    m_date->setText(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    m_hours = input(QStringLiteral("EditHodin"));
    m_event = input(QStringLiteral("EditAkce"));
    m_confirmedBy = input(QStringLiteral("EditZapsal"));

    auto* hoursRow = new QHBoxLayout;
    hoursRow->addWidget(m_hours);
    hoursRow->addWidget(new QLabel(QStringLiteral("hodin")));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Odpracoval dne"), m_date);
    form->addRow(QString(), hoursRow);
    form->addRow(QStringLiteral("na akci"), m_event);
    form->addRow(QStringLiteral("potvrdil"), m_confirmedBy);

    auto* store = new QPushButton(QStringLiteral("Zapiš"));
    store->setObjectName(QStringLiteral("ButtonZapis"));
    store->setDefault(true);
    // Its own errors are shown by the click; this catches what undoing a refused record throws.
    connect(store, &QPushButton::clicked, this,
            QtEdge::slot(this, &TFormBrigada::ButtonZapisClick));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildMemberBox());
    layout->addLayout(form);
    layout->addWidget(store, 0, Qt::AlignRight);
}

QLineEdit* TFormBrigada::input(const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    return edit;
}

QWidget* TFormBrigada::buildMemberBox()
{
    auto* row = new QHBoxLayout;
    for (const QString& field : memberFields) {
        auto* shown = new DbEdit;
        shown->setObjectName(QStringLiteral("Brigada_") + field);
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::NoFocus);
        m_member << shown;
        row->addWidget(shown);
    }
    auto* box = new QGroupBox(QStringLiteral("   Č l e n   "));
    box->setLayout(row);
    return box;
}

void TFormBrigada::attach(TDataModule1& data)
{
    m_data = &data;
    for (int i = 0; i < m_member.size(); ++i)
        m_member[i]->bind(&data.TableClenove(), memberFields[i]);
    Table& brigades = data.TableBrigady();
    for (QLineEdit* edit : {m_event, m_confirmedBy}) {
        const QString field = edit == m_event ? QStringLiteral("AKCE") : QStringLiteral("ZAPSAL");
        const int at = brigades.fieldIndex(field);
        if (at >= 0 && brigades.fieldDefs().at(at).size > 0)
            edit->setMaxLength(brigades.fieldDefs().at(at).size);
    }
}

bool TFormBrigada::readInputs(QDate& date, double& hours)
{
    if (!FieldValue::parseFloat(m_hours->text().trimmed(), &hours)) {
        Messages::error(QStringLiteral("„%1“ není platný počet hodin.").arg(m_hours->text()));
        m_hours->setFocus();
        return false;
    }
    date = DateText::parse(m_date->text());
    if (!date.isValid()) {
        Messages::error(QStringLiteral("„%1“ není platné datum.").arg(m_date->text()));
        m_date->setFocus();
        return false;
    }
    return true;
}

bool TFormBrigada::appendRecord(const QDate& date, double hours)
{
    Table& members = m_data->TableClenove();
    Table& brigades = m_data->TableBrigady();
    try {
        if (members.isEmpty())
            throw EngineError(QStringLiteral("Není vybrán žádný člen."), EngineError::Kind::State);
        const QString number = members.fieldByName(QStringLiteral("CLEN_CISLO")).asString();
        brigades.append();
        brigades.fieldByName(QStringLiteral("CLEN_CISLO")).setAsString(number);
        brigades.fieldByName(QStringLiteral("DATUM")).setAsDate(date);
        brigades.fieldByName(QStringLiteral("HODIN")).setAsFloat(hours);
        brigades.fieldByName(QStringLiteral("AKCE")).setAsString(m_event->text());
        brigades.fieldByName(QStringLiteral("ZAPSAL")).setAsString(m_confirmedBy->text());
        brigades.post();
    } catch (const EngineError& e) {
        brigades.cancel();
        Messages::error(e.message());
        return false;
    }
    return true;
}

void TFormBrigada::ButtonZapisClick()
{
    QDate date;
    double hours = 0;
    if (!m_data || !readInputs(date, hours) || !appendRecord(date, hours))
        return;
    try {
        m_data->DataSourceClenoveDataChange();
    } catch (const EngineError& e) {
        // The record is stored; only the figures could not follow.
        Messages::error(e.message());
    }
    accept();
}
