#pragma once

#include <QWidget>

class DbEdit;
class QGridLayout;
class TDataModule1;

// The "Info" tab: how many permits and fees were issued in the year typed, as the last
// "Aktualizace informací" counted them into NumPovol.DB.
class IssueCountsTab : public QWidget {
    Q_OBJECT
public:
    explicit IssueCountsTab(QWidget* parent = nullptr);

    void attach(TDataModule1& data);

public slots:
    // "Aktualizace informací": counts the payments of the year typed.
    void countIssues();

private:
    struct Line {
        const char* caption;
        const char* field;
    };
    QWidget* buildGroup(const QString& title, std::initializer_list<Line> lines);
    DbEdit* countFor(const QString& field);

    TDataModule1* m_data = nullptr;
    DbEdit* m_year = nullptr;
    QList<QPair<DbEdit*, QString>> m_counts; // each figure's input and field
};
