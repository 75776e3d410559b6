#pragma once

#include "BenchmarkResult.h"

#include <QList>
#include <QString>

// Times what keeps a large chapter's data safe: a backup with its full check, and the quick
// check every start makes, against plain SQLite copying the file without any check and
// running the same quick check.
class DataSafetyBenchmark {
public:
    explicit DataSafetyBenchmark(const QString& dataDirectory);

    QList<BenchmarkResult> runAll();

private:
    QString m_directory;
};
