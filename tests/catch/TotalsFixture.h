#pragma once

#include "DataModuleHost.h"
#include "GuiTestSupport.h"
#include "RenderedDocument.h"
#include "ReportSink.h"

#include <QList>
#include <QProgressBar>
#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

class DistrictTotalsPanel;
class ReportRunner;
class TDataModule1;

// A chapter "MO Zeleneč" (number 1234) whose summary year is 2012, with no districts and no
// returns until a test writes the ones its reasoning depends on.
class TotalsData : public ::testing::Test {
public:
    static constexpr int year = 2012;

protected:
    void SetUp() override;

    Database& db() { return chapter->db(); }
    // Replaces the districts of the kind ("MP" or "PS") by these, in this table order.
    void setDistricts(const QList<std::pair<QString, QString>>& districts,
                      const QString& kind = QStringLiteral("MP"));
    // Appends a return to the kind's year catch table; values by field name.
    void addReturn(const QVariantMap& values, const QString& kind = QStringLiteral("MP"));
    // The rows of the kind's totals table in table order, each field by name.
    QList<QVariantMap> totals(const QString& kind = QStringLiteral("MP"));
    // Makes every write into the totals table fail from its nth row on, as a full disk would.
    void failTotalsFromRow(int row, const QString& kind = QStringLiteral("MP"));

    std::unique_ptr<TestChapter> chapter;
};

struct TotalsSink : ReportSink {
    struct Delivery {
        QString name;
        Mode mode;
        RenderedDocument document;
    };
    QList<Delivery> deliveries;

    void deliver(const QString& name, Mode mode, const RenderedDocument& document) override
    {
        deliveries.append({name, mode, document});
    }
};

class TotalsHost : public DataModuleHost {
public:
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
    void showError(const QString& text) override { errors << text; }
    void confirmWithOk(const QString&) override {}

    QStringList errors;
};

// The data module on that chapter and the totals panel in a window, its reports going to a
// recording sink and its message boxes to the test.
class TotalsPanelFixture : public TotalsData {
protected:
    TotalsPanelFixture();
    ~TotalsPanelFixture() override;

    void SetUp() override;
    void TearDown() override;

    void click(const QString& objectName);
    bool shown(const QString& objectName);
    bool enabled(const QString& objectName);
    void setPrinterAttached(bool attached);

    TotalsHost host;
    std::unique_ptr<TDataModule1> data;
    std::unique_ptr<ReportRunner> runner;
    TotalsSink sink;
    std::unique_ptr<QWidget> window;
    QProgressBar* progress = nullptr;
    DistrictTotalsPanel* panel = nullptr;
    QStringList messages;
};
