#pragma once

#include <QString>
#include <QTemporaryDir>

// An empty chapter of its own for a figure that must not disturb the generated one: a new
// data directory of the year in a temporary folder, gone with the object.
class ScratchChapter {
public:
    explicit ScratchChapter(int year);
    const QString& directory() const { return m_directory; }

private:
    QTemporaryDir m_folder;
    QString m_directory;
};
