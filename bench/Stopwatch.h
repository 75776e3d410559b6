#pragma once

#include <functional>
#include <utility>

// Times work the way every benchmark here does: the median of several runs, in milliseconds,
// so neither a passing hiccup of the machine nor one lucky run decides the figure.
class Stopwatch {
public:
    // At least this many runs, whatever a figure asks for, so there is a median to report.
    static constexpr int minimumRuns = 5;

    static double medianOf(int runs, const std::function<void()>& work);
    // The same, with untimed preparation before each run (the rows a run uses up).
    static double medianOf(int runs, const std::function<void()>& prepare,
                           const std::function<void()>& work);
    // Medians of two ways of doing the same work, run in turns: a slow spell of the machine
    // then slows both alike and leaves their ratio standing.
    static std::pair<double, double> mediansInTurns(int runs, const std::function<void()>& ours,
                                                    const std::function<void()>& plain);
};
