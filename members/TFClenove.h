#pragma once

#include "DisplayFilter.h"
#include "MemberFigures.h"

#include <QDialog>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class PermitIssueTab;
class PrintSettings;
class Query;
class ReportRunner;
class TDataModule1;

// The members window: the register of members, searches, display filters and the
// tabs of the cash desk, prints, money, jubilees and data administration. It owns the
// selection query that the display filters and the list prints share.
class TFClenove : public QDialog {
    Q_OBJECT
public:
    explicit TFClenove(QWidget* parent = nullptr);
    ~TFClenove() override;

    // Binds the window to the data module; called once, right after the module exists.
    void attach(TDataModule1& data, ReportRunner& reports);
    // The settings that printed documents follow; known once the settings window exists.
    void setPrintSettings(const PrintSettings* settings);

public slots:
    void setEvaluatedBrigadeYear(const QString& year);

public:
    void setMemberCount(int count);
    void setAwardKinds(const QStringList& kinds);
    // Presses a display-filter button.
    void runDisplayFilter(DisplayFilter::Kind kind);

    // What the data module's member rules show here.
    void showMemberFigures(const MemberFigures& figures);
    QString evaluatedBrigadeYear() const;
    void SetMemberEditable(bool on);
    void setHonoraryPermitShown(bool shown);
    void setRemovedCount(int count);
    void PrintStornoReceipt();

    Query& QueryClenove() { return *m_queryClenove; }
    PermitIssueTab& permitTab() { return *m_permitTab; }
    QString selectionCaption() const;

private:
    QWidget* buildBasicDataTab();
    QWidget* buildPrintTab();
    QWidget* buildFilterBox();

    TDataModule1* m_data = nullptr;
    std::unique_ptr<Query> m_queryClenove;
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_editBrigRok = nullptr;
    QLabel* m_memberCount = nullptr;
    QComboBox* m_awardKinds = nullptr;
    QComboBox* m_filterCategory = nullptr;
    QLabel* m_filterCount = nullptr;
    QLabel* m_staticTextKdo = nullptr;
    QButtonGroup* m_filterButtons = nullptr;
    QLabel* m_labelMp = nullptr;
    QLabel* m_labelPs = nullptr;
    QCheckBox* m_returnedMp = nullptr;
    QCheckBox* m_returnedPs = nullptr;
    QLabel* m_hoursRequired = nullptr;
    QLabel* m_hoursWorked = nullptr;
    QCheckBox* m_checkBoxBrig = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    PermitIssueTab* m_permitTab = nullptr;
    QLabel* m_removedCount = nullptr;
    QList<QWidget*> m_memberInputs;
};
