#pragma once

#include "TableDef.h"

#include <QStringList>

// The one definition of every table the program keeps: the initializer, the year catch
// tables, the upgrades and the tests all take their layouts from here.
class DataModel {
public:
    // Recorded in the database once every table holds the layouts below; 0 is any older
    // data, whose start-up brings it up to date.
    static constexpr int layoutVersion = 520;

    // Every fixed table of a data directory (the year catch tables are made per year).
    static const QList<TableDef>& tables();

    // The definition of a table by name, letter case ignored; year catch tables
    // ("SuMP2012", "SuPS2012.DB") are recognised by their pattern. Empty name when unknown.
    static TableDef table(const QString& name);

    // The 27 fee items ZAPISNE … MI_RAD in stored order.
    static const QStringList& feeItems();
    // The permit items of a kind of water ("MP", "PS", "MI") in stored order: its fee items
    // without the rules booklet.
    static QStringList permitItems(const QString& water);
    // The 26 catch species in stored order.
    static const QStringList& species();

    static QList<FieldDef> memberFields();
    static QList<FieldDef> yearCatchFields();
    static QList<FieldDef> districtTotalsFields();

    // "SuMP" or "SuPS" + year, the table name of a year catch table.
    static QString yearCatchTableName(bool trout, int year);
    static bool isYearCatchTableName(const QString& name);
};
