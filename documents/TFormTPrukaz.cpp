#include "TFormTPrukaz.h"

#include "MemberTexts.h"
#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"

TFormTPrukaz::TFormTPrukaz(DataSet& members, DataSet& setup)
    : StationeryReport(QStringLiteral("TFormTPrukaz"), PrintSettings::Document::MembershipCard)
    , m_members(members)
{
    report().setTitle(QStringLiteral("Členský průkaz"));
    report().setSubjectField(&members, QStringLiteral("CLEN_CISLO"));
    report().page().orientation = QPageLayout::Landscape;
    const auto field = [this, &members](double left, double top, const char* name, double size) {
        auto* item = band().add<ReportField>(left, top, &members, QLatin1String(name));
        item->setName(QLatin1String(name));
        item->setFontSize(size);
        return item;
    };
    field(101.6, 59.8, "CISLO_LEGITIMACE", 12);
    m_birth = field(101.6, 74.6, "DATUM_NAROZENI", 10);
    m_birth->setName(QStringLiteral("Narozen"));
    m_name = band().add<ReportLabel>(38.1, 84.7, QString());
    m_name->setName(QStringLiteral("Jmeno"));
    m_address = band().add<ReportLabel>(38.1, 92.3, QString());
    m_address->setName(QStringLiteral("Adresa"));
    field(57.1, 101.6, "CLEN_OD_ROKU", 12);
    auto* chapter =
        band().add<ReportField>(95.2, 101.6, &setup, QStringLiteral("NAZEV_ORGANIZACE"));
    chapter->setName(QStringLiteral("NAZEV_ORGANIZACE"));
    chapter->setFontSize(12);
    recordDesign();
}

void TFormTPrukaz::fill()
{
    const bool birthNumber = settings() && settings()->printsBirthNumber();
    m_birth->setField(birthNumber ? QStringLiteral("RODNE_CISLO")
                                  : QStringLiteral("DATUM_NAROZENI"));
    m_name->setCaption(MemberTexts::nameLine(m_members));
    m_address->setCaption(MemberTexts::addressLine(m_members));
}
