#pragma once

class QApplication;

// What the program is to the system before any window opens: its name for settings and logs,
// and Czech for Qt's own dialogs. It sets no display name, which Qt would append to every
// window's title.
class ProgramIdentity {
public:
    static void apply(QApplication& application);
};
