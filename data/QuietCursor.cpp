#include "QuietCursor.h"

#include "DataSet.h"

QuietCursor::QuietCursor(DataSet& cursor)
    : m_cursor(cursor)
    , m_wasAnnouncing(cursor.notificationsEnabled())
{
    m_cursor.setNotificationsEnabled(false);
}

QuietCursor::~QuietCursor()
{
    m_cursor.setNotificationsEnabled(m_wasAnnouncing);
}
