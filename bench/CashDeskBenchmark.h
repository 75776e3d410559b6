#pragma once

#include "BenchmarkResult.h"

#include <QString>

// Times one whole issue at the cash desk: a new payment record filled from the fee row,
// saved, and its receipt and two attendance cards generated (into a sink, no printer),
// against plain SQLite writing and reading the same rows.
class CashDeskBenchmark {
public:
    static BenchmarkResult run(const QString& dataDirectory);
};
