#pragma once

#include <QList>
#include <QString>

// The usual average weight of one fish of each species, as a new data directory brings it:
// the catch-return entry warns when a return's kilograms per piece fall outside the range.
class UsualWeights {
public:
    struct Weight {
        QString species;  // as in the data model, e.g. "KAPR"
        QString userName; // shown to the secretary
        double kgMin = 0;
        double kgMax = 0;

        QString fieldName() const { return species + QStringLiteral("_KG"); }
    };

    // One entry per species of the data model, in stored order.
    static const QList<Weight>& all();
    // Throws EngineError for a species the data model does not have.
    static const Weight& of(const QString& species);
};
