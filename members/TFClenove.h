#pragma once

#include "DisplayFilter.h"
#include "MemberFigures.h"
#include "TDataModule1.h"

#include <QDialog>

#include <functional>
#include <memory>

class DataAdminTab;
class DataSet;
class DbEdit;
class DbGrid;
class DbNavigator;
class IssueCountsTab;
class JubileeTab;
class ListPrints;
class MemberRecordsTab;
class MemberRemovals;
class MoneyTab;
class MemberSelection;
class PermitIssueTab;
class PrintTab;
class PrintSettings;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class Query;
class ReportRunner;
class ReturnBox;
class TFormBrigada;

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
    // The dialog behind "Zápis "; made after this window.
    void setBrigadeDialog(TFormBrigada* dialog) { m_brigadeDialog = dialog; }

public slots:
    void setEvaluatedBrigadeYear(const QString& year);

public:
    void setMemberCount(int count);
    void setAwardKinds(const QStringList& kinds);
    // Presses a display-filter button. Throws EngineError (a pending member edit that
    // cannot be saved, a filter the engine refuses).
    void runDisplayFilter(DisplayFilter::Kind kind);

    // What the data module's member rules show here.
    void showMemberFigures(const MemberFigures& figures);
    QString evaluatedBrigadeYear() const;
    void SetMemberEditable(bool on);
    void setHonoraryPermitShown(bool shown);
    void setRemovedCount(int count);
    void PrintStornoReceipt();

    // Only on the basic-data tab: the focus goes to the search the user chose last.
    void FocusMemberSearch();
    // The number search: makes the member current or says there is none.
    void findMemberByNumber(const QString& number);
    // Makes the member current and marks its return of the catch window's kind as handed in;
    // true when a mark changed. A number not in the register is told with the surname of
    // the current year catch row, and nothing is marked. Throws EngineError when the mark
    // fails (nothing is marked then).
    bool MarkReturnedForMember(const QString& number);
    // "Nevrátili  MP" / "Nevrátili  PS": the members whose payment of the summary year still
    // owes the return of the kind.
    void selectOwedReturns(TDataModule1::Water kind);
    // The open-note mark: set by typing into the notes, cleared by a double click.
    void markNote();
    // "Udělit": the kind typed or chosen goes to the current member and, when new, into the
    // sorted list.
    void grantAward();
    void settleNote();

    Query& QueryClenove();
    MemberSelection& selection() { return *m_selection; }
    PermitIssueTab& permitTab() { return *m_permitTab; }
    MemberRecordsTab& recordsTab() { return *m_recordsTab; }
    DataAdminTab& dataAdminTab() { return *m_dataAdmin; }
    IssueCountsTab& issueCountsTab() { return *m_issueCounts; }
    PrintTab& printTab() { return *m_printTab; }
    JubileeTab& jubileeTab() { return *m_jubileeTab; }
    MemberRemovals& removals() { return *m_removals; }
    QString selectionCaption() const;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildBasicDataTab();
    QWidget* buildMemberInputs();
    QWidget* buildSearchBox();
    QWidget* buildFilterBox();
    QWidget* buildBrigadeBox();
    QWidget* buildReturnBox();
    QWidget* buildAwardBox();
    DbNavigator* buildNavigator();
    template <class Input> Input* bound(const QString& field, bool lockable);
    void addCaptioned(QGridLayout* grid, int row, int column, const QString& caption,
                      const QList<QWidget*>& inputs);

    void setUpSizeRules();
    void showSizeLimits();
    void scaleControls(bool enlarge);
    bool filterOwnEvent(QObject* watched, QEvent* event);
    bool windowKey(QKeyEvent* event);
    void onTabShown(int index);
    void showSearch(bool byName);
    void showSummaryYear();
    void refreshFilterCategories();
    void refreshCounts();
    bool findByPrimaryKey(const QString& number);
    void showCounts();
    void onNavigatorAboutToAct(int button);
    void onNavigatorClicked();
    bool confirmMemberDelete();
    bool finishMemberEdit();
    void prefillLegitimation();
    void prefillBirthNumber();
    void writeInput(DbEdit* input, const QString& text);
    void writeNoteMark(const QString& mark);
    void openBrigadeDialog();
    void rerunMemberRule();
    void connectListPrints();
    void connectRemovals();

    TDataModule1* m_data = nullptr;
    TFormBrigada* m_brigadeDialog = nullptr;
    std::unique_ptr<MemberSelection> m_selection;
    std::unique_ptr<ListPrints> m_listPrints;
    std::unique_ptr<MemberRemovals> m_removals;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_basicTab = nullptr;
    QList<std::function<void(DataSet*)>> m_binders;
    QList<QWidget*> m_memberInputs;
    QHash<QString, QWidget*> m_inputs;
    DbNavigator* m_navigator = nullptr;
    QPushButton* m_searchByName = nullptr;
    DbGrid* m_surnameList = nullptr;
    QLineEdit* m_editFindClen = nullptr;
    QStackedWidget* m_searchPages = nullptr;
    QLineEdit* m_editBrigRok = nullptr;
    QLabel* m_memberCount = nullptr;
    QComboBox* m_awardKinds = nullptr;
    QComboBox* m_filterCategory = nullptr;
    QLabel* m_filterCount = nullptr;
    QButtonGroup* m_filterButtons = nullptr;
    QList<QLabel*> m_summaryYearLabels;
    QLabel* m_labelMp = nullptr;
    QLabel* m_labelPs = nullptr;
    QCheckBox* m_returnedMp = nullptr;
    QCheckBox* m_returnedPs = nullptr;
    ReturnBox* m_returnBox = nullptr;
    QLabel* m_hoursRequired = nullptr;
    QLabel* m_hoursWorked = nullptr;
    QCheckBox* m_checkBoxBrig = nullptr;
    DbEdit* m_pozor = nullptr;
    PermitIssueTab* m_permitTab = nullptr;
    MoneyTab* m_moneyTab = nullptr;
    MemberRecordsTab* m_recordsTab = nullptr;
    DataAdminTab* m_dataAdmin = nullptr;
    IssueCountsTab* m_issueCounts = nullptr;
    PrintTab* m_printTab = nullptr;
    JubileeTab* m_jubileeTab = nullptr;
    DisplayFilter::Kind m_filterKind = DisplayFilter::Kind::All;
    quint64 m_countedVersion = 0;
    qreal m_designFontSize = 0;
    bool m_enlarged = false;
};
