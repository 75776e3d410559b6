#pragma once

#include <QDate>
#include <QString>

// The birth number as the program writes it: two-digit year, month and day with dots, then a
// slash and the member's own suffix ("61.07.03/1234"). The month of a woman is raised by
// fifty; numbers given since 2004 may raise a man's month by twenty and a woman's by seventy.
// A number with a four-digit suffix whose year digits are below 54 is of 2000–2053; every
// other one is of the 1900s.
class BirthNumber {
public:
    // Reads a number in any form dotted() takes.
    explicit BirthNumber(const QString& text);

    // The birth date and sex the number stands for; an invalid date when it stands for none.
    bool isDate() const { return m_born.isValid(); }
    QDate birthDate() const { return m_born; }
    bool isWoman() const { return m_woman; }

    // What the birth date gives, up to and with the slash.
    static QString start(const QDate& born, bool woman);
    // The number in the dotted form, from "yymmddxxxx", "yymmdd/xxxx" or "yy-mm-dd/xxxx"; a
    // number already dotted keeps its form, and one shorter than six characters is returned
    // as it is.
    static QString dotted(const QString& text);

private:
    void read(const QString& dottedText);

    QDate m_born;
    bool m_woman = false;
};
