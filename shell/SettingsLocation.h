#pragma once

#include <QString>

// Where TALU.ini lives. Beside the program, as it always has, when that folder can be
// written; otherwise (a program installed for all users) in the user's configuration folder,
// which then starts from a copy of the file beside the program, if there is one. Settings
// written into a folder that refuses them would be lost without a word. When the user's folder
// refuses that copy too, the file beside the program is the one read.
class SettingsLocation {
public:
    static QString fileName() { return QStringLiteral("TALU.ini"); }

    // For the running program: its own folder and the user's configuration folder.
    static QString iniPath();
    static QString iniPath(const QString& programDirectory, const QString& userDirectory);

    // Tried by making a file there, so that permissions, ACLs and read-only mounts all count.
    static bool isWritableFolder(const QString& directory);
};
