#include "IssueDocuments.h"

#include "EngineError.h"
#include "IssueFeeItems.h"
#include "Messages.h"
#include "ReportRunner.h"
#include "TDataModule1.h"
#include "TFormPotvr.h"
#include "TFormTPovol.h"
#include "TFormTPrevodka.h"
#include "TFormTPrukaz.h"
#include "TFormTiskDochMP.h"

IssueDocuments::IssueDocuments(TDataModule1& data, ReportRunner& reports)
    : m_data(data)
    , m_reports(reports)
    , m_receipt(
          std::make_unique<TFormPotvr>(data.TableClenove(), data.TablePovol(), data.TableSetup()))
    , m_attendance(std::make_unique<TFormTiskDochMP>(data.TableClenove(), data.TableSetup()))
    , m_membershipCard(std::make_unique<TFormTPrukaz>(data.TableClenove(), data.TableSetup()))
    , m_permitCard(std::make_unique<TFormTPovol>(data.TableClenove()))
    , m_transferForm(std::make_unique<TFormTPrevodka>(data.TableClenove(), data.TableSetup()))
{
}

IssueDocuments::~IssueDocuments() = default;

void IssueDocuments::setPrintSettings(const PrintSettings* settings)
{
    m_attendance->setPrintSettings(settings);
    m_membershipCard->setPrintSettings(settings);
    m_permitCard->setPrintSettings(settings);
    m_transferForm->setPrintSettings(settings);
}

void IssueDocuments::run(Report& report)
{
    try {
        m_reports.run(report, m_data.PrintsDirectly());
    } catch (const EngineError& e) {
        Messages::error(e.message());
    }
}

void IssueDocuments::PrintIssueDocuments(const IssuePrint& print)
{
    const QList<IssueFeeItems::PermitKind>& kinds = IssueFeeItems::permitKinds();
    for (qsizetype k = 0; k < kinds.size(); ++k) {
        const Card& card = print.cards[size_t(k)];
        if (!card.print || !print.attendanceCards)
            continue;
        if (!Messages::askYesNo(kinds[k].question))
            continue;
        m_attendance->setValidity(card.from, card.to);
        run(m_attendance->report());
    }
    m_receipt->setHonoraryMarks(print.honorary);
    if (print.receipt)
        run(m_receipt->report());
}

void IssueDocuments::printStornoReceipt(bool honorary)
{
    m_receipt->setStornoMarks(true);
    m_receipt->setHonoraryMarks(honorary);
    run(m_receipt->report());
    m_receipt->setStornoMarks(false);
}

void IssueDocuments::printMembershipCard()
{
    run(m_membershipCard->report());
}

void IssueDocuments::printPermitCard()
{
    run(m_permitCard->report());
}

void IssueDocuments::printTransferForm()
{
    run(m_transferForm->report());
}
