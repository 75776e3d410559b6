#pragma once

#include "ChapterDefaults.h"

#include <QList>
#include <QString>

class DemoRandom;

// One demo member's catch return for the summary year: a row per district fished, with
// the fishing days and the species kept. Each weight lies within the usual range per fish,
// so the returns pass the plausibility check of the catch-return entry.
class DemoCatchPlanner {
public:
    struct Catch {
        QString species;
        int pieces = 0;
        double kg = 0;
    };
    struct Row {
        ChapterDefaults::District district;
        int days = 0;
        QList<Catch> catches;
    };

    explicit DemoCatchPlanner(DemoRandom& random);

    QList<Row> plan(bool trout);

private:
    QList<ChapterDefaults::District> districtsFished(bool trout);
    QList<Catch> catches(bool trout);
    double weight(const QString& species, int pieces);

    DemoRandom& m_random;
};
