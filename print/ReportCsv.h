#pragma once

#include "RenderedDocument.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

class Report;

// A list report's rows as a spreadsheet takes them: UTF-8 with a byte-order mark, fields
// separated by semicolons, quoted as RFC 4180 says, numbers with a decimal comma and dates
// as d.M.yyyy, which is how a Czech spreadsheet reads them. The columns are what the
// report's detail band prints from its data, left to right, under their names.
class ReportCsv {
public:
    static QByteArray toCsv(const RenderedDocument::DataTable& table);
    // Throws EngineError when the file cannot be written.
    static void save(const RenderedDocument& document, const QString& path);
    // Any table of values, such as a list kept apart from the reports.
    static void saveTable(const RenderedDocument::DataTable& table, const QString& path);
    // Generates the report and saves its rows.
    static void exportCsv(Report& report, const QString& path);

    // One value as the spreadsheet is to read it, not yet quoted.
    static QString cellText(const QVariant& value);
    // The cell quoted when it holds a semicolon, a quote or a line break.
    static QString quoted(const QString& cell);
};
