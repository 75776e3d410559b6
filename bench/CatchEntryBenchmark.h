#pragma once

#include "BenchmarkResult.h"

#include <QList>
#include <QString>

#include <memory>

class ProgramStart;

// Times the catch-return window on a season's worth of returns: the overview of 100 000 return
// rows shown, and a typed return row saved with the member's return marked, through the real
// window and data module; against plain SQLite reading or writing the same rows. The extra
// rows are taken out again afterwards, so later figures see the chapter as generated.
class CatchEntryBenchmark {
public:
    CatchEntryBenchmark(const QString& dataDirectory, int year);
    ~CatchEntryBenchmark();

    QList<BenchmarkResult> runAll();

private:
    BenchmarkResult showOverview();
    BenchmarkResult saveReturnRow();
    void growYearTable();
    void shrinkYearTable();

    QString m_directory;
    QString m_table;
    qint64 m_lastOriginalRow = 0;
    std::unique_ptr<ProgramStart> m_program;
};
