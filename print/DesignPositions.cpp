#include "DesignPositions.h"

#include "Printable.h"
#include "Report.h"

#include <cmath>

DesignPositions::DesignPositions(const Report& report)
{
    for (Printable* item : report.printables())
        m_entries.append({item, truncated(item->left()), truncated(item->top())});
}

void DesignPositions::applyOffsets(double down, double right) const
{
    for (const Entry& e : m_entries)
        e.item->moveTo(e.left + right, e.top + down);
}

double DesignPositions::truncated(double mm)
{
    // 101.6 is 1015.999… tenths in binary; the tolerance keeps it 101.6.
    constexpr double tolerance = 1e-6;
    return std::trunc(mm * 10 + (mm < 0 ? -tolerance : tolerance)) / 10;
}
