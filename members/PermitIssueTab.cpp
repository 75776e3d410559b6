#include "PermitIssueTab.h"

PermitIssueTab::PermitIssueTab(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetPovolenky"));
}

void PermitIssueTab::attach(TDataModule1& data, ReportRunner& reports)
{
    m_data = &data;
    m_reports = &reports;
}

void PermitIssueTab::setHonoraryPermitShown(bool) {}

void PermitIssueTab::disableRepeatPrint() {}

void PermitIssueTab::PrintStornoReceipt() {}

void PermitIssueTab::printMembershipCard()
{
}

void PermitIssueTab::printTransferForm()
{
}
