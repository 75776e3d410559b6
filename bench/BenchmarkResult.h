#pragma once

#include <QString>

// One figure: the same work done by our engine and by plain SQLite in the same run.
struct BenchmarkResult {
    QString name;
    double oursMs = 0;
    double sqliteMs = 0;

    double ratio() const { return sqliteMs > 0 ? oursMs / sqliteMs : 0; }
    QString line() const;
};
