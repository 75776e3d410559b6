#pragma once

#include <QDate>
#include <QString>

// The display masks of report fields, read as the old reports read them.
// Numbers: up to three sections "positive;negative;zero"; '0' is a digit always shown, '#' a
// digit shown only when significant, '.' the decimal point (printed as the locale's), ','
// anywhere before it groups thousands, and text in quotes is printed as it stands. An empty
// positive section prints the number in its shortest form, so ";;''" prints every value
// except zero, which gets the empty quoted text.
// Dates: d, dd, m, mm, yy, yyyy; other characters are printed as they stand.
class DisplayMask {
public:
    static QString formatNumber(const QString& mask, double value);
    // An invalid date prints nothing, whatever the mask.
    static QString formatDate(const QString& mask, const QDate& date);
};
