#pragma once

#include <QList>
#include <QStringList>

// The Czech words a demo chapter is made of: names, places, occupations, brigade work,
// awards and the notes a secretary writes.
class DemoVocabulary {
public:
    struct Surname {
        QString male;
        QString female;
    };
    struct Place {
        QString town;
        QString postCode;
        QStringList streets; // none: a village whose houses are numbered by the village name
    };

    static const QList<Surname>& surnames();
    static const QStringList& firstNames(bool woman);
    static const QStringList& titles();
    static const QStringList& occupations(bool woman);
    static const QStringList& employers();
    // Letter codes of the offices that issue fishing licences, the local one most often.
    static const QStringList& licenceOffices();
    // The chapter's own town comes first.
    static const QList<Place>& places();
    static const QStringList& brigadeWork();
    static const QStringList& brigadeRecorders();
    // From the lowest to the highest; the last is honorary membership.
    static const QStringList& awards();
    static const QStringList& notes();
};
