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
};
