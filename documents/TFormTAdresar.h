#pragma once

#include "Report.h"

#include <QString>

class DataSet;
class MemberListHeader;
class Query;
class ReportRunner;

// The address list of the current selection of members, for checking the register by hand:
// one line per member with a dotted field for the checker's mark.
class TFormTAdresar {
public:
    // The selection is the members window's query of three lines (select, where, order).
    TFormTAdresar(Query& selection, DataSet& setup);
    ~TFormTAdresar();

    Report& report() { return m_report; }

    // "Tisk celého adresáře": the caption names the selection (the window's caption).
    void printAll(ReportRunner& runner, const QString& caption, bool alphabetical,
                  bool printsDirectly);
    // "Tisk adresáře skupiny": the group's members within the selection; nothing happens
    // for an empty group. A display filter of the members' table, when one is set, narrows
    // the list further.
    void printGroup(ReportRunner& runner, const QString& caption, const QString& group,
                    const QString& displayFilter, bool alphabetical, bool printsDirectly);

    // The selection's order line for the sort choice.
    static QString orderLine(bool alphabetical);

private:
    void addDetail();
    void reorder(bool alphabetical);
    void runWithCaption(ReportRunner& runner, const QString& caption, bool printsDirectly);

    Report m_report;
    Query& m_selection;
    std::unique_ptr<MemberListHeader> m_header;
    QString m_caption;
    int m_count = 0;
};
