#pragma once

#include "DemoMember.h"
#include "DemoVocabulary.h"

#include <QList>

class DemoRandom;

// Makes the people of the demo chapter household by household: adults and their children
// at one address, mostly under one surname, each with the personal data, category and
// membership years a real chapter's register shows. Member numbers are the caller's.
class DemoHouseholdFactory {
public:
    DemoHouseholdFactory(DemoRandom& random, int year);

    // One to four members living together, the first of them an adult.
    QList<DemoMember> household();
    // An adult living alone.
    DemoMember single();

private:
    struct Address {
        QString street;
        QString town;
        QString postCode;
    };

    Address address();
    int adultAge();
    DemoMember person(const DemoVocabulary::Surname& family, bool woman, int age,
                      const Address& home);
    void addPartner(QList<DemoMember>& people, const DemoVocabulary::Surname& family,
                    const Address& home);
    void addChildren(QList<DemoMember>& people, const DemoVocabulary::Surname& family,
                     const Address& home);
    QDate birthDate(int age);
    QString birthNumber(const QDate& birth, bool woman);
    void assignMembership(DemoMember& m);
    void assignCategory(DemoMember& m);
    void assignContacts(DemoMember& m);
    void assignWork(DemoMember& m);
    void assignNotes(DemoMember& m);

    DemoRandom& m_random;
    int m_year;
};
