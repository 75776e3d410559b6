#pragma once

#include <QString>

// A group of members is the set whose membership numbers begin with the group's text, as
// the "Tisk" tab's group field names it.
class MemberGroup {
public:
    // The cursor filter that keeps the group's members. The text is quoted whole, so what a
    // user types (an apostrophe, an asterisk) is matched literally and never changes the
    // condition.
    static QString filter(const QString& group);
};
