#pragma once

#include "TDataModule1.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The exchange of catch returns on the totals tab of the catch-return window: appending the
// year catch table typed on another computer of the chapter, and writing the district totals
// with the year catch table for the union, into a folder or as a mail. Follows the window's
// MP/PS switch through the data module's catch kind.
class CatchExchangePanel : public QWidget {
    Q_OBJECT
public:
    // The progress bar is the tab's own, shared with the totals computation; may be null.
    CatchExchangePanel(TDataModule1& data, QProgressBar* progress, QWidget* parent = nullptr);

    // The union's address for "Odešli", asked for at each sending so a changed setting counts.
    void setMailAddress(std::function<QString()> address);

    static QString defaultImportFolder();

signals:
    // Rows were appended to the year catch table behind the window's back.
    void yearTableAppended();

private:
    QWidget* buildImportBox();
    QWidget* buildUnionBox();
    QPushButton* addButton(const QString& caption, const QString& name,
                           void (CatchExchangePanel::*slot)());

    void appendFromOtherComputer();
    void saveForUnion();
    void sendToUnion();

    QString kindText() const;
    // The files handed over: the district totals and the year catch table of the kind.
    QStringList unionFiles();
    // Writes them into a folder the user picks, asking before files there are replaced; the
    // paths written, none when the user gave up.
    QStringList writeIntoChosenFolder(const QString& caption);
    void showProgress(int done, int total);

    TDataModule1& m_data;
    QProgressBar* m_progress;
    std::function<QString()> m_mailAddress;
    QLineEdit* m_importFolder = nullptr;
    QLabel* m_batch = nullptr;
    QString m_lastFolder;
};
