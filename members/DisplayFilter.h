#pragma once

#include <QString>
#include <QStringList>

class DataSet;

// One of the members window's display filters: what it filters on the members table,
// the noun of its count, the selection it writes and the caption that names it.
struct DisplayFilter {
    enum class Kind { All, Women, Sponsors, Notes, Unpaid, Category };

    Kind kind = Kind::All;
    QString buttonCaption;
    QString hint;

    // Sets the filter on the members table; "Všichni" switches filtering off.
    void applyTo(DataSet& members, int summaryYear, const QString& category) const;
    QString noun() const;
    // The three lines of the selection query: select, where, order.
    QStringList selectionLines(int summaryYear, const QString& category) const;
    QString selectionCaption(int summaryYear, const QString& category) const;

    static QList<DisplayFilter> all();
};
