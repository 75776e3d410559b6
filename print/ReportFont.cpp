#include "ReportFont.h"

namespace {
void substituteArial()
{
    // fontconfig usually maps Arial to Liberation Sans by itself; saying it here keeps the
    // widths right on a machine whose font configuration lacks that alias.
    static const bool done = [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    Q_UNUSED(done);
}
} // namespace

QFont ReportFont::toQFont() const
{
    substituteArial();
    QFont font(face);
    font.setPointSizeF(size);
    font.setBold(bold);
    // The old printouts were laid out without kerning or hinting; both would shift the end
    // of a text that has to stop before a printed line.
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    // Nor with ligatures: each letter is drawn as itself, and PDF files written straight from
    // a report draw them so too.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}
