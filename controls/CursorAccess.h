#pragma once

#include "DataSet.h"

#include <QList>
#include <QVariant>

// Reads rows of a cursor away from its current row, and jumps to a row, without the cursor
// announcing the rows it passes (every announcement runs the record rules bound to it).
// The engine has no such reads; until it does, the cursor walks there with its signals
// blocked and comes back to the row it stood on, with its start and end marks.
class CursorAccess {
public:
    struct Rows {
        QList<QList<QVariant>> values;
        QList<DataSet::Bookmark> marks;
    };

    // Up to `count` rows from view position `first`. The cursor must be open and browsing:
    // moving a cursor in edit would post it.
    static Rows read(DataSet& dataSet, int first, int count);

    // Moves to a view position and announces only that row. A record in edit is written
    // first (the controls' pending text included), as any move does; throws EngineError.
    static void moveTo(DataSet& dataSet, int position);

private:
    struct Place {
        DataSet::Bookmark mark;
        bool atStart;
        bool atEnd;
    };

    static void walk(DataSet& dataSet, int position);
    static void comeBack(DataSet& dataSet, const Place& home);
    static QList<QVariant> currentValues(DataSet& dataSet);
};
