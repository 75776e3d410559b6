#pragma once

#include "BenchmarkResult.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class ProgramStart;
struct sqlite3;

// Times what the secretary waits for in the members window on a large chapter: moving to
// another member with the whole member-change rule and every control following (and once
// more with the window repainting what changed), a display
// filter, a locate by member number; against plain SQLite reading the same rows.
class MembersBenchmark {
public:
    explicit MembersBenchmark(const QString& dataDirectory);
    ~MembersBenchmark();

    QList<BenchmarkResult> runAll();

private:
    enum class Repaint { Left, Included };
    BenchmarkResult moveToMember(Repaint repaint);
    double plainMemberReads();
    BenchmarkResult displayFilter();
    BenchmarkResult locateByNumber();
    // Runs one statement over every bound value set, reading every column as text.
    void plainRun(const char* sql, const QList<QByteArray>& binds = {});

    std::unique_ptr<ProgramStart> m_program;
    sqlite3* m_plain = nullptr;
    QList<QByteArray> m_numbers;
    long long m_sink = 0;
};
