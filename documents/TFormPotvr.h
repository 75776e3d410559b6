#pragma once

#include "Report.h"

#include <QList>

class DataSet;
class Printable;
class ReportBand;

// The receipt of a payment: one A4 page in two equal parts, one for the member and one
// for the chapter, listing every fee item of the current payment record. The same layout
// prints the cancellation receipt with its "STORNO" marks.
class TFormPotvr {
public:
    TFormPotvr(DataSet& members, DataSet& payments, DataSet& setup);

    Report& report() { return m_report; }
    // Both "Čestná povolenka" marks.
    void setHonoraryMarks(bool shown);
    // Both "STORNO" marks; off except while a cancellation receipt prints.
    void setStornoMarks(bool shown);

    // How much lower part 2 lies within its band than part 1 within its own.
    static constexpr double secondPartShift = 10.6;

private:
    struct Sources {
        DataSet& members;
        DataSet& payments;
        DataSet& setup;
    };
    void addPart(ReportBand& band, double shift, int part, const Sources& from);
    void addHeading(ReportBand& band, double shift, const QString& suffix, const Sources& from);
    void addPayer(ReportBand& band, double shift, const QString& suffix, const Sources& from);
    void addFeeColumns(ReportBand& band, double shift, const QString& suffix, const Sources& from);
    void addTotalAndMarks(ReportBand& band, double shift, int part, const Sources& from);

    Report m_report;
    QList<Printable*> m_honoraryMarks;
    QList<Printable*> m_stornoMarks;
};
