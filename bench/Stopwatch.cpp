#include "Stopwatch.h"

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

double Stopwatch::medianOf(int runs, const std::function<void()>& work)
{
    return medianOf(
        runs, [] {}, work);
}

namespace {
double timeOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}
} // namespace

double Stopwatch::medianOf(int runs, const std::function<void()>& prepare,
                           const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < std::max(runs, minimumRuns); ++i) {
        prepare();
        times.push_back(timeOf(work));
    }
    return median(times);
}

std::pair<double, double> Stopwatch::mediansInTurns(int runs, const std::function<void()>& ours,
                                                    const std::function<void()>& plain)
{
    std::vector<double> oursTimes;
    std::vector<double> plainTimes;
    for (int i = 0; i < std::max(runs, minimumRuns); ++i) {
        oursTimes.push_back(timeOf(ours));
        plainTimes.push_back(timeOf(plain));
    }
    return {median(oursTimes), median(plainTimes)};
}
