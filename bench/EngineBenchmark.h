#pragma once

#include "BenchmarkResult.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class Database;
class Table;
struct sqlite3;

// Times the engine on a large chapter against plain SQLite doing the same work on the
// same database file, so the figures say what the cursor layer costs.
class EngineBenchmark {
public:
    EngineBenchmark(const QString& dataDirectory, int workingYear);
    ~EngineBenchmark();

    QList<BenchmarkResult> runAll();

private:
    BenchmarkResult openAllTables();
    BenchmarkResult locateMember();
    BenchmarkResult filterWomen();
    BenchmarkResult walkMembers();
    BenchmarkResult joinPayments();
    BenchmarkResult postMemberEdit();
    void changeFirstSurnames(int edits);
    void plainStep(const QString& sql, bool readEveryColumn, const QList<QByteArray>& binds = {});
    QStringList sampleMemberNumbers(int count);
    Table& openMembersBySurname();

    QString m_directory;
    int m_year;
    Database* m_db;
    std::unique_ptr<Table> m_members;
    sqlite3* m_plain = nullptr;
    long long m_sink = 0; // keeps the compiler from dropping reads
};
