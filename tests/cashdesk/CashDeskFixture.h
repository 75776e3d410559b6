#pragma once

#include "DataModuleHost.h"
#include "GuiTestSupport.h"
#include "Messages.h"
#include "PrintSettings.h"
#include "RecordingSink.h"
#include "RenderedDocument.h"
#include "ReportRunner.h"
#include "ReportSink.h"
#include "TDataModule1.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <memory>

class PermitIssueTab;
class QCheckBox;
class QTabWidget;

// The settings window as documents see it.
struct TestPrintSettings : PrintSettings {
    int rows[4] = {};
    int columns[4] = {};
    QString message = QStringLiteral("Docházku odevzdej do 15.1.");
    bool barcode = true;
    bool birthNumber = false;

    int rowOffset(Document d) const override { return rows[int(d)]; }
    int columnOffset(Document d) const override { return columns[int(d)]; }
    QString attendanceMessage() const override { return message; }
    bool printsBarcode() const override { return barcode; }
    bool printsBirthNumber() const override { return birthNumber; }
    bool localPermitOverviews() const override { return false; }
};

// A members window reduced to what the cash desk meets: the basic-data tab's
// "Brigáda splněna" box and the cash-desk tab.
class CashDeskWindow : public QDialog {
public:
    CashDeskWindow();

    QTabWidget* tabs;
    QCheckBox* brigadeDone;
    PermitIssueTab* tab;
};

// The data module's calls routed to the window as the program routes them.
class CashDeskHost : public DataModuleHost {
public:
    CashDeskWindow* window = nullptr;
    QStringList errors;

    void setUpgradeNotice(bool, const QString&) override {}
    void setEvaluatedBrigadeYear(const QString&) override {}
    void setMemberCount(int) override {}
    void setAwardKinds(const QStringList&) override {}
    void showAllMembers() override {}
    void markCatchOverviewStale() override {}
    void showMemberFigures(const MemberFigures& figures) override;
    QString evaluatedBrigadeYear() const override { return QStringLiteral("2026"); }
    void setMemberEditable(bool) override {}
    void setHonoraryPermitShown(bool shown) override;
    void setRemovedCount(int) override {}
    void printStornoReceipt() override;
    bool issueInProgress() const override;
    void showError(const QString& text) override { errors << text; }
    void confirmWithOk(const QString&) override {}
};

// A chapter with one fee category "A" for 2026 and a few members, the cash desk on it, the
// reports going to a recording sink and every question answered by the test.
class CashDesk : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Fee row amounts: ZAPISNE 100 … one distinct amount per item (see the .cpp).
    static qint64 fee(const QString& field);

    void selectMember(const QString& number);
    void click(const QString& objectName);
    void clickNavigator(int button);
    void insert();
    void save();
    void remove();
    QCheckBox* box(const QString& objectName);
    Table& payment();
    Table& members();
    QString paymentField(const char* field);
    QString memberField(const char* field);
    int paymentCount();
    bool honoraryShown();
    void typeAmount(const char* field, const QString& text);
    // Issues a yearly non-trout permit and answers the card question with Yes.
    void issueCard();

    std::unique_ptr<TestChapter> chapter;
    CashDeskHost host;
    std::unique_ptr<CashDeskWindow> window;
    std::unique_ptr<TDataModule1> data;
    std::unique_ptr<ReportRunner> runner;
    RecordingSink sink;
    TestPrintSettings settings;
    // The questions asked, and the answers given in turn (Yes when none is left).
    QStringList questions;
    QList<Messages::Answer> answers;
};

// Top left corner of the first item of that name, in mm from the paper's corner.
QPointF positionOf(const RenderedDocument& document, const QString& name);
QString textOf(const RenderedDocument& document, const QString& name);
