#pragma once

#include <functional>

// Times work the way every benchmark here does: the best of a few runs, in milliseconds,
// so a passing hiccup of the machine does not count.
class Stopwatch {
public:
    static double bestOf(int runs, const std::function<void()>& work);
    // The same, with untimed preparation before each run (the rows a run uses up).
    static double bestOf(int runs, const std::function<void()>& prepare,
                         const std::function<void()>& work);
};
