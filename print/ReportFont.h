#pragma once

#include <QFont>
#include <QHashFunctions>
#include <QString>

// The type of a printable: face, size in points, weight. Layouts name "Arial"; it is drawn
// with Liberation Sans, whose letters have Arial's widths, so a text filled into a box of
// pre-printed stationery keeps its length.
struct ReportFont {
    QString face = QStringLiteral("Arial");
    double size = 10;
    bool bold = false;

    bool operator==(const ReportFont&) const = default;

    QFont toQFont() const;
};

// Report fonts key the caches that measure and embed them.
inline size_t qHash(const ReportFont& font, size_t seed = 0)
{
    return qHashMulti(seed, font.face, font.size, font.bold);
}
