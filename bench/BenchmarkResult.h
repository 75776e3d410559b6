#pragma once

#include <QString>

// One figure: the same work done by our engine and by plain SQLite in the same run, with the
// machine's load when the figure began, so figures from a busy machine are recognisable.
struct BenchmarkResult {
    QString name;
    double oursMs = 0;
    double sqliteMs = 0;
    double loadAtStart = currentLoad();

    double ratio() const { return sqliteMs > 0 ? oursMs / sqliteMs : 0; }
    QString line() const;
    // The system's load average of the last minute; negative where the system does not say.
    static double currentLoad();
};
