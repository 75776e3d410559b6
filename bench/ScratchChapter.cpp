#include "ScratchChapter.h"

#include "DataDirectoryInitializer.h"

ScratchChapter::ScratchChapter(int year)
    : m_directory(m_folder.filePath(QStringLiteral("data")))
{
    DataDirectoryInitializer::Options options;
    options.year = year;
    DataDirectoryInitializer::create(m_directory, options);
}
