#pragma once

#include <QStringList>

class QFile;

// The few things the program asks of the operating system itself, in one place so that the
// rest stays portable.
class Platform {
public:
    // Makes SQLite's locks on the database files belong to SQLite's own open files. Where
    // locks belong to the whole process (POSIX record locks), closing any other descriptor
    // of the same file in the process – a file dialog guessing a file's type, say – drops
    // them all, and another program may then take the database over under the running one.
    // Call before the first database is opened.
    static void keepDatabaseLocksWithTheirFiles();
    // An exclusive lock on an open file that the system drops when the file is closed or the
    // process ends; false when another process holds it.
    static bool tryLockFile(QFile& file);
    // Hands a new mail with the files attached to the desktop's mail program, for the user to
    // look over and send; false where the desktop offers no such hand-over (xdg-email).
    static bool composeMail(const QString& address, const QString& subject,
                            const QStringList& attachments);
    // The device a serial port of the settings stands for. "COM1" … "COM4" are the system's
    // first serial ports where those are device files ("/dev/ttyS0" …); any other name, such
    // as a device path, is the device itself.
    static QString serialDevice(const QString& port);
    // How the settings name a serial port the system reports: "COM5" where ports have such
    // names, else the device path, such as "/dev/ttyUSB0".
    static QString serialPortSetting(const QString& portName, const QString& systemLocation);
    // The error number the system gave the last failed call of this thread.
    static int lastSystemError();
    // A short, clearly audible tone that does not hold the caller up; false where the system
    // offers no way to play one (the caller may ring the desktop's bell instead).
    static bool playShortTone();
};
