#pragma once

class DataSet;

// Holds a cursor's announcements back while code walks it, as a window would not want to
// follow every row passed; when the walk ends, the cursor announces once the row it stands on,
// so grids, inputs and rules bound to it show that row. Nests: only the outermost lets go.
class QuietCursor {
public:
    explicit QuietCursor(DataSet& cursor);
    ~QuietCursor();
    QuietCursor(const QuietCursor&) = delete;
    QuietCursor& operator=(const QuietCursor&) = delete;

private:
    DataSet& m_cursor;
    bool m_wasAnnouncing;
};
