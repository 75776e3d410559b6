#pragma once

#include <QString>
#include <QStringList>

class DataSet;

// The composite texts the single-member documents print from the current member's record.
class MemberTexts {
public:
    // TITUL, JMENO and PRIJMENI joined by two blanks each, also when TITUL is empty, as the
    // stationery's name line has always been filled.
    static QString nameLine(DataSet& members);
    // ULICE, five blanks, PSC, two blanks, OBEC.
    static QString addressLine(DataSet& members);
    // JMENO, one blank, PRIJMENI.
    static QString shortName(DataSet& members);
    // The lines of the notes memo ZAZNAMY as the members window shows them.
    static QStringList noteLines(DataSet& members);
};
