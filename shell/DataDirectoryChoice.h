#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QSettings;

// The data directory of a program started from the desktop menu, whose working directory
// means nothing. It is the directory the user chose once, remembered in the user's own
// settings (never TALU.ini, which may be shared by everyone who runs the program); the user
// is asked again when it has gone or no longer holds data, so a folder chosen by mistake
// never locks the user in. Started any other way, the working directory stays the data
// directory.
class DataDirectoryChoice {
public:
    // Shows the user a choice of directory opening in the given folder; empty when cancelled.
    using Asker = std::function<QString(const QString& startFolder)>;

    // The option of the menu entry's command line.
    static QString option() { return QStringLiteral("--from-menu"); }

    DataDirectoryChoice(QSettings& settings, Asker ask);

    // The remembered directory, or the one the user chooses now, which is then remembered.
    // Empty when the user cancels.
    QString directory();
    // Makes directory() the current directory. False when the program is to end: the user
    // cancelled, or the directory could not be entered (the reason was shown).
    bool enter();

    // For the running program: with option() among the arguments, enter() with the user's
    // settings. True when the program goes on.
    static bool enterIfRequested(const QStringList& arguments, const Asker& ask = askWithDialog);

    // The user's own settings of this program, in the system's usual place for them.
    static std::unique_ptr<QSettings> userSettings();
    static QString askWithDialog(const QString& startFolder);

private:
    QString rememberedDirectory() const;
    static bool holdsData(const QString& directory);

    QSettings& m_settings;
    Asker m_ask;
};
