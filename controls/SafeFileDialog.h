#pragma once

#include <QString>

class QWidget;

// File dialogs that never open the files they list. The system's dialogs, and Qt's own with
// its type icons, read files to guess their type; closing any descriptor of the data file
// in the program would drop the locks the program holds on it.
class SafeFileDialog {
public:
    // Empty when the user cancels.
    static QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter);
    static QString saveFile(QWidget* parent, const QString& caption, const QString& suggestedPath,
                            const QString& filter);
    // An existing folder; empty when the user cancels.
    static QString chooseFolder(QWidget* parent, const QString& caption, const QString& folder);

private:
    static QString run(QWidget* parent, const QString& caption, const QString& path,
                       const QString& filter, bool saving);
};
