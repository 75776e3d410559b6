#pragma once

#include <QString>

// The technical side of an error the user was told about in plain words: the engine's own
// text and the statement, for whoever looks into a fault later. Kept in a file in the
// user's data folder; without one (tests, tools) the lines go to the debug output.
class ErrorLog {
public:
    static void setFile(const QString& path);
    static QString file();
    // One line: time, what the user was told, and the technical detail.
    static void write(const QString& toldUser, const QString& detail);

private:
    static QString& path();
};
