#include "DemoVocabulary.h"

#include <initializer_list>

namespace {

QStringList words(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

} // namespace

const QList<DemoVocabulary::Surname>& DemoVocabulary::surnames()
{
    // Both forms are written out: many female forms do not follow from the male one
    // (Němec – Němcová, Vaněk – Vaňková, Černý – Černá).
    static const QList<Surname> all = [] {
        const QStringList pairs =
            words({"Novák",    "Nováková",   "Svoboda",  "Svobodová",  "Novotný",   "Novotná",
                   "Dvořák",   "Dvořáková",  "Černý",    "Černá",      "Procházka", "Procházková",
                   "Kučera",   "Kučerová",   "Veselý",   "Veselá",     "Horák",     "Horáková",
                   "Němec",    "Němcová",    "Marek",    "Marková",    "Pospíšil",  "Pospíšilová",
                   "Pokorný",  "Pokorná",    "Hájek",    "Hájková",    "Král",      "Králová",
                   "Jelínek",  "Jelínková",  "Růžička",  "Růžičková",  "Beneš",     "Benešová",
                   "Fiala",    "Fialová",    "Sedláček", "Sedláčková", "Doležal",   "Doležalová",
                   "Zeman",    "Zemanová",   "Kolář",    "Kolářová",   "Navrátil",  "Navrátilová",
                   "Čermák",   "Čermáková",  "Vaněk",    "Vaňková",    "Urban",     "Urbanová",
                   "Blažek",   "Blažková",   "Kříž",     "Křížová",    "Kovář",     "Kovářová",
                   "Bartoš",   "Bartošová",  "Vlček",    "Vlčková",    "Polák",     "Poláková",
                   "Musil",    "Musilová",   "Kopecký",  "Kopecká",    "Šimek",     "Šimková",
                   "Konečný",  "Konečná",    "Malý",     "Malá",       "Holub",     "Holubová",
                   "Štěpánek", "Štěpánková", "Kadlec",   "Kadlecová",  "Šťastný",   "Šťastná",
                   "Žák",      "Žáková",     "Čech",     "Čechová",    "Řezníček",  "Řezníčková",
                   "Ševčík",   "Ševčíková",  "Říha",     "Říhová",     "Chalupa",   "Chalupová",
                   "Šebesta",  "Šebestová",  "Chládek",  "Chládková",  "Cihlář",    "Cihlářová",
                   "Hrubý",    "Hrubá",      "Zajíc",    "Zajícová",   "Ptáček",    "Ptáčková"});
        QList<Surname> list;
        for (int i = 0; i + 1 < pairs.size(); i += 2)
            list.append({pairs[i], pairs[i + 1]});
        return list;
    }();
    return all;
}

const QStringList& DemoVocabulary::firstNames(bool woman)
{
    static const QStringList men =
        words({"Jan",       "Jiří",     "Petr",    "Josef",   "Pavel",    "Martin",    "Tomáš",
               "Jaroslav",  "Miroslav", "Zdeněk",  "Václav",  "Michal",   "František", "Karel",
               "Milan",     "Lukáš",    "Jakub",   "David",   "Vladimír", "Ladislav",  "Stanislav",
               "Roman",     "Ondřej",   "Antonín", "Radek",   "Marek",    "Daniel",    "Vojtěch",
               "Filip",     "Adam",     "Matěj",   "Šimon",   "Luboš",    "Bohumil",   "Oldřich",
               "Vlastimil", "Dušan",    "Libor",   "Přemysl", "Čeněk"});
    static const QStringList women =
        words({"Jana",   "Marie",    "Eva",     "Hana",     "Anna",      "Lenka",    "Kateřina",
               "Lucie",  "Věra",     "Alena",   "Petra",    "Jaroslava", "Veronika", "Martina",
               "Tereza", "Michaela", "Jitka",   "Helena",   "Ludmila",   "Zdeňka",   "Ivana",
               "Monika", "Eliška",   "Barbora", "Kristýna", "Markéta",   "Zuzana",   "Dagmar",
               "Božena", "Adéla",    "Klára",   "Šárka",    "Renata",    "Jiřina",   "Blanka"});
    return woman ? women : men;
}

const QStringList& DemoVocabulary::titles()
{
    static const QStringList all =
        words({"Ing.", "Ing.", "Ing.", "Mgr.", "Mgr.", "Bc.", "MUDr.", "JUDr.", "RNDr.", "PhDr."});
    return all;
}

const QStringList& DemoVocabulary::occupations(bool woman)
{
    static const QStringList men =
        words({"zámečník", "elektrikář", "učitel", "řidič", "účetní", "zedník", "programátor",
               "lékař", "technik", "truhlář", "automechanik", "úředník", "kuchař", "strojník",
               "hasič", "lesník", "důchodce", "student"});
    static const QStringList women =
        words({"učitelka", "účetní", "prodavačka", "zdravotní sestra", "úřednice", "kuchařka",
               "technička", "lékařka", "kadeřnice", "důchodkyně", "studentka"});
    return woman ? women : men;
}

const QStringList& DemoVocabulary::employers()
{
    static const QStringList all = words(
        {"ČEZ, a. s.", "Škoda Auto a.s.", "Město Lhota nad Sázavou", "ZŠ Lhota nad Sázavou",
         "Nemocnice Benešov", "České dráhy, a.s.", "Lesy České republiky, s.p.", "AGRO Lhota a.s.",
         "OSVČ", "Kovošrot Benešov s.r.o.", "Česká pošta, s.p.", "Povodí Vltavy, s.p."});
    return all;
}

const QStringList& DemoVocabulary::licenceOffices()
{
    static const QStringList all = words({"BN", "BN", "BN", "PH", "KH"});
    return all;
}

const QList<DemoVocabulary::Place>& DemoVocabulary::places()
{
    static const QList<Place> all{
        {QStringLiteral("Lhota nad Sázavou"), QStringLiteral("257 01"),
         words({"Na Výsluní", "Zahradní",  "Školní",    "Nádražní",   "Husova",
                "Komenského", "Palackého", "U Rybníka", "Lesní",      "Polní",
                "K Hájku",    "Jiráskova", "Sokolská",  "Tyršova",    "Dlouhá",
                "Luční",      "Za Humny",  "Pod Lesem", "Družstevní", "Rybářská",
                "Nábřeží",    "Žižkova",   "Čapkova",   "Šafaříkova", "Ke Mlýnu"})},
        {QStringLiteral("Benešov"), QStringLiteral("256 01"),
         words({"Masarykovo náměstí", "Tyršova", "Jana Nohy", "Čechova", "Konopišťská", "Vlašimská",
                "Křižíkova", "Hodějovského"})},
        {QStringLiteral("Vlašim"), QStringLiteral("258 01"),
         words({"Lidická", "Blanická", "Palackého", "Husova", "Sadová", "Vnoučkova"})},
        {QStringLiteral("Čerčany"), QStringLiteral("257 22"),
         words({"Nádražní", "Zahradní", "Václavská", "Na Vyhlídce"})},
        {QStringLiteral("Týnec nad Sázavou"), QStringLiteral("257 41"),
         words({"Klášterní", "Okružní", "Pražská", "Na Kopečku"})},
        {QStringLiteral("Zruč nad Sázavou"), QStringLiteral("285 22"),
         words({"Jiřická", "Na Kalvárii", "Sázavská"})},
        {QStringLiteral("Kácov"), QStringLiteral("285 09"), {}},
        {QStringLiteral("Český Šternberk"), QStringLiteral("257 27"), {}},
        {QStringLiteral("Chocerady"), QStringLiteral("257 24"), {}},
        {QStringLiteral("Ledečko"), QStringLiteral("285 06"), {}},
        {QStringLiteral("Praha 4"), QStringLiteral("140 00"),
         words({"Na Pankráci", "Táborská", "Budějovická", "Hvězdova"})}};
    return all;
}

const QStringList& DemoVocabulary::brigadeWork()
{
    static const QStringList all =
        words({"Úklid břehů Sázavy", "Sečení trávy u rybníka", "Výlov rybníka Ředitel",
               "Oprava rybářské chaty", "Vysazování plůdku", "Pořadatel dětských závodů",
               "Kácení náletových dřevin", "Oprava hráze", "Úklid po povodni",
               "Stavba mola na štěrkovně"});
    return all;
}

const QStringList& DemoVocabulary::brigadeRecorders()
{
    static const QStringList all =
        words({"Novák J.", "Dvořák P.", "Kučera M.", "Svobodová E.", "hospodář"});
    return all;
}

const QStringList& DemoVocabulary::awards()
{
    static const QStringList all =
        words({"Čestné uznání MO", "Bronzový odznak ZEB", "Stříbrný odznak ZEB", "Zlatý odznak ZEB",
               "Čestné členství"});
    return all;
}

const QStringList& DemoVocabulary::notes()
{
    static const QStringList all =
        words({"Dluží 2 hodiny brigády z loňska.", "Legitimace ztracena, vystavena nová.",
               "Přestup z MO Benešov.", "Sumář nevrácen, upomínka odeslána.",
               "Zbytek doplatí při příštím výdeji.", "Změna adresy ohlášena telefonicky.",
               "Hospodář revíru Sázava 7.", "Chce posílat povolenku poštou."});
    return all;
}
