#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

class Database;

// Makes a new data directory the program can start on: every table of the data model, the
// year catch tables start-up expects, and the rows that come with the data (settings, fee
// table, usual weights, districts). On request it also fills in a whole demo chapter.
// An existing data directory is never touched.
class DataDirectoryInitializer {
public:
    struct Options {
        bool demo = false;
        int members = 0; // demo chapter size; 0 = the default size
        quint32 seed = 1;
        int year = 0; // working and summary year; 0 = this year
    };

    static constexpr int FirstYear = 1990;
    static constexpr int LastYear = 2050;

    // Throws EngineError (with the message for the user) when the directory already holds
    // data, the options are out of range or anything cannot be written; a directory made
    // here is removed again on failure.
    static void create(const QString& directory, const Options& options);
    // Makes the database of a data directory with the given step, apart from the directory,
    // and puts it in place only once the step has succeeded, so data are there whole or not
    // at all, whenever the work fails or the process dies. Throws EngineError as create().
    static void build(const QString& directory, const std::function<void(Database&)>& fillData);

    // The year catch tables a new data directory holds for the year.
    static QStringList yearCatchTables(int year);
};
