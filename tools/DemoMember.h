#pragma once

#include <QDate>
#include <QString>

// One member of the demo chapter as planned before it is written: the member record's
// values, plus the years the history of payments and returns is built from.
struct DemoMember {
    QString number;
    QString surname;
    QString firstName;
    QString title;
    bool woman = false;
    QDate birth;
    QString birthNumber;
    QString category;
    QString street;
    QString town;
    QString postCode;
    QString phone;
    QString occupation;
    QString employer;
    QString licence;
    QString card;
    bool sponsor = false;
    int memberSince = 0;
    int lastPaid = 0;
    int lastReturnMp = 0;
    int lastReturnPs = 0;
    QString notes;
    QString attention;

    int ageIn(int year) const { return year - birth.year(); }
};
