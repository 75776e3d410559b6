#pragma once

#include "BenchmarkResult.h"

#include <QString>

// Times the envelopes of a mailing list made in batches as the secretary prints them, each
// batch generated and written to PDF and its rows marked as made; against plain SQLite
// reading the same rows.
class EnvelopeBenchmark {
public:
    static BenchmarkResult run(const QString& dataDirectory);
};
