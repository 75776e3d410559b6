#include "TFormTPrevodka.h"

#include "DateText.h"
#include "MemberTexts.h"
#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportMemo.h"

#include <QDate>

TFormTPrevodka::TFormTPrevodka(DataSet& members, DataSet& setup)
    : StationeryReport(QStringLiteral("TFormTPrevodka"), PrintSettings::Document::TransferForm)
    , m_members(members)
{
    report().setTitle(QStringLiteral("Převodka"));
    report().setSubjectField(&members, QStringLiteral("CLEN_CISLO"));
    const auto field = [this](double left, double top, DataSet& data, const char* name,
                              double size) {
        auto* item = band().add<ReportField>(left, top, &data, QLatin1String(name));
        item->setName(QLatin1String(name));
        item->setFontSize(size);
        return item;
    };
    const auto label = [this](double left, double top, const QString& name) {
        auto* item = band().add<ReportLabel>(left, top, QString());
        item->setName(name);
        item->setFontSize(12);
        return item;
    };
    m_birthNumber = field(103.7, 2.1, members, "RODNE_CISLO", 14);
    m_name = label(80.4, 29.6, QStringLiteral("Jmeno"));
    field(80.4, 38.9, members, "DATUM_NAROZENI", 12);
    m_address = label(65.6, 47.9, QStringLiteral("Adresa"));
    field(80.4, 56.1, members, "CLEN_OD_ROKU", 12);
    m_notes = band().add<ReportMemo>(50.8, 72.0, 84.9, 29.9);
    m_notes->setName(QStringLiteral("ZAZNAMY"));
    field(101.6, 103.2, setup, "PRACOVNI_ROK", 12);
    m_today = label(50.8, 129.1, QStringLiteral("Datum"));
    m_today->setWidth(23.5);
    recordDesign();
}

void TFormTPrevodka::fill()
{
    m_birthNumber->setEnabled(settings() && settings()->printsBirthNumber());
    m_name->setCaption(MemberTexts::nameLine(m_members));
    m_address->setCaption(MemberTexts::addressLine(m_members));
    m_notes->setLines(MemberTexts::noteLines(m_members));
    m_today->setCaption(DateText::format(QDate::currentDate()));
}
