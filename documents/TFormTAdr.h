#pragma once

#include "Report.h"

#include <QList>
#include <QString>

#include <memory>

class DataSet;
class DesignPositions;
class PrintSettings;
class Printable;
class ReportLabel;
class ReportRunner;
class Table;

// The envelope: one A4 landscape page per row of the mailing list, addressed to the row's
// member (or household), with the chapter as sender when asked for. A batch takes the rows
// not yet made from the start of the list, at most a hundred at a time, and marks them as
// made once the envelopes are generated; a single envelope is made for the row under the
// cursor and leaves its mark alone.
class TFormTAdr {
public:
    static constexpr int batchLimit = 100;

    TFormTAdr(Table& mailingList, DataSet& setup);
    ~TFormTAdr();

    Report& report() { return m_report; }
    void setPrintSettings(const PrintSettings* settings) { m_settings = settings; }

    // "Tisk ": how many envelopes it made (none for a count of 0 or less, or nothing left).
    int printBatch(ReportRunner& runner, int count, bool chapterAddress, bool printsDirectly);
    // A double-click on the list.
    void printSingle(ReportRunner& runner, bool chapterAddress, bool printsDirectly);

    // "příloha 3 x" for a row that stands for three members, else two blanks.
    static QString enclosureNote(int enclosed);

private:
    ReportLabel* addressItem(double left, double top, double points, const QString& name);
    void beforePrint();
    void fillFromCurrentRow();
    void nextBatchEnvelope(bool& moreData);
    bool nextUnprinted();

    Report m_report;
    Table& m_list;
    const PrintSettings* m_settings = nullptr;
    std::unique_ptr<DesignPositions> m_design;
    QList<Printable*> m_sender;
    QList<ReportLabel*> m_address; // TITUL, JMENO, PRIJMENI, ULICE, OBEC, PSC
    ReportLabel* m_enclosure = nullptr;
    bool m_single = false;
    bool m_chapterAddress = true;
    int m_limit = 0;
    QList<qint64> m_made;
};
