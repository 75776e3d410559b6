#pragma once

#include <QStringList>

// A quick look into a data directory: every table with its number of rows, as
// "Clenove: 300 rows", in name order without regard to letter case.
class DataDirectorySummary {
public:
    // Throws EngineError when the directory holds no data or the data is in use.
    static QStringList lines(const QString& directory);
};
