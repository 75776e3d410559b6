#include "Stopwatch.h"

#include <QElapsedTimer>

#include <algorithm>

double Stopwatch::bestOf(int runs, const std::function<void()>& work)
{
    return bestOf(
        runs, [] {}, work);
}

double Stopwatch::bestOf(int runs, const std::function<void()>& prepare,
                         const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}
