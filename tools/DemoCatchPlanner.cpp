#include "DemoCatchPlanner.h"

#include "DemoRandom.h"
#include "UsualWeights.h"

#include <cmath>

namespace {

struct Habit {
    const char* species;
    int weight;    // how often it is kept, relative to the others
    int maxPieces; // in one district over a season
};

const QList<Habit>& habits(bool trout)
{
    static const QList<Habit> nonTrout{
        {"KAPR", 40, 15}, {"LIN", 6, 5},    {"CEJN_VEL", 8, 10},   {"TLOUST", 5, 6},
        {"OKOUN", 6, 20}, {"PARMA", 2, 4},  {"OSTRORETKA", 1, 5},  {"PODOUSTEV", 2, 6},
        {"STIKA", 8, 4},  {"CANDAT", 6, 4}, {"SUMEC", 2, 2},       {"UHOR", 1, 3},
        {"AMUR", 6, 5},   {"BOLEN", 3, 3},  {"TOLSTOLOBIK", 2, 3}, {"KARAS_STR", 5, 20},
        {"JESEN", 2, 4},  {"MNIK", 1, 2},   {"OSTATNI", 2, 10}};
    static const QList<Habit> troutWaters{
        {"PSTRUH_OB", 30, 10}, {"PSTRUH_DUH", 30, 12}, {"LIPAN", 10, 5}, {"SIVEN", 8, 6},
        {"TLOUST", 6, 5},      {"OKOUN", 2, 8},        {"MNIK", 2, 3},   {"OSTATNI", 2, 6}};
    return trout ? troutWaters : nonTrout;
}

} // namespace

DemoCatchPlanner::DemoCatchPlanner(DemoRandom& random)
    : m_random(random)
{
}

QList<DemoCatchPlanner::Row> DemoCatchPlanner::plan(bool trout)
{
    QList<Row> rows;
    for (const ChapterDefaults::District& d : districtsFished(trout)) {
        // Short seasons are the rule; the sum of two draws makes long ones rarer.
        const int days = qMax(1, (m_random.between(1, 40) + m_random.between(0, 20)) / 2);
        rows.append({d, days, catches(trout)});
    }
    return rows;
}

QList<ChapterDefaults::District> DemoCatchPlanner::districtsFished(bool trout)
{
    QList<ChapterDefaults::District> all = ChapterDefaults::districts(trout);
    const int count = qMin(int(all.size()), 1 + m_random.weighted({60, 30, 10}));
    QList<ChapterDefaults::District> chosen;
    for (int i = 0; i < count; ++i)
        chosen << all.takeAt(m_random.between(0, int(all.size()) - 1));
    return chosen;
}

QList<DemoCatchPlanner::Catch> DemoCatchPlanner::catches(bool trout)
{
    QList<Habit> left = habits(trout);
    // Some seasons end with nothing kept.
    const int count = m_random.weighted({10, 35, 30, 15, 10});
    QList<Catch> result;
    for (int i = 0; i < count; ++i) {
        QList<int> weights;
        for (const Habit& h : left)
            weights << h.weight;
        const Habit h = left.takeAt(m_random.weighted(weights));
        const QString species = QLatin1String(h.species);
        const int pieces = qMin(m_random.between(1, h.maxPieces), m_random.between(1, h.maxPieces));
        result.append({species, pieces, weight(species, pieces)});
    }
    return result;
}

double DemoCatchPlanner::weight(const QString& species, int pieces)
{
    // Kilograms to one decimal, kept within the usual range per fish even after rounding;
    // most fish are nearer the lower end.
    const UsualWeights::Weight& usual = UsualWeights::of(species);
    const double share = std::pow(m_random.real(0.0, 1.0), 2);
    const double perFish = usual.kgMin + (usual.kgMax - usual.kgMin) * share;
    const qint64 lowest = qint64(std::ceil(pieces * usual.kgMin * 10 - 1e-6));
    const qint64 highest = qint64(std::floor(pieces * usual.kgMax * 10 + 1e-6));
    const qint64 tenths = qBound(lowest, qint64(std::llround(pieces * perFish * 10)), highest);
    return tenths / 10.0;
}
