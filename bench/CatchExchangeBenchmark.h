#pragma once

#include "BenchmarkResult.h"

#include <QString>

// Times appending another computer's year catch table of 10 000 rows to the chapter's own, in
// one transaction with its batch number, against plain SQLite inserting as many rows in one
// statement. The rows appended are removed again, so the data directory is left as it was.
class CatchExchangeBenchmark {
public:
    CatchExchangeBenchmark(const QString& dataDirectory, int year);

    BenchmarkResult run();

private:
    QString m_directory;
    int m_year;
};
