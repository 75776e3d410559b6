#include "DataLock.h"

#include "EngineError.h"
#include "Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>

namespace {
const QByteArray hostKey = "host=";

QString hostNamedIn(const QByteArray& content)
{
    for (const QByteArray& line : content.split('\n'))
        if (line.startsWith(hostKey))
            return QString::fromUtf8(line.mid(hostKey.size())).trimmed();
    return {};
}
} // namespace

DataLock::DataLock(const QString& path)
    : m_file(path)
{
}

DataLock::~DataLock()
{
    if (!m_taken)
        return;
    // A clean end leaves an empty file: only a program that did not end names its computer.
    m_file.resize(0);
    m_file.close();
}

DataLock::Outcome DataLock::take(bool takeOverFromAnotherComputer)
{
    if (!m_file.open(QIODevice::ReadWrite))
        throw EngineError(
            QStringLiteral("Do souboru %1 nelze zapisovat. Program data mění, proto potřebuje "
                           "adresář dat, do kterého smí psát: zkopírujte data na jiný disk nebo "
                           "upravte oprávnění.")
                .arg(QDir::toNativeSeparators(QFileInfo(m_file).absoluteFilePath())));
    if (!Platform::tryLockFile(m_file)) {
        m_file.close();
        return Outcome::HeldByRunningProgram;
    }
    const QString host = hostNamedIn(m_file.readAll());
    if (!host.isEmpty() && host != QSysInfo::machineHostName() && !takeOverFromAnotherComputer) {
        m_otherComputer = host;
        m_file.close();
        return Outcome::LeftByAnotherComputer;
    }
    writeOwner();
    m_taken = true;
    return Outcome::Taken;
}

void DataLock::writeOwner()
{
    m_file.resize(0);
    m_file.seek(0);
    m_file.write(QByteArrayLiteral("zeb-mo\n") + hostKey + QSysInfo::machineHostName().toUtf8() +
                 QByteArrayLiteral("\npid=") +
                 QByteArray::number(QCoreApplication::applicationPid()) + '\n');
    m_file.flush();
}
