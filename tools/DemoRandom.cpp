#include "DemoRandom.h"

DemoRandom::DemoRandom(quint32 seed)
    : m_engine(seed)
{
}

quint32 DemoRandom::next()
{
    return quint32(m_engine());
}

int DemoRandom::between(int low, int high)
{
    if (high <= low)
        return low;
    const quint64 span = quint64(qint64(high) - low + 1);
    return int(low + qint64((quint64(next()) * span) >> 32));
}

double DemoRandom::real(double low, double high)
{
    return low + (high - low) * (next() / 4294967296.0);
}

bool DemoRandom::chance(double percent)
{
    return real(0.0, 100.0) < percent;
}

int DemoRandom::weighted(const QList<int>& weights)
{
    int total = 0;
    for (int w : weights)
        total += w;
    int roll = between(1, total);
    for (int i = 0; i < weights.size(); ++i) {
        roll -= weights[i];
        if (roll <= 0)
            return i;
    }
    return int(weights.size()) - 1;
}
