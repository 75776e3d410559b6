#pragma once

#include <QList>
#include <QObject>

class DataSet;
class FieldDataLink;

// The controls bound to one cursor. Whoever is about to post the cursor, or to move it away
// from a record in edit, first has every control write what the user typed into its field,
// as the old engine did before each post; a navigator and a grid do so on their own.
// It lives as a child of the cursor, so it goes when the cursor goes.
class DataLinks : public QObject {
    Q_OBJECT
public:
    // Writes the pending changes of every control bound to the cursor; throws EngineError
    // for the first value its field refuses (the rest stay pending).
    static void updateRecord(DataSet& dataSet);
    static bool hasPendingChanges(DataSet& dataSet);

    static void add(DataSet& dataSet, FieldDataLink* link);
    static void remove(DataSet& dataSet, FieldDataLink* link);

private:
    explicit DataLinks(DataSet& dataSet);
    static DataLinks* of(DataSet& dataSet, bool create);

    QList<FieldDataLink*> m_links;
};
