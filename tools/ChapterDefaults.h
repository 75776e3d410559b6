#pragma once

#include <QList>
#include <QString>

// The chapter a new data directory describes until the secretary enters the real one:
// its settings row and the fishing districts its members return catches for.
class ChapterDefaults {
public:
    struct Chapter {
        QString name; // at most 20 characters: it is copied into the district totals
        QString number;
        QString street;
        QString town;
        QString postCode;
    };
    struct District {
        QString number; // "411 045"
        QString name;   // at most 30 characters
    };

    static Chapter chapter();
    static const QList<District>& districts(bool trout);
};
