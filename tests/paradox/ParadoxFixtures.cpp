#include "ParadoxFixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

bool ParadoxFixtures::available()
{
    return QFileInfo(QStringLiteral(ZEB_PARADOX_FIXTURES)).isDir();
}

QString ParadoxFixtures::path(const QString& relative)
{
    return QDir(QStringLiteral(ZEB_PARADOX_FIXTURES)).filePath(relative);
}

QString ParadoxFixtures::copy(const QString& relative, const QTemporaryDir& into)
{
    const QFileInfo source(path(relative));
    QString copied;
    for (const QFileInfo& file :
         source.dir().entryInfoList({source.completeBaseName() + QStringLiteral(".*")})) {
        const QString target = into.filePath(file.fileName());
        QFile::copy(file.filePath(), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        if (file.fileName() == source.fileName())
            copied = target;
    }
    return copied;
}

QByteArray ParadoxFixtures::read(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void ParadoxFixtures::write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}
