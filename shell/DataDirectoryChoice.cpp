#include "DataDirectoryChoice.h"

#include "Database.h"
#include "Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString settingsKey()
{
    return QStringLiteral("dataDirectory");
}

} // namespace

DataDirectoryChoice::DataDirectoryChoice(QSettings& settings, Asker ask)
    : m_settings(settings)
    , m_ask(std::move(ask))
{
}

QString DataDirectoryChoice::directory()
{
    const QString remembered = rememberedDirectory();
    if (holdsData(remembered))
        return remembered;
    // A remembered folder that is still there is the best place to start looking: new data
    // were declined there, or its data were moved away.
    const QString start = QFileInfo(remembered).isDir()
                              ? remembered
                              : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString chosen = m_ask(start);
    if (chosen.isEmpty())
        return {};
    const QString absolute = QDir(chosen).absolutePath();
    m_settings.setValue(settingsKey(), absolute);
    m_settings.sync();
    return absolute;
}

bool DataDirectoryChoice::enter()
{
    const QString chosen = directory();
    if (chosen.isEmpty())
        return false;
    if (QDir::setCurrent(chosen))
        return true;
    Messages::error(QStringLiteral("Do adresáře %1 nelze přejít.\n\rZkontrolujte, zda existuje "
                                   "a zda k němu máte přístup.")
                        .arg(QDir::toNativeSeparators(chosen)));
    return false;
}

bool DataDirectoryChoice::enterIfRequested(const QStringList& arguments, const Asker& ask)
{
    // The first argument is the program itself.
    if (!arguments.mid(1).contains(option()))
        return true;
    const std::unique_ptr<QSettings> settings = userSettings();
    return DataDirectoryChoice(*settings, ask).enter();
}

std::unique_ptr<QSettings> DataDirectoryChoice::userSettings()
{
    // Without an organisation Qt refuses to write the settings; the program's name stands in.
    const QString application = QCoreApplication::applicationName();
    const QString organisation = QCoreApplication::organizationName().isEmpty()
                                     ? application
                                     : QCoreApplication::organizationName();
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation,
                                       application);
}

QString DataDirectoryChoice::askWithDialog(const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(
        nullptr, QStringLiteral("Vyberte adresář s daty programu"), startFolder);
}

QString DataDirectoryChoice::rememberedDirectory() const
{
    return m_settings.value(settingsKey()).toString();
}

bool DataDirectoryChoice::holdsData(const QString& directory)
{
    return !directory.isEmpty() && QFileInfo(directory).isDir() && Database::existsIn(directory);
}
