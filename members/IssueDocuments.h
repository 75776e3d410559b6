#pragma once

#include <QString>

#include <array>
#include <memory>

class PrintSettings;
class Report;
class ReportRunner;
class TDataModule1;
class TFormPotvr;
class TFormTiskDochMP;
class TFormTPovol;
class TFormTPrevodka;
class TFormTPrukaz;

// The documents the cash desk prints for the current member, made once for the window's
// life: after an issue the attendance cards and the receipt, the cancellation receipt,
// and the cards and transfer form of the print buttons. Each print goes to the printer or
// the preview by the chapter's printer setting.
class IssueDocuments {
public:
    struct Card {
        bool print = false;
        QString from; // validity, empty for permits shorter than a year
        QString to;
    };
    // What an issue leaves for its print sequence.
    struct IssuePrint {
        std::array<Card, 3> cards; // MP, PS, MI
        bool attendanceCards = true;
        bool receipt = true;
        bool honorary = false;
    };

    IssueDocuments(TDataModule1& data, ReportRunner& reports);
    ~IssueDocuments();

    void setPrintSettings(const PrintSettings* settings);

    // The cards asked for one by one, then the receipt of the current payment record.
    void PrintIssueDocuments(const IssuePrint& print);
    void printStornoReceipt(bool honorary);
    void printMembershipCard();
    void printPermitCard();
    void printTransferForm();

    TFormPotvr& receipt() { return *m_receipt; }
    TFormTiskDochMP& attendanceCard() { return *m_attendance; }

private:
    // Errors of a print are shown; the issue they follow is already saved.
    void run(Report& report);

    TDataModule1& m_data;
    ReportRunner& m_reports;
    std::unique_ptr<TFormPotvr> m_receipt;
    std::unique_ptr<TFormTiskDochMP> m_attendance;
    std::unique_ptr<TFormTPrukaz> m_membershipCard;
    std::unique_ptr<TFormTPovol> m_permitCard;
    std::unique_ptr<TFormTPrevodka> m_transferForm;
};
