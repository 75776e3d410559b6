#pragma once

#include <QFileDevice>
#include <QString>

// Makes a folder refuse new files while it lives. The tests run as root, whom permissions do
// not stop, so there the folder is made immutable; for anyone else its write permissions go.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // False where neither took hold, as on a file system without the immutable attribute.
    bool refusesFiles() const;

private:
    QString m_path;
    QFileDevice::Permissions m_permissions;
    bool m_immutable = false;
};
