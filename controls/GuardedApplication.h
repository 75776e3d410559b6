#pragma once

#include <QApplication>

// The program's application object, with a last net under the event delivery: an error
// that still escapes one of our handlers is reported like any other and the program goes
// on. It is no defence of its own – the error has already unwound through Qt's frames,
// whose state is then undefined – so every place where Qt calls our code keeps its own
// guard (QtEdge); this only keeps a missed one from ending the program, and names it in the
// log (category zeb.edge.escaped) for whoever adds the guard.
class GuardedApplication : public QApplication {
    Q_OBJECT
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
