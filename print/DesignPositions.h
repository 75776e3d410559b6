#pragma once

#include <QList>

class Printable;
class Report;

// The positions a stationery layout was drawn with, kept from the moment the report is made.
// Offsets for the printer's feed are always added to these, never to a position an earlier
// print has already moved, so printing again does not creep across the card.
class DesignPositions {
public:
    // Records every printable of the report as it stands now.
    explicit DesignPositions(const Report& report);

    // Places every recorded printable at its design position moved down and right (mm).
    void applyOffsets(double down, double right) const;

    // A layout position as the old designer stored it: cut, not rounded, to 0.1 mm.
    static double truncated(double mm);

private:
    struct Entry {
        Printable* item;
        double left;
        double top;
    };
    QList<Entry> m_entries;
};
