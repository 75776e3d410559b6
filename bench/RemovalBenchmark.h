#pragma once

#include "BenchmarkResult.h"

#include <QString>

// Times removing the non-payers of the year from a large chapter: 5 000 of its 20 000 members
// have not paid, and go over to the removed members with their payments, brigades and awards
// deleted, as "Vyřadit neplatiče z evidence" does after its question (the selection read, the
// one transaction run, the cursors shown anew); against plain SQLite doing the same in one
// transaction. Each run works on a fresh copy of the chapter.
class RemovalBenchmark {
public:
    explicit RemovalBenchmark(const QString& dataDirectory);

    BenchmarkResult run();

private:
    QString m_directory;
};
