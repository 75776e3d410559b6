#pragma once

#include <QString>

class DataSet;
class Report;
class ReportBand;
class Printable;

// What both district totals reports share: an A4 landscape page whose header names the
// summary year, the chapter and the kind of water; one detail per district with the count
// of each column above its weight; a summary with the sums of the columns. The reports
// differ in the columns they add.
class TotalsReportLayout {
public:
    // The header items that differ between the two reports.
    struct Heading {
        QString items;   // "Druhové položky  01 - 13"
        double kindLeft; // the "MP" / "PS" mark
        double pageLeft; // "Strana "
    };

    static constexpr double columnWidth = 12.7;

    // Masks: nothing is printed for a zero, except the statistics of the summary.
    static QString countMask() { return QStringLiteral("#####"); }
    static QString weightMask() { return QStringLiteral(";;''"); }
    static QString ratioMask() { return QStringLiteral("##0.000;;''"); }
    static QString summaryRatioMask() { return QStringLiteral("##0.000"); }

    // Sets the report up on the totals (named "TableCSum" in its expressions) and Setup.db,
    // with the header, the district cells of the detail and the summary's totals line.
    TotalsReportLayout(Report& report, DataSet& totals, DataSet& setup, const Heading& heading);

    ReportBand& header() { return *m_header; }
    ReportBand& detail() { return *m_detail; }
    ReportBand& summary() { return *m_summary; }

    // A large text on the header's first line.
    void addHeadingText(double left, const QString& text);
    // A column title at the header's title line; a second line goes under it.
    void addColumnTitle(double left, const QString& title, const QString& secondLine = {});
    // The species' count over its weight in every row and their sums in the summary.
    void addSpecies(const QString& species, double left, double width = columnWidth);
    // A figure in the middle of every row, and below the column in the summary.
    void addFigure(double left, const QString& rowExpression, const QString& rowMask,
                   const QString& summaryExpression, const QString& summaryMask);

private:
    void addHeading(DataSet& setup, const Heading& heading);
    void addDistrictCells();
    void addTotalsLine();
    static QString sumOf(const QString& field);
    // A right-aligned figure: a field of the current row, or an expression.
    void addField(double left, double top, double width, const QString& field, const QString& mask);
    void addValue(ReportBand& band, double left, double top, double width,
                  const QString& expression, const QString& mask);
    static void placeValue(Printable* item, double width, const QString& name);
    // A rule in every row between the last column and this one.
    void addRuleBefore(double left, double width);

    ReportBand* m_header;
    ReportBand* m_detail;
    ReportBand* m_summary;
    DataSet& m_totals;
    double m_previousRight;
};
