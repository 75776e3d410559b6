#pragma once

#include "BenchmarkResult.h"

// Times the money of a whole year: 20 000 payments totalled per issue day and tallied into
// the cash listing, and the cash listing generated as a document, against plain SQLite
// summing the same payments per day.
class MoneyBenchmark {
public:
    static BenchmarkResult run();
};
