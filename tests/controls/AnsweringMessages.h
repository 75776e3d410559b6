#pragma once

#include "Messages.h"

#include <QList>
#include <QStringList>

// For fixtures of windows that ask and tell: while answering, every message box is recorded
// instead of shown and answered with the next queued answer, or with Yes (or OK) when none
// is queued.
class AnsweringMessages {
public:
    struct Shown {
        Messages::Kind kind;
        QString text;
    };

    void startAnswering();
    void stopAnswering();
    QStringList shownTexts() const;

protected:
    QList<Shown> shown;
    QList<Messages::Answer> answers; // taken in turn
};
