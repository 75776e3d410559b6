#include "ChapterDefaults.h"

ChapterDefaults::Chapter ChapterDefaults::chapter()
{
    return {QStringLiteral("MO Lhota nad Sázavou"), QStringLiteral("123"),
            QStringLiteral("Rybářská 112"), QStringLiteral("Lhota nad Sázavou"),
            QStringLiteral("257 01")};
}

const QList<ChapterDefaults::District>& ChapterDefaults::districts(bool trout)
{
    static const QList<District> nonTrout{
        {QStringLiteral("411 003"), QStringLiteral("Berounka 3")},
        {QStringLiteral("411 045"), QStringLiteral("Sázava 7 - Lhota")},
        {QStringLiteral("411 046"), QStringLiteral("Sázava 8 - Kácov")},
        {QStringLiteral("411 062"), QStringLiteral("Želivka 2")},
        {QStringLiteral("411 078"), QStringLiteral("Vltava 27 - Slapy")},
        {QStringLiteral("411 128"), QStringLiteral("Štěrkovna Čerčany")},
        {QStringLiteral("411 131"), QStringLiteral("Rybník Ředitel")}};
    static const QList<District> troutWaters{
        {QStringLiteral("413 011"), QStringLiteral("Kocába 1")},
        {QStringLiteral("413 024"), QStringLiteral("Blanice 3 - Vlašim")},
        {QStringLiteral("413 035"), QStringLiteral("Chotýšanka 1")},
        {QStringLiteral("413 052"), QStringLiteral("Křemelná 1")}};
    return trout ? troutWaters : nonTrout;
}
