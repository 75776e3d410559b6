#include "CursorAccess.h"

#include "DataLinks.h"
#include "Table.h"

#include <QSignalBlocker>

#include <cstdlib>

void CursorAccess::walk(DataSet& dataSet, int position)
{
    const int last = dataSet.recordCount() - 1;
    const int here = dataSet.position();
    // Steps are cheap but a view holds thousands of rows: start from the nearest of the
    // current row and the two ends.
    if (position < std::abs(position - here) && position <= last - position)
        dataSet.first();
    else if (last - position < std::abs(position - here))
        dataSet.last();
    for (int p = dataSet.position(); p < position; ++p)
        dataSet.next();
    for (int p = dataSet.position(); p > position; --p)
        dataSet.prior();
}

QList<QVariant> CursorAccess::currentValues(DataSet& dataSet)
{
    QList<QVariant> row;
    row.reserve(dataSet.fieldCount());
    for (int f = 0; f < dataSet.fieldCount(); ++f)
        row << dataSet.value(f);
    return row;
}

CursorAccess::Rows CursorAccess::read(DataSet& dataSet, int first, int count)
{
    Rows rows;
    if (!dataSet.isActive() || dataSet.isEditing())
        return rows;
    const QSignalBlocker quiet(&dataSet);
    const int size = dataSet.recordCount();
    first = qMax(0, first);
    count = qMin(count, size - first);
    if (count <= 0)
        return rows;
    const Place home{dataSet.position() >= 0 ? dataSet.bookmark() : -1, dataSet.bof(),
                     dataSet.eof()};
    try {
        walk(dataSet, first);
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                dataSet.next();
            rows.values << currentValues(dataSet);
            rows.marks << dataSet.bookmark();
        }
    } catch (...) {
        // A row that cannot be read must not leave the cursor elsewhere, unannounced.
        comeBack(dataSet, home);
        throw;
    }
    comeBack(dataSet, home);
    return rows;
}

void CursorAccess::comeBack(DataSet& dataSet, const Place& home)
{
    // Going back reads no row, so it works also when the rows could not be read.
    if (home.mark >= 0)
        dataSet.gotoBookmark(home.mark);
    // The start and end marks end the loops that walk a cursor; a repaint between two
    // steps of such a loop must not clear them.
    if (home.atStart)
        dataSet.prior();
    if (home.atEnd)
        dataSet.next();
}

void CursorAccess::moveTo(DataSet& dataSet, int position)
{
    if (!dataSet.isActive() || dataSet.position() == position)
        return;
    DataLinks::updateRecord(dataSet);
    if (auto* table = qobject_cast<Table*>(&dataSet); table && table->isEditing()) {
        if (table->isModified())
            table->post();
        else
            table->cancel();
    }
    const bool announcing = dataSet.notificationsEnabled();
    dataSet.setNotificationsEnabled(false);
    try {
        walk(dataSet, position);
    } catch (...) {
        dataSet.setNotificationsEnabled(announcing);
        throw;
    }
    // Switching announcements back on announces the row the cursor arrived at.
    dataSet.setNotificationsEnabled(announcing);
}
