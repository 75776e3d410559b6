#include "OlderLayout.h"

#include "Database.h"

using namespace Qt::StringLiterals;

const QStringList& OlderLayout::postageAndMi()
{
    static const QStringList fields{u"MI_ROCNI"_s,  u"MI_MESICNI"_s, u"MI_TYDEN"_s, u"MI_CELOREP"_s,
                                    u"MI_MISTNI"_s, u"MI_RAD"_s,     u"POSTOVNE"_s};
    return fields;
}

const QStringList& OlderLayout::newSpecies()
{
    static const QStringList fields{u"PODOUSTEV_KS"_s, u"PODOUSTEV_KG"_s, u"RYBA_1_KS"_s,
                                    u"RYBA_1_KG"_s,    u"RYBA_2_KS"_s,    u"RYBA_2_KG"_s};
    return fields;
}

void OlderLayout::withoutFields(Database& db, const QString& table, const QStringList& missing)
{
    TableDef def = db.tableDef(table);
    db.dropTable(table);
    QList<FieldDef> kept;
    for (const FieldDef& f : def.fields)
        if (!missing.contains(f.name))
            kept << f;
    def.fields = kept;
    db.createTable(def);
}

void OlderLayout::withoutRequiredKeys(Database& db, const QString& table)
{
    TableDef def = db.tableDef(table);
    db.dropTable(table);
    def.requiredFields.clear();
    db.createTable(def);
}
