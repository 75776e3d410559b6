#pragma once

#include <QString>

// What the member-change rule works out for the members window about the current
// member: the return marks of the summary year, the brigade figures and the note mark.
struct MemberFigures {
    struct ReturnMark {
        bool shown = false;    // a payment of the summary year carries a mark of this kind
        QString permitKind;    // "roční", "měsíc", … or "čest"
        bool returned = false; // the mark is "ANO"
    };

    ReturnMark mp;
    ReturnMark ps;
    bool brigadeKnown = false; // the brigade figures below were worked out
    QString hoursWorked;
    qint64 hoursRequired = 0;
    bool brigadeDone = false;
    bool noteOpen = false; // POZOR is not empty
    bool notesKnown = false;
};
