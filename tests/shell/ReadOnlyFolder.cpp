#include "ReadOnlyFolder.h"

#include "SettingsLocation.h"

#include <QFile>
#include <QProcess>

#include <unistd.h>

namespace {

bool changeAttribute(const QString& path, const QString& change)
{
    return QProcess::execute(QStringLiteral("chattr"), {change, path}) == 0;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString& path)
    : m_path(path)
    , m_permissions(QFile::permissions(path))
{
    if (geteuid() == 0)
        m_immutable = changeAttribute(path, QStringLiteral("+i"));
    else
        QFile::setPermissions(path, m_permissions & ~(QFile::WriteOwner | QFile::WriteUser |
                                                      QFile::WriteGroup | QFile::WriteOther));
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_immutable)
        changeAttribute(m_path, QStringLiteral("-i"));
    else
        QFile::setPermissions(m_path, m_permissions);
}

bool ReadOnlyFolder::refusesFiles() const
{
    return !SettingsLocation::isWritableFolder(m_path);
}
