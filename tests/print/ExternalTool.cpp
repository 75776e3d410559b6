#include "ExternalTool.h"

#include <QProcess>

#include <gtest/gtest.h>

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << program.toStdString() << " did not run; scripts/install-deps.sh "
                      << "installs it";
        return {};
    }
    if (process.exitCode() != 0)
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}
