#pragma once

#include <functional>

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
};
