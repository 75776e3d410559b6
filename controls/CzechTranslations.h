#pragma once

class QCoreApplication;

// Qt's own dialogs and buttons (files, printing, message boxes) speak Czech like the rest of
// the program, and numbers and dates follow Czech custom.
class CzechTranslations {
public:
    // Loads Qt's Czech translation from the Qt installation, or from "translations" beside the
    // program, where an installation that carries its own Qt keeps it. False when neither has
    // it; the dialogs then stay in English and nothing else changes.
    static bool install(QCoreApplication& application);
};
