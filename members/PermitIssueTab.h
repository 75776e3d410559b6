#pragma once

#include "DataSet.h"
#include "IssueDocuments.h"
#include "IssueFeeItems.h"

#include <QHash>
#include <QWidget>

#include <memory>

class DbEdit;
class DbNavigator;
class PrintSettings;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class ReportRunner;
class ReturnBox;
class TDataModule1;

// The cash desk of the members window ("Povolenky-výdej"): issuing a year's fees and
// permits to the current member, with its receipt and attendance cards.
//
// An issue runs from the payment navigator's insert to its save or delete. While it runs,
// the member may not change under it: the tab's own member search is off, and whoever
// leaves it another way (the members window's search, the scanner, another tab, closing the
// window) is asked whether to finish the issue or discard it, so no half-made payment record
// is left behind.
class PermitIssueTab : public QWidget {
    Q_OBJECT
public:
    explicit PermitIssueTab(QWidget* parent = nullptr);
    ~PermitIssueTab() override;

    void attach(TDataModule1& data, ReportRunner& reports);
    void setPrintSettings(const PrintSettings* settings);

    // What the data module's rules ask of this tab.
    void setHonoraryPermitShown(bool shown);
    // "Brigáda splněna" of the current member, as the member rules worked it out.
    void setBrigadeDone(bool done) { m_brigadeDone = done; }
    void disableRepeatPrint();
    void PrintStornoReceipt();

    // The issue flag (the payment navigator's tag): 1 while a new record is being filled.
    int issueFlag() const { return m_issuing ? 1 : 0; }
    // The navigator's insert, as the barcode reader presses it.
    void startNewIssue();
    bool scannerStartsIssue() const;

    void SetFeeEditable(bool on);
    void RecalcIssueTotal();
    // " Vrátil sumář " of this tab.
    ReturnBox& returnBox() { return *m_returnBox; }

signals:
    // The members window disables its own member navigation while an issue runs.
    void issuingChanged(bool issuing);

public slots:
    // The single-member documents, also printed from the basic-data tab.
    void printMembershipCard();
    void printTransferForm();
    void printPermitCard();
    void repeatPrint();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Leaving { Member, Tab, Window };

    void buildFeeGroups(QGridLayout* grid);
    QWidget* buildMemberBox();
    QWidget* buildPaymentBox();
    QWidget* buildOptions();
    void bindInputs();
    void watchLeaving();

    // The issue.
    void onNavigatorActed(int button);
    void beginIssue();
    void FinishIssue();
    void endIssue();
    void setIssuing(bool on);
    void workOutCard(const IssueFeeItems::PermitKind& kind, IssueDocuments::Card& card);
    bool honoraryWhileIssuing(const IssueFeeItems::PermitKind& kind) const;
    // Why no issue can begin for the current member; empty when it can.
    QString issueRefusal();
    void abandonIssue(const QString& reason);

    // Filling the fee items.
    void fillItem(const IssueFeeItems::Item& item);
    void fillGroup(IssueFeeItems::Group group);
    void onMasterClicked(IssueFeeItems::Group group);
    QVariant feeRowAmount(const QString& field);
    qint64 inputAmount(const QString& field) const;
    qint64 fieldSum(const QStringList& fields);
    bool brigadeDone() const;

    // Choosing the member.
    void locateMember();
    void settleNote();
    QString currentMemberNumber();

    // Leaving an issue unfinished.
    bool filterEvent(QObject* watched, QEvent* event);
    void onMemberMoved();
    void onTabChanged(int index);
    bool resolveUnfinishedIssue(Leaving how);
    QString unfinishedIssueQuestion(Leaving how) const;

    TDataModule1* m_data = nullptr;
    std::unique_ptr<IssueDocuments> m_documents;
    QHash<QString, DbEdit*> m_amounts;
    QHash<QString, QCheckBox*> m_ticks;
    QCheckBox* m_masters[IssueFeeItems::groupCount] = {};
    QList<DbEdit*> m_memberEdits;
    QList<DbEdit*> m_paymentEdits;
    QList<DbEdit*> m_setupEdits;
    DbEdit* m_total = nullptr;
    DbEdit* m_pozor = nullptr;
    QLineEdit* m_memberNumber = nullptr;
    QLabel* m_labelCestna = nullptr;
    DbNavigator* m_navigator = nullptr;
    QCheckBox* m_printReceipt = nullptr;
    QCheckBox* m_printAttendance = nullptr;
    QCheckBox* m_scannerIssues = nullptr;
    QPushButton* m_repeat = nullptr;
    ReturnBox* m_returnBox = nullptr;
    QTabWidget* m_tabs = nullptr;

    bool m_issuing = false;
    bool m_brigadeDone = false;
    // While an issue runs the label follows the amounts typed, not the stored record.
    bool m_issueOwnsLabel = false;
    bool m_resolving = false;
    QString m_issuingMember;
    DataSet::Bookmark m_issuingMemberMark = -1;
    DataSet::Bookmark m_issuedPayment = -1;
    IssueDocuments::IssuePrint m_lastPrint;
};
