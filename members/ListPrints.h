#pragma once

#include <QString>

#include <memory>

class MemberSelection;
class ReportRunner;
class TDataModule1;
class PrintSettings;
class TFormFreeNum;
class TFormTAdr;
class TFormTAdresar;
class TFormTBrig;
class TFormVyznam;

// The member lists the "Tisk" and "Jubilea - bydliště" tabs print: the address lists of the
// current selection or of a group, the free membership numbers, the brigade fulfilment and the
// awarded members; each printed or previewed by the print rule. Errors are the engine's.
class ListPrints {
public:
    ListPrints(TDataModule1& data, ReportRunner& reports, MemberSelection& selection);
    ~ListPrints();

    void printAddressList(bool alphabetical);
    void printGroupAddressList(const QString& group, bool alphabetical);
    void printFreeNumbers(const QString& group, bool alphabetical);
    // The year as the brigade box shows it; text that is no year gives the conversion error.
    void printBrigades(const QString& group, const QString& year, bool alphabetical, bool complete);
    void printAwarded();
    // "Tisk ": a batch of envelopes; "kolik" that is no number gives the conversion error.
    int printEnvelopes(const QString& count, bool chapterAddress);
    void printEnvelope(bool chapterAddress);
    void setPrintSettings(const PrintSettings* settings);

private:
    TDataModule1& m_data;
    ReportRunner& m_reports;
    MemberSelection& m_selection;
    std::unique_ptr<TFormTAdresar> m_addressList;
    std::unique_ptr<TFormFreeNum> m_freeNumbers;
    std::unique_ptr<TFormTBrig> m_brigades;
    std::unique_ptr<TFormVyznam> m_awarded;
    std::unique_ptr<TFormTAdr> m_envelope;
};
