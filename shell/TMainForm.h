#pragma once

#include <QWidget>

#include <functional>

class QLabel;

// The main window: a row of launcher buttons over the chapter's picture.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    // FormCreate runs here: the title with the folder suffix of the program's directory.
    explicit TMainForm(const QString& programDirectory, QWidget* parent = nullptr);

    // " - " followed by the last component of the program's directory.
    const QString& FolderSuffix() const { return m_folderSuffix; }
    static QString folderSuffixOf(const QString& programDirectory);

    QLabel* LabelUpgrade() const { return m_labelUpgrade; }

    // Asked when the window is about to close; false keeps it open.
    std::function<bool()> onClose;

signals:
    void membersRequested();
    void catchReturnsRequested();
    void settingsRequested();
    void saveRequested();
    void backupRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const QString& programDirectory);
    void addButton(const QString& caption, int left, int width, void (TMainForm::*signal)());

    QString m_folderSuffix;
    QLabel* m_labelUpgrade = nullptr;
};
