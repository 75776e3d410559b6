#pragma once

#include "BenchmarkResult.h"

#include <QList>
#include <QString>

// Times the member lists the "Tisk" tab prints over the whole chapter: the free membership
// numbers and the brigade fulfilment query, against plain SQLite reading the same rows.
class ListReportsBenchmark {
public:
    ListReportsBenchmark(const QString& directory, int year);
    QList<BenchmarkResult> runAll();

private:
    BenchmarkResult freeNumbers();
    BenchmarkResult brigadeQuery();

    QString m_directory;
    int m_year;
};
