#pragma once

#include "BenchmarkResult.h"

#include <QString>

// Times "Adresář" on the whole register: the selection reopened in surname order and the
// mailing list rebuilt with households merged, against plain SQLite reading the members in
// order and writing one row each.
class MailingListBenchmark {
public:
    static BenchmarkResult run(const QString& dataDirectory);
};
