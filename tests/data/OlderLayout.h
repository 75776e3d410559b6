#pragma once

#include <QString>
#include <QStringList>

class Database;

// Puts tables into the layouts older programs left behind, for the start-up upgrade to find:
// without the fields added since, or with keys stored as plain fields.
class OlderLayout {
public:
    // The fields the fee tables gained with the postage and the third kind of water.
    static const QStringList& postageAndMi();
    // The species the catch tables gained.
    static const QStringList& newSpecies();

    // Replaces the table by its layout without the named fields; no rows are kept.
    static void withoutFields(Database& db, const QString& table, const QStringList& missing);
    // Replaces the table by its layout with no field stored as NOT NULL; no rows are kept.
    static void withoutRequiredKeys(Database& db, const QString& table);
};
