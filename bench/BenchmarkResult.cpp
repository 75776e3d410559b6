#include "BenchmarkResult.h"

QString BenchmarkResult::line() const
{
    return QStringLiteral("bench %1: ours %2 ms, sqlite %3 ms, ratio %4")
        .arg(name)
        .arg(oursMs, 0, 'f', 3)
        .arg(sqliteMs, 0, 'f', 3)
        .arg(ratio(), 0, 'f', 2);
}
