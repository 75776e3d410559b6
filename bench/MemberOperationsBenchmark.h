#pragma once

#include "BenchmarkResult.h"

#include <QList>
#include <QString>

class TDataModule1;
struct sqlite3;

// Times the member operations the secretary waits for on a large chapter, for a member with
// 50 payments, 50 brigades and 10 awards: saving it under another number, its records
// following, and deleting it with its records, each one transaction through the data module
// with its record rules (the windows are left out: they are timed on their own); against plain
// SQLite changing the same rows in one transaction.
class MemberOperationsBenchmark {
public:
    explicit MemberOperationsBenchmark(const QString& dataDirectory);

    QList<BenchmarkResult> runAll();

private:
    static double oursRenumber(TDataModule1& data, BenchmarkResult& result);
    static double oursDelete(TDataModule1& data, BenchmarkResult& result);
    static double plainRenumbers(sqlite3* db);
    static double plainDeletes(sqlite3* db);

    QString m_directory;
};
