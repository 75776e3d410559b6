#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

// The barcode of the attendance card: Code 128 beginning with FNC1, which makes it the
// "EAN-128" (GS1-128) the scanner at the desk reads, in code set A: digits, capitals and
// punctuation. A lower-case letter is carried by a shift into set B.
class Code128 {
public:
    // Symbol values from start to stop, check value included; empty when the text holds a
    // character outside ASCII, which no code set carries.
    static QList<int> symbols(const QString& text);
    // Widths of bars and spaces in modules, alternating and beginning with a bar.
    static QList<int> moduleWidths(const QString& text);

    // Draws the symbol in black with its top left corner at the origin, each module
    // moduleWidth pixels wide and the bars height pixels high. False, drawing nothing, when
    // the text cannot be encoded.
    // The ratio is the wide-to-narrow ratio the old barcode component was given. Code 128
    // has no wide and narrow bars, only bars of one to four modules, so it does not change
    // the drawing; it is taken so a layout can state what it always stated.
    static bool draw(QImage& image, const QString& text, QPoint origin, int moduleWidth = 1,
                     double ratio = 2.0, int height = 33);
    // The symbol alone on white, with the quiet zone of ten modules each side, at 96 dpi as
    // pictures for the layouts are; a null image when the text cannot be encoded.
    static QImage image(const QString& text, int moduleWidth = 1, int height = 33);
};
