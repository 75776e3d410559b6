#pragma once

#include "BenchmarkResult.h"

// Times the district totals of a large year: 100 districts and 100 000 returns totalled into
// the totals table, against plain SQLite grouping the same returns by district.
class CatchTotalsBenchmark {
public:
    static BenchmarkResult run();
};
