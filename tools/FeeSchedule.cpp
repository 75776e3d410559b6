#include "FeeSchedule.h"

#include "DataModel.h"
#include "EngineError.h"

#include <QHash>

#include <cmath>

namespace {

// Adult amounts in the year the schedule was last revised.
constexpr int BaseYear = 2024;

struct BaseFee {
    const char* item;
    int amount;
    bool flat; // printed matter and postage cost every category the same
};

const QList<BaseFee>& baseFees()
{
    static const QList<BaseFee> fees{
        {"ZAPISNE", 1000, false},    {"SKOLENI", 300, false},     {"LEGITIMACE", 20, true},
        {"CLEN_PRISP", 800, false},  {"MAN_POPLATEK", 50, false}, {"BRIGADA", 800, false},
        {"STANOVY_ZEB", 20, true},   {"POSTOVNE", 50, true},      {"MP_ROCNI", 1200, false},
        {"MP_MESICNI", 500, false},  {"MP_14_DNU", 350, false},   {"MP_TYDEN", 250, false},
        {"MP_CELOREP", 2400, false}, {"MP_MISTNI", 400, false},   {"MP_RAD", 30, true},
        {"PS_ROCNI", 1400, false},   {"PS_MESICNI", 600, false},  {"PS_TYDEN", 300, false},
        {"PS_CELOREP", 2600, false}, {"PS_MISTNI", 500, false},   {"PS_RAD", 30, true},
        {"MI_ROCNI", 700, false},    {"MI_MESICNI", 300, false},  {"MI_TYDEN", 150, false},
        {"MI_CELOREP", 1500, false}, {"MI_MISTNI", 250, false},   {"MI_RAD", 20, true}};
    return fees;
}

const BaseFee& baseFee(const QString& item)
{
    static const QHash<QString, int> positions = [] {
        QHash<QString, int> h;
        for (int i = 0; i < baseFees().size(); ++i)
            h.insert(QLatin1String(baseFees()[i].item), i);
        return h;
    }();
    const auto it = positions.constFind(item);
    if (it == positions.constEnd())
        throw EngineError(QStringLiteral("Sazebník nezná položku %1.").arg(item));
    return baseFees()[it.value()];
}

// Fees rose by about three per cent a year; amounts are whole tens of crowns.
int amountInYear(int amount, int year)
{
    if (amount == 0)
        return 0;
    const double scaled = amount * std::pow(1.03, year - BaseYear);
    return qMax(10, int(std::lround(scaled / 10.0)) * 10);
}

} // namespace

const QList<FeeSchedule::Category>& FeeSchedule::categories()
{
    static const QList<Category> all{
        {QStringLiteral("dospělý"), 100, 10}, {QStringLiteral("mládež"), 50, 5},
        {QStringLiteral("dítě"), 25, 0},      {QStringLiteral("důchodce"), 75, 5},
        {QStringLiteral("ZTP"), 50, 0},       {QStringLiteral("čestný"), 0, 0}};
    return all;
}

const FeeSchedule::Category& FeeSchedule::category(const QString& name)
{
    for (const Category& c : categories())
        if (c.name == name)
            return c;
    throw EngineError(QStringLiteral("Sazebník nezná kategorii %1.").arg(name));
}

QList<int> FeeSchedule::fees(const Category& category, int year)
{
    QList<int> amounts;
    for (const QString& item : DataModel::feeItems()) {
        const BaseFee& base = baseFee(item);
        int amount = base.flat ? base.amount : base.amount * category.percent / 100;
        if (item == QLatin1String("BRIGADA") && category.brigadeHours == 0)
            amount = 0;
        amounts << amountInYear(amount, year);
    }
    return amounts;
}
