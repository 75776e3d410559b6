#include "BenchmarkResult.h"

#include <QFile>

QString BenchmarkResult::line() const
{
    const QString load =
        loadAtStart < 0 ? QStringLiteral("unknown") : QString::number(loadAtStart, 'f', 2);
    return QStringLiteral("bench %1: ours %2 ms, sqlite %3 ms, ratio %4 (medians; load %5)")
        .arg(name)
        .arg(oursMs, 0, 'f', 3)
        .arg(sqliteMs, 0, 'f', 3)
        .arg(ratio(), 0, 'f', 2)
        .arg(load);
}

double BenchmarkResult::currentLoad()
{
    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    if (!loadAverage.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const double load = loadAverage.readLine().split(' ').value(0).toDouble(&ok);
    return ok ? load : -1;
}
