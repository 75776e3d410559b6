#include "DataModel.h"

#include <QRegularExpression>

namespace {

QList<FieldDef> feeItemFields()
{
    QList<FieldDef> fields;
    for (const QString& item : DataModel::feeItems())
        fields << FieldDef::integer(item);
    return fields;
}

const QString memberNumber = QStringLiteral("CLEN_CISLO");

TableDef withRequired(TableDef def, const QString& field)
{
    def.requiredFields << field;
    return def;
}

TableDef memberTable(const QString& name)
{
    return withRequired({name, DataModel::memberFields(), memberNumber, QStringLiteral("PRIJMENI")},
                        memberNumber);
}

TableDef paymentTable()
{
    QList<FieldDef> f{FieldDef::text(QStringLiteral("CLEN_CISLO"), 6),
                      FieldDef::integer(QStringLiteral("ROK"))};
    f << feeItemFields();
    f << FieldDef::integer(QStringLiteral("CELKEM_KC")) << FieldDef::date(QStringLiteral("VYDANO"))
      << FieldDef::text(QStringLiteral("MP_VRACENO"), 3)
      << FieldDef::text(QStringLiteral("PS_VRACENO"), 3);
    return withRequired({QStringLiteral("Povol"), f, {}, {}, {memberNumber}}, memberNumber);
}

TableDef feeTable()
{
    QList<FieldDef> f{FieldDef::text(QStringLiteral("KATEGORIE"), 15),
                      FieldDef::integer(QStringLiteral("ROK"))};
    f << feeItemFields() << FieldDef::integer(QStringLiteral("BRIG_HODIN"));
    return withRequired({QStringLiteral("PovolSet"), f, {}, {}}, QStringLiteral("KATEGORIE"));
}

TableDef dayTotalsTable()
{
    QList<FieldDef> f{FieldDef::date(QStringLiteral("VYDANO")),
                      FieldDef::integer(QStringLiteral("POCET_POVOLENEK"))};
    f << feeItemFields() << FieldDef::integer(QStringLiteral("CELKEM_KC"));
    return {QStringLiteral("SumPovol"), f, {}, {}};
}

TableDef issueCountsTable()
{
    QList<FieldDef> f{FieldDef::integer(QStringLiteral("ROK")),
                      FieldDef::integer(QStringLiteral("ZAZNAMU"))};
    f << feeItemFields();
    for (const char* name : {"MP_CESTNA", "PS_CESTNA", "MI_CESTNA", "MP_CELKEM", "PS_CELKEM",
                             "MI_CELKEM", "MP_VRACENO", "PS_VRACENO"})
        f << FieldDef::integer(QLatin1String(name));
    return {QStringLiteral("NumPovol"), f, {}, {}};
}

TableDef setupTable()
{
    return {QStringLiteral("Setup"),
            {FieldDef::text(QStringLiteral("NAZEV_ORGANIZACE"), 20),
             FieldDef::text(QStringLiteral("ULICE"), 30),
             FieldDef::text(QStringLiteral("OBEC"), 20), FieldDef::text(QStringLiteral("PSC"), 6),
             FieldDef::text(QStringLiteral("CISLO_ORGANIZACE"), 6),
             FieldDef::integer(QStringLiteral("PRACOVNI_ROK")),
             FieldDef::integer(QStringLiteral("PRACOVNI_ROK_SUM")),
             FieldDef::boolean(QStringLiteral("TISK")),
             FieldDef::integer(QStringLiteral("DOCH_DRAD")),
             FieldDef::integer(QStringLiteral("DOCH_DSLOUP"))},
            {},
            {}};
}

TableDef districtTable(const QString& name)
{
    return withRequired({name,
                         {FieldDef::text(QStringLiteral("REVIR_CISLO"), 7),
                          FieldDef::text(QStringLiteral("REVIR_NAZEV"), 30)},
                         {},
                         {}},
                        QStringLiteral("REVIR_CISLO"));
}

// A member's brigade work or award: a row that means nothing without its member.
TableDef memberRecordTable(const QString& name, const QList<FieldDef>& fields)
{
    return withRequired({name, fields, {}, {}, {memberNumber}}, memberNumber);
}

QList<TableDef> buildTables()
{
    QList<TableDef> t;
    t << memberTable(QStringLiteral("Clenove")) << memberTable(QStringLiteral("Vyrazeni"));
    t << paymentTable() << feeTable() << dayTotalsTable() << issueCountsTable() << setupTable();
    t << districtTable(QStringLiteral("ReviryMP")) << districtTable(QStringLiteral("ReviryPS"));
    t << TableDef{QStringLiteral("CSumMP"), DataModel::districtTotalsFields(), {}, {}};
    t << TableDef{QStringLiteral("CSumPS"), DataModel::districtTotalsFields(), {}, {}};
    t << withRequired(
        {QStringLiteral("VAHY"),
         {FieldDef::text(QStringLiteral("DB_NAME"), 20),
          FieldDef::text(QStringLiteral("USER_NAME"), 20), FieldDef::real(QStringLiteral("KG_MIN")),
          FieldDef::real(QStringLiteral("KG_MAX"))},
         {},
         {}},
        QStringLiteral("DB_NAME"));
    t << memberRecordTable(
        QStringLiteral("Brigady"),
        {FieldDef::text(memberNumber, 6), FieldDef::date(QStringLiteral("DATUM")),
         FieldDef::real(QStringLiteral("HODIN")), FieldDef::text(QStringLiteral("AKCE"), 40),
         FieldDef::text(QStringLiteral("ZAPSAL"), 20)});
    t << memberRecordTable(QStringLiteral("Vyznam"),
                           {FieldDef::text(memberNumber, 6),
                            FieldDef::text(QStringLiteral("DRUH_VYZNAMENANI"), 40),
                            FieldDef::date(QStringLiteral("DATUM_UDELENI"))});
    t << TableDef{QStringLiteral("VYCETKA"),
                  {FieldDef::text(QStringLiteral("TYP_PLATBY"), 30),
                   FieldDef::integer(QStringLiteral("HODNOTA")),
                   FieldDef::integer(QStringLiteral("POCET"))},
                  {},
                  {}};
    t << TableDef{
        QStringLiteral("ZPRAVOD"),
        {FieldDef::text(QStringLiteral("PRIJMENI"), 20),
         FieldDef::text(QStringLiteral("JMENO"), 20), FieldDef::text(QStringLiteral("TITUL"), 10),
         FieldDef::text(QStringLiteral("ULICE"), 30), FieldDef::text(QStringLiteral("OBEC"), 20),
         FieldDef::text(QStringLiteral("PSC"), 6), FieldDef::boolean(QStringLiteral("ZENA")),
         FieldDef::boolean(QStringLiteral("VYTISKNUTO")),
         FieldDef::integer(QStringLiteral("PRILOHA")),
         FieldDef::text(QStringLiteral("CLEN_CISLO"), 6)},
        {},
        {}};
    return t;
}

} // namespace

