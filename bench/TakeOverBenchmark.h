#pragma once

#include "BenchmarkResult.h"

#include <QList>
#include <QString>

// Times what reads a large chapter's Paradox tables: taking over the whole chapter in the
// older layouts, with ten years of catch tables, against plain SQLite copying a database of
// the same data; and importing a member table equal to the register, against plain SQLite
// reading the register.
class TakeOverBenchmark {
public:
    // The chapter's catch tables of the year stand for the ten years before it too.
    TakeOverBenchmark(const QString& dataDirectory, int year);

    QList<BenchmarkResult> runAll();

private:
    BenchmarkResult importResult(const QString& paradoxDirectory, int members);

    QString m_directory;
    int m_year;
};
