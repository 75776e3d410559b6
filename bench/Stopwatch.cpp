#include "Stopwatch.h"

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

double Stopwatch::medianOf(int runs, const std::function<void()>& work)
{
    return medianOf(
        runs, [] {}, work);
}

double Stopwatch::medianOf(int runs, const std::function<void()>& prepare,
                           const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < std::max(runs, minimumRuns); ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}
