#include "TFormTPovol.h"

#include "MemberTexts.h"
#include "ReportBand.h"
#include "ReportField.h"
#include "ReportLabel.h"

TFormTPovol::TFormTPovol(DataSet& members)
    : StationeryReport(QStringLiteral("TFormTPovol"), PrintSettings::Document::PermitCard)
    , m_members(members)
{
    report().setTitle(QStringLiteral("Povolenka"));
    report().setSubjectField(&members, QStringLiteral("CLEN_CISLO"));
    auto* card = band().add<ReportField>(50.8, 4.2, &members, QStringLiteral("CISLO_LEGITIMACE"));
    card->setName(QStringLiteral("CISLO_LEGITIMACE"));
    card->setWidth(24.3);
    m_name = band().add<ReportLabel>(76.7, 4.2, QString());
    m_name->setName(QStringLiteral("Jmeno"));
    recordDesign();
}

void TFormTPovol::fill()
{
    const QString name = MemberTexts::shortName(m_members);
    m_name->setCaption(name);
    m_name->setFontSize(name.size() > longNameLength ? 8 : 10);
}
