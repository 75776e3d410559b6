#pragma once

#include <QWidget>

class PrintSettings;
class ReportRunner;
class TDataModule1;

// The cash desk of the members window ("Povolenky-výdej"): issuing a year's fees and
// permits to the current member, with its receipt and attendance cards.
class PermitIssueTab : public QWidget {
    Q_OBJECT
public:
    explicit PermitIssueTab(QWidget* parent = nullptr);

    void attach(TDataModule1& data, ReportRunner& reports);
    void setPrintSettings(const PrintSettings* settings) { m_settings = settings; }

    // What the data module's rules ask of this tab.
    void setHonoraryPermitShown(bool shown);
    void disableRepeatPrint();
    void PrintStornoReceipt();

public slots:
    // The single-member documents, also printed from the basic-data tab.
    void printMembershipCard();
    void printTransferForm();

private:
    TDataModule1* m_data = nullptr;
    ReportRunner* m_reports = nullptr;
    const PrintSettings* m_settings = nullptr;
};
