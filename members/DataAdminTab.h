#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class TDataModule1;

// The "Správa dat" tab: maintenance of the whole register, such as deleting old records
// and the count of removed members.
class DataAdminTab : public QWidget {
    Q_OBJECT
public:
    explicit DataAdminTab(QWidget* parent = nullptr);

    void attach(TDataModule1& data) { m_data = &data; }
    void setRemovedCount(int count);

    // "Brigády": deletes the brigade records of every member dated up to the end of the
    // year typed in EditZrusit, after the user agrees.
    void deleteOldBrigades();

private:
    QWidget* buildOldRecordsBox();

    TDataModule1* m_data = nullptr;
    QLabel* m_removedCount = nullptr;
    QLineEdit* m_editZrusit = nullptr;
};
