#include "Platform.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <sqlite3.h>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#endif

#if defined(__linux__)
#include <fcntl.h>

#include <cstdarg>

namespace {

// Open-file-description locks (Linux): held by the descriptor SQLite opened, released when
// that one is closed or the process ends, and seen by other programs' ordinary locks.
int fcntlWithOwnLocks(int fd, int command, ...)
{
    va_list args;
    va_start(args, command);
    const bool lockCommand = command == F_SETLK || command == F_SETLKW || command == F_GETLK;
    void* lock = lockCommand ? va_arg(args, void*) : nullptr;
    const long value = lockCommand ? 0 : va_arg(args, long);
    va_end(args);
    if (!lockCommand)
        return fcntl(fd, command, value);
    static_cast<struct flock*>(lock)->l_pid = 0;
    const int ownCommand =
        command == F_SETLK ? F_OFD_SETLK : (command == F_SETLKW ? F_OFD_SETLKW : F_OFD_GETLK);
    return fcntl(fd, ownCommand, lock);
}

} // namespace

void Platform::keepDatabaseLocksWithTheirFiles()
{
    static const bool installed = [] {
        sqlite3_vfs* vfs = sqlite3_vfs_find("unix");
        return vfs && vfs->iVersion >= 3 && vfs->xSetSystemCall &&
               vfs->xSetSystemCall(vfs, "fcntl",
                                   reinterpret_cast<sqlite3_syscall_ptr>(&fcntlWithOwnLocks)) ==
                   SQLITE_OK;
    }();
    (void)installed;
}

#else

void Platform::keepDatabaseLocksWithTheirFiles()
{
    // Elsewhere a lock already belongs to the handle that took it.
}

#endif

bool Platform::tryLockFile(QFile& file)
{
#if defined(_WIN32)
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    OVERLAPPED whole = {};
    return LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                      &whole) != 0;
#else
    // flock belongs to this open file only: no other descriptor's close can drop it.
    return flock(file.handle(), LOCK_EX | LOCK_NB) == 0;
#endif
}

bool Platform::composeMail(const QString& address, const QString& subject,
                           const QStringList& attachments)
{
#if defined(_WIN32) || defined(__APPLE__)
    (void)address;
    (void)subject;
    (void)attachments;
    return false;
#else
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (program.isEmpty())
        return false;
    QStringList arguments{QStringLiteral("--subject"), subject};
    for (const QString& file : attachments)
        arguments << QStringLiteral("--attach") << file;
    arguments << address;
    // The mail program stays open for the user; the program does not wait for it.
    return QProcess::startDetached(program, arguments);
#endif
}
