#pragma once

#include "BenchmarkResult.h"

#include <QString>

// Times a scan at the cash desk on a large chapter: a member number arrives from the scanner
// on a pseudo-terminal, the tick reads it, makes the member current with the member-change
// rule and, the members window being in front on its issue tab with the scanner box ticked,
// starts a new issue; against plain SQLite reading the member and the records the rule reads.
class ScanBenchmark {
public:
    static BenchmarkResult run(const QString& dataDirectory);
};
