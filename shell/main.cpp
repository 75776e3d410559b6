#include "DataDirectoryChoice.h"
#include "ErrorLog.h"
#include "GuardedApplication.h"
#include "ProgramIdentity.h"
#include "ProgramStart.h"
#include "SettingsLocation.h"

#include <QDir>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    GuardedApplication app(argc, argv);
    ProgramIdentity::apply(app);
    ErrorLog::setFile(QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
                          .filePath(QStringLiteral("chyby.log")));
    // Started from the desktop menu, the working directory says nothing of where the data are.
    if (!DataDirectoryChoice::enterIfRequested(QApplication::arguments()))
        return 0;
    const QString dataDirectory = QDir::currentPath();
    if (!ProgramStart::ensureDataDirectory(dataDirectory))
        return 0;
    ProgramStart program(dataDirectory, QApplication::applicationDirPath(),
                         SettingsLocation::iniPath());
    if (!program.start())
        return 1;
    return program.run();
}
