#pragma once

#include <QString>

// Hours of brigade work, added up in hundredths of an hour: a sum of tenths such as
// 3,3 + 5,6 + 1,1 is exactly 10 and meets a duty of 10 hours, which a sum of doubles misses.
class BrigadeHours {
public:
    // Adds the hours of one piece of work, rounded to hundredths.
    void add(double hours);
    // The duty of the member's category (whole hours) is met.
    bool meets(qint64 requiredHours) const { return m_hundredths >= requiredHours * 100; }
    // With the Czech decimal comma and no trailing zeros: "10", "2,5", "1,25".
    QString text() const;

private:
    qint64 m_hundredths = 0;
};
