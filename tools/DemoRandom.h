#pragma once

#include <QList>
#include <QtGlobal>

#include <random>

// The demo chapter's only source of chance. The same seed gives the same chapter on every
// machine: std::mt19937's sequence is fixed by the standard, and the ranges are drawn here
// because the standard library's distributions differ between implementations.
class DemoRandom {
public:
    explicit DemoRandom(quint32 seed);

    // A whole number from low to high, both included.
    int between(int low, int high);
    double real(double low, double high);
    bool chance(double percent);
    // The index of one of the weights, each drawn in proportion to its weight.
    int weighted(const QList<int>& weights);

    template <typename T> const T& pick(const QList<T>& items)
    {
        return items.at(between(0, int(items.size()) - 1));
    }

private:
    quint32 next();

    std::mt19937 m_engine;
};