const QList<TableDef>& DataModel::tables()
{
    static const QList<TableDef> all = buildTables();
    return all;
}

TableDef DataModel::table(const QString& name)
{
    const QString bare = name.section(QLatin1Char('.'), 0, 0);
    for (const TableDef& t : tables())
        if (t.name.compare(bare, Qt::CaseInsensitive) == 0)
            return t;
    if (isYearCatchTableName(bare))
        return {bare, yearCatchFields(), {}, {}};
    return {};
}

const QStringList& DataModel::feeItems()
{
    static const QStringList items{
        QStringLiteral("ZAPISNE"),     QStringLiteral("SKOLENI"),      QStringLiteral("LEGITIMACE"),
        QStringLiteral("CLEN_PRISP"),  QStringLiteral("MAN_POPLATEK"), QStringLiteral("BRIGADA"),
        QStringLiteral("STANOVY_ZEB"), QStringLiteral("POSTOVNE"),     QStringLiteral("MP_ROCNI"),
        QStringLiteral("MP_MESICNI"),  QStringLiteral("MP_14_DNU"),    QStringLiteral("MP_TYDEN"),
        QStringLiteral("MP_CELOREP"),  QStringLiteral("MP_MISTNI"),    QStringLiteral("MP_RAD"),
        QStringLiteral("PS_ROCNI"),    QStringLiteral("PS_MESICNI"),   QStringLiteral("PS_TYDEN"),
        QStringLiteral("PS_CELOREP"),  QStringLiteral("PS_MISTNI"),    QStringLiteral("PS_RAD"),
        QStringLiteral("MI_ROCNI"),    QStringLiteral("MI_MESICNI"),   QStringLiteral("MI_TYDEN"),
        QStringLiteral("MI_CELOREP"),  QStringLiteral("MI_MISTNI"),    QStringLiteral("MI_RAD")};
    return items;
}

QStringList DataModel::permitItems(const QString& water)
{
    QStringList items;
    const QString prefix = water + QLatin1Char('_');
    for (const QString& item : feeItems())
        if (item.startsWith(prefix) && !item.endsWith(QLatin1String("_RAD")))
            items << item;
    return items;
}

