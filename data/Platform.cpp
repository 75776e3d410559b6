#include "Platform.h"

#include <sqlite3.h>

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
