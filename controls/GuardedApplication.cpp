#include "GuardedApplication.h"

#include "QtEdge.h"

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    // The event may be a paint, where no box may open: told once the loop is free.
    QtEdge::run([&] { handled = QApplication::notify(receiver, event); }, QtEdge::Tell::Later);
    return handled;
}
