#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

QString SettingsLocation::iniPath()
{
    return iniPath(QCoreApplication::applicationDirPath(),
                   QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString SettingsLocation::iniPath(const QString& programDirectory, const QString& userDirectory)
{
    const QString besideProgram = QDir(programDirectory).filePath(fileName());
    const QFileInfo beside(besideProgram);
    if (isWritableFolder(programDirectory) && (!beside.exists() || beside.isWritable()))
        return besideProgram;
    const QString own = QDir(userDirectory).filePath(fileName());
    if (!QFileInfo::exists(own) && beside.exists()) {
        QDir().mkpath(userDirectory);
        // Where no folder takes a file, the one beside the program is still read; saving into it
        // then fails with a message, rather than the settings falling back to defaults unseen.
        if (!QFile::copy(besideProgram, own))
            return besideProgram;
        QFile(own).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    return own;
}

bool SettingsLocation::isWritableFolder(const QString& directory)
{
    if (!QFileInfo(directory).isDir())
        return false;
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral("talu-probe-XXXXXX")));
    return probe.open();
}
