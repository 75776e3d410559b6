#pragma once

#include <QList>
#include <QString>

class DataSet;
class ReportBand;
class ReportLabel;

// One column of a member list: where it stands on the line and its heading.
struct ListColumn {
    double left;
    double width;
    QString heading;
};

// The page header the member lists share: the list's title, the chapter's name and the day
// on the first line; at the right, in a box, the selection the list shows, its member count
// and the page number; the column headings above a rule.
class MemberListHeader {
public:
    static constexpr double height = 24;
    static constexpr double printableWidth = 190;

    MemberListHeader(ReportBand& band, DataSet& setup, const QString& title);

    ReportLabel* title() const { return m_title; }
    ReportLabel* selection() const { return m_selection; }
    ReportLabel* count() const { return m_count; }

    void addColumnHeadings(const QList<ListColumn>& columns);
    // Rules between the columns from top to bottom of the band.
    static void addColumnRules(ReportBand& band, const QList<ListColumn>& columns);

private:
    ReportLabel* addBoxText(double top);

    ReportBand& m_band;
    ReportLabel* m_title;
    ReportLabel* m_selection;
    ReportLabel* m_count;
};
