#pragma once

#include "BenchmarkResult.h"

#include <QList>
#include <QString>

// Times the corrections of the whole register and the year's issue counts on a large chapter,
// each one transaction through the data module, cursors shown anew afterwards; against plain
// SQLite making the same change in one transaction. Before each run the work is made to do
// again, untimed: the rows the correction changes are put back into their uncorrected form.
class DataAdminBenchmark {
public:
    explicit DataAdminBenchmark(const QString& dataDirectory);

    QList<BenchmarkResult> runAll();

private:
    QString m_directory;
};