const QStringList& DataModel::species()
{
    static const QStringList names{
        QStringLiteral("KAPR"),         QStringLiteral("LIN"),       QStringLiteral("CEJN_VEL"),
        QStringLiteral("TLOUST"),       QStringLiteral("OKOUN"),     QStringLiteral("PARMA"),
        QStringLiteral("OSTRORETKA"),   QStringLiteral("PODOUSTEV"), QStringLiteral("RYBA_1"),
        QStringLiteral("RYBA_2"),       QStringLiteral("STIKA"),     QStringLiteral("CANDAT"),
        QStringLiteral("SUMEC"),        QStringLiteral("UHOR"),      QStringLiteral("PSTRUH_OB"),
        QStringLiteral("PSTRUH_DUH"),   QStringLiteral("LIPAN"),     QStringLiteral("SIVEN"),
        QStringLiteral("AMUR"),         QStringLiteral("BOLEN"),     QStringLiteral("TOLSTOLOBIK"),
        QStringLiteral("MARENA_PELED"), QStringLiteral("KARAS_STR"), QStringLiteral("JESEN"),
        QStringLiteral("MNIK"),         QStringLiteral("OSTATNI")};
    return names;
}

QList<FieldDef> DataModel::memberFields()
{
    return {FieldDef::text(QStringLiteral("CLEN_CISLO"), 6),
            FieldDef::text(QStringLiteral("PRIJMENI"), 20),
            FieldDef::text(QStringLiteral("JMENO"), 20),
            FieldDef::text(QStringLiteral("PREDCISLI"), 6),
            FieldDef::text(QStringLiteral("CISLO_LEGITIMACE"), 15),
            FieldDef::text(QStringLiteral("KATEGORIE"), 15),
            FieldDef::text(QStringLiteral("TITUL"), 10),
            FieldDef::text(QStringLiteral("ULICE"), 30),
            FieldDef::text(QStringLiteral("OBEC"), 20),
            FieldDef::text(QStringLiteral("PSC"), 6),
            FieldDef::text(QStringLiteral("TELEFON"), 15),
            FieldDef::date(QStringLiteral("DATUM_NAROZENI")),
            FieldDef::text(QStringLiteral("RODNE_CISLO"), 15),
            FieldDef::boolean(QStringLiteral("ZENA")),
            FieldDef::boolean(QStringLiteral("SPONZOR")),
            FieldDef::text(QStringLiteral("POVOLANI"), 30),
            FieldDef::text(QStringLiteral("ZAMESTNAVATEL"), 30),
            FieldDef::integer(QStringLiteral("CLEN_OD_ROKU")),
            FieldDef::text(QStringLiteral("RYB_LISTEK"), 15),
            FieldDef::integer(QStringLiteral("LAST_CLENSTVI")),
            FieldDef::integer(QStringLiteral("LAST_SUMAR_MP")),
            FieldDef::integer(QStringLiteral("LAST_SUMAR_PS")),
            FieldDef::integer(QStringLiteral("POVOL_MP")),
            FieldDef::integer(QStringLiteral("POVOL_PS")),
            FieldDef::memo(QStringLiteral("ZAZNAMY")),
            FieldDef::text(QStringLiteral("POZOR"), 10)};
}

QList<FieldDef> DataModel::yearCatchFields()
{
    QList<FieldDef> f{FieldDef::text(QStringLiteral("CLEN_CISLO"), 6),
                      FieldDef::text(QStringLiteral("EV_CISLO_SUM"), 10),
                      FieldDef::text(QStringLiteral("CISLO_POVOLENKY"), 20),
                      FieldDef::text(QStringLiteral("PRIJMENI"), 20),
                      FieldDef::boolean(QStringLiteral("PSTRUHOVA")),
                      FieldDef::text(QStringLiteral("REVIR_CISLO"), 7),
                      FieldDef::text(QStringLiteral("REVIR_NAZEV"), 30),
                      FieldDef::integer(QStringLiteral("DOCHAZKA"))};
    for (const QString& s : species())
        f << FieldDef::integer(s + QStringLiteral("_KS"))
          << FieldDef::real(s + QStringLiteral("_KG"));
    return f;
}

QList<FieldDef> DataModel::districtTotalsFields()
{
    QList<FieldDef> f = yearCatchFields();
    f << FieldDef::integer(QStringLiteral("SUMA_KS")) << FieldDef::real(QStringLiteral("SUMA_KG"));
    return f;
}

QString DataModel::yearCatchTableName(bool trout, int year)
{
    return (trout ? QStringLiteral("SuPS") : QStringLiteral("SuMP")) + QString::number(year);
}

bool DataModel::isYearCatchTableName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^Su(MP|PS)\\d{4}$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name.section(QLatin1Char('.'), 0, 0)).hasMatch();
}
