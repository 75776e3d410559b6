#pragma once

#include "BenchmarkResult.h"

#include <QString>

// Times the program's start on a data directory up to the main window being shown,
// against plain SQLite opening the same file and reading what the start shows.
class StartupBenchmark {
public:
    static BenchmarkResult run(const QString& dataDirectory);
};
