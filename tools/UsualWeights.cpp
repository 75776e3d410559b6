#include "UsualWeights.h"

#include "DataModel.h"
#include "EngineError.h"

#include <algorithm>
#include <iterator>

namespace {

struct Known {
    const char* species;
    const char* userName;
    double kgMin;
    double kgMax;
};

// Ranges are wide on purpose: the check is there to catch typing errors, not odd fish.
constexpr Known known[] = {{"KAPR", "Kapr", 0.8, 8.0},
                           {"LIN", "Lín", 0.3, 2.0},
                           {"CEJN_VEL", "Cejn velký", 0.3, 2.5},
                           {"TLOUST", "Jelec tloušť", 0.3, 2.0},
                           {"OKOUN", "Okoun", 0.1, 0.8},
                           {"PARMA", "Parma", 0.5, 3.0},
                           {"OSTRORETKA", "Ostroretka", 0.3, 1.2},
                           {"PODOUSTEV", "Podoustev", 0.2, 0.8},
                           {"RYBA_1", "Ryba 1", 0.1, 5.0},
                           {"RYBA_2", "Ryba 2", 0.1, 5.0},
                           {"STIKA", "Štika", 1.0, 8.0},
                           {"CANDAT", "Candát", 0.8, 5.0},
                           {"SUMEC", "Sumec", 3.0, 40.0},
                           {"UHOR", "Úhoř", 0.3, 2.5},
                           {"PSTRUH_OB", "Pstruh obecný", 0.2, 1.5},
                           {"PSTRUH_DUH", "Pstruh duhový", 0.25, 2.0},
                           {"LIPAN", "Lipan", 0.2, 1.0},
                           {"SIVEN", "Siven", 0.2, 1.2},
                           {"AMUR", "Amur", 1.5, 12.0},
                           {"BOLEN", "Bolen", 0.8, 4.0},
                           {"TOLSTOLOBIK", "Tolstolobik", 2.0, 15.0},
                           {"MARENA_PELED", "Maréna peleď", 0.3, 1.5},
                           {"KARAS_STR", "Karas stříbřitý", 0.1, 0.8},
                           {"JESEN", "Jesen", 0.3, 2.0},
                           {"MNIK", "Mník", 0.2, 1.2},
                           {"OSTATNI", "Ostatní", 0.05, 3.0}};

QList<UsualWeights::Weight> build()
{
    QList<UsualWeights::Weight> weights;
    for (const QString& species : DataModel::species()) {
        const auto it = std::find_if(std::begin(known), std::end(known), [&](const Known& k) {
            return species == QLatin1String(k.species);
        });
        if (it == std::end(known))
            throw EngineError(QStringLiteral("Pro druh %1 chybí obvyklá váha.").arg(species));
        weights.append({species, QString::fromUtf8(it->userName), it->kgMin, it->kgMax});
    }
    return weights;
}

} // namespace

const QList<UsualWeights::Weight>& UsualWeights::all()
{
    static const QList<Weight> weights = build();
    return weights;
}

const UsualWeights::Weight& UsualWeights::of(const QString& species)
{
    for (const Weight& w : all())
        if (w.species == species)
            return w;
    throw EngineError(QStringLiteral("Druh ryby %1 neexistuje.").arg(species));
}
