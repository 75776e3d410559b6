#include "Platform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtEndian>

#include <cerrno>
#include <cmath>

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

QString Platform::serialDevice(const QString& port)
{
#if defined(_WIN32)
    return port;
#else
    static const QRegularExpression comPort(QStringLiteral("^COM([1-4])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = comPort.match(port.trimmed());
    if (m.hasMatch())
        return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
    return port.trimmed();
#endif
}

QString Platform::serialPortSetting(const QString& portName, const QString& systemLocation)
{
#if defined(_WIN32)
    Q_UNUSED(systemLocation);
    return portName;
#else
    Q_UNUSED(portName);
    return systemLocation;
#endif
}

int Platform::lastSystemError()
{
#if defined(_WIN32)
    return int(GetLastError());
#else
    return errno;
#endif
}

namespace {

// A tenth of a second of a 1 kHz tone as a WAV file: 8 kHz, 8-bit mono.
QByteArray toneWave()
{
    constexpr int rate = 8000;
    constexpr int samples = rate / 10;
    QByteArray data(samples, Qt::Uninitialized);
    for (int i = 0; i < samples; ++i)
        data[i] = char(128 + int(90 * std::sin(2 * M_PI * 1000.0 * i / rate)));
    const auto le32 = [](quint32 v) {
        QByteArray b(4, Qt::Uninitialized);
        qToLittleEndian(v, b.data());
        return b;
    };
    const auto le16 = [](quint16 v) {
        QByteArray b(2, Qt::Uninitialized);
        qToLittleEndian(v, b.data());
        return b;
    };
    return "RIFF" + le32(36 + samples) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(rate) +
           le32(rate) + le16(1) + le16(8) + "data" + le32(samples) + data;
}

} // namespace

bool Platform::playShortTone()
{
#if defined(_WIN32)
    return MessageBeep(MB_OK) != 0;
#else
    static const QString wave = [] {
        const QString path = QDir::temp().filePath(QStringLiteral("zeb-mo-tone.wav"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(toneWave()) < 0)
            return QString();
        return path;
    }();
    if (wave.isEmpty())
        return false;
    for (const QString& player :
         {QStringLiteral("paplay"), QStringLiteral("pw-play"), QStringLiteral("aplay")}) {
        const QString program = QStandardPaths::findExecutable(player);
        if (program.isEmpty())
            continue;
        QStringList arguments{wave};
        if (player == QLatin1String("aplay"))
            arguments.prepend(QStringLiteral("-q"));
        return QProcess::startDetached(program, arguments);
    }
    return false;
#endif
}
