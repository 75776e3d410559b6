#include "ErrorLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

namespace {
// A log that nobody reads must not fill the disk it warns about.
constexpr qint64 largestLog = 4 * 1024 * 1024;
} // namespace

QString& ErrorLog::path()
{
    static QString current;
    return current;
}

void ErrorLog::setFile(const QString& file)
{
    path() = file;
}

QString ErrorLog::file()
{
    return path();
}

void ErrorLog::write(const QString& toldUser, const QString& detail)
{
    QString line = QDateTime::currentDateTime().toString(Qt::ISODate) + QLatin1Char('\t') +
                   toldUser + QLatin1Char('\t') + detail;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (path().isEmpty()) {
        qDebug().noquote() << line;
        return;
    }
    QDir().mkpath(QFileInfo(path()).absolutePath());
    QFile log(path());
    if (log.size() > largestLog)
        log.remove();
    // Failing to log is no reason to bother the user a second time.
    if (log.open(QIODevice::Append | QIODevice::Text))
        log.write(line.toUtf8() + '\n');
}
