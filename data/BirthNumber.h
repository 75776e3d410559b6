#pragma once

#include <QDate>
#include <QString>

// The birth number as the program writes it: two-digit year, month and day with dots, a
// woman's month raised by fifty, then a slash ("61.07.03/", "61.57.03/"); the suffix after
// the slash is the member's own.
class BirthNumber {
public:
    // What the birth date gives, up to and with the slash.
    static QString start(const QDate& born, bool woman);
};
