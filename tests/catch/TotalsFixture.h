#pragma once

#include "DataModuleHost.h"
#include "GuiTestSupport.h"
#include "RecordingSink.h"
#include "RenderedDocument.h"
#include "ReportSink.h"

#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

class DistrictTotalsPanel;
class QProgressBar;
class QPushButton;
class ReportRunner;
class TDataModule1;

struct TotalsHost : DataModuleHost {
    void setUpgradeNotice(bool, const QString&) override {}
    void setEvaluatedBrigadeYear(const QString&) override {}
    void setMemberCount(int) override {}
    void setAwardKinds(const QStringList&) override {}
    void showAllMembers() override {}
    void markCatchOverviewStale() override {}
    void showMemberFigures(const MemberFigures&) override {}
    QString evaluatedBrigadeYear() const override { return QStringLiteral("2012"); }
    void setMemberEditable(bool) override {}
    void setHonoraryPermitShown(bool) override {}
    void setRemovedCount(int) override {}
    void printStornoReceipt() override {}
    bool issueInProgress() const override { return false; }
    void showError(const QString& text) override { ADD_FAILURE() << text.toStdString(); }
    void confirmWithOk(const QString&) override {}
};

// A chapter "MO Zeleneč" (number 1234) in summary year 2012 with no districts and no returns
// until a test writes those its reasoning depends on; the data module on it and the totals
// panel in a window, its reports going to a sink and its message boxes to the test.
class TotalsFixture : public ::testing::Test {
protected:
    TotalsFixture();
    ~TotalsFixture() override;
    void SetUp() override;
    void TearDown() override;

    Database& db() { return chapter->db(); }
    // Replaces the districts of the kind ("MP" or "PS") by these, in this table order.
    void setDistricts(const QList<std::pair<QString, QString>>& districts,
                      const QString& kind = QStringLiteral("MP"));
    // Appends a return to the kind's year catch table; values by field name.
    void addReturn(const QVariantMap& values, const QString& kind = QStringLiteral("MP"));
    // The rows of the kind's totals table in table order, each field by name.
    QList<QVariantMap> totals(const QString& kind = QStringLiteral("MP"));
    QStringList totalsDistricts();
    // Every write into the totals from their nth row on fails, as on a full disk.
    void failTotalsFromRow(int row);
    QPushButton* button(const QString& objectName);
    void setPrinterAttached(bool attached);

    std::unique_ptr<TestChapter> chapter;
    TotalsHost host;
    std::unique_ptr<TDataModule1> data;
    std::unique_ptr<ReportRunner> runner;
    RecordingSink sink;
    std::unique_ptr<QWidget> window;
    QProgressBar* progress = nullptr;
    DistrictTotalsPanel* panel = nullptr;
    QStringList messages;
};
