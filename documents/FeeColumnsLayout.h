#pragma once

#include <QList>
#include <QString>

class DataSet;
class Printable;
class Report;
class ReportBand;

// What the money overview and the named payments list share: an A4 landscape page whose
// framed header names the document, the chapter and the day and heads the fee columns in
// their groups; one detail per row with every fee item right-aligned; a framed summary with
// the sum of every column. The variants with local permits add the MI columns in smaller
// type and shorter titles.
class FeeColumnsLayout {
public:
    enum class Variant { Overview, OverviewLocal, Named, NamedLocal };
    struct Column {
        QString field;
        QString title;
    };

    // The fee columns of the variant, left to right.
    static QList<Column> feeColumns(Variant variant);
    static bool hasLocalPermits(Variant variant)
    {
        return variant == Variant::OverviewLocal || variant == Variant::NamedLocal;
    }

    // The report reads `data` under `dataSetName`; the caller adds the columns before the
    // fees and the heading texts.
    FeeColumnsLayout(Report& report, Variant variant, DataSet& data, const QString& dataSetName,
                     DataSet& setup);

    ReportBand& header() { return *m_header; }
    ReportBand& detail() { return *m_detail; }
    ReportBand& summary() { return *m_summary; }

    // A text on the header's first line, 14 pt.
    Printable* addHeading(double left, const QString& text);
    Printable* addHeadingField(double left, const QString& field, double room);
    // A column title on the header's title line, fitted into its width.
    void addColumnTitle(double left, double width, const QString& title);
    void addGroupHeading(double left, double width, const QString& text);
    // A right-aligned field of every row.
    Printable* addRowValue(double left, double width, const QString& field, double fontSize);
    // The sum of a field under its column in the summary.
    Printable* addSum(double left, double width, const QString& field, double fontSize);
    // The fee columns in their groups, sharing the room from `left` to the right edge.
    void addFeeColumns(double left);

    static constexpr double headingTop = 2;
    static constexpr double groupTop = 10;
    static constexpr double titleTop = 15.5;
    static constexpr double pageWidth = 277;

private:
    void addRule(double left);

    Report& m_report;
    Variant m_variant;
    DataSet& m_data;
    DataSet& m_setup;
    QString m_dataSetName;
    ReportBand* m_header;
    ReportBand* m_detail;
    ReportBand* m_summary;
};
