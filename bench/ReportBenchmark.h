#pragma once

#include "BenchmarkResult.h"

#include <QList>
#include <QString>

#include <memory>

class Database;
class Query;
class Report;
struct sqlite3;

// Times the longest print a secretary starts: a list of 5 000 members in ten columns,
// generated and written to a PDF file, beside plain SQLite reading the same rows. The
// figure's name carries the peak memory of the process during the run.
// Needs a QGuiApplication (fonts and the PDF writer).
class ReportBenchmark {
public:
    explicit ReportBenchmark(const QString& dataDirectory);
    ~ReportBenchmark();

    QList<BenchmarkResult> runAll();

private:
    BenchmarkResult memberListToPdf(int rows);
    std::unique_ptr<Report> memberList(Query& rows) const;
    void plainRead(int rows);

    std::unique_ptr<Database> m_db;
    sqlite3* m_plain = nullptr;
    long long m_sink = 0; // keeps the compiler from dropping reads
};
