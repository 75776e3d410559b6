#include "GuardedApplication.h"

#include "QtEdge.h"

#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(escapedErrors, "zeb.edge.escaped")
}

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    // Taken beforehand: the handler that failed may have deleted either.
    const char* receiverClass = receiver ? receiver->metaObject()->className() : "nothing";
    const QEvent::Type type = event->type();
    bool handled = false;
    // The event may be a paint, where no box may open: told once the loop is free.
    if (!QtEdge::run([&] { handled = QApplication::notify(receiver, event); }, QtEdge::Tell::Later))
        // A handler of ours lacks its guard; whoever adds it needs to know which.
        qCWarning(escapedErrors) << "An error escaped the handler of" << receiverClass
                                 << "for event" << type;
    return handled;
}
