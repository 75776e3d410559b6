#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>

// The one conversion between dates and text. The program writes dates as d.M.yyyy
// everywhere (fields, filters, SQL literals, print); input also takes dd.mm.yyyy and
// tolerates blanks around the parts. The database stores dates as ISO text.
class DateText {
public:
    static QString format(const QDate& date);
    // An invalid date when the text is not a d.M.yyyy date.
    static QDate parse(const QString& text);
    static bool looksLikeDate(const QString& text);

    static QString toIso(const QDate& date);
    static QDate fromIso(const QString& iso);
    // The same, straight from the stored bytes.
    static QDate fromIso(QByteArrayView iso);
};
