#pragma once

#include "DataModuleHost.h"

// The windows as the settings tests need them: the data module's messages go through the
// message module, where the test's responder answers them; the rest is left out.
class QuietHost : public DataModuleHost {
public:
    void setUpgradeNotice(bool, const QString&) override {}
    void setEvaluatedBrigadeYear(const QString&) override {}
    void setMemberCount(int) override {}
    void setAwardKinds(const QStringList&) override {}
    void showAllMembers() override {}
    void markCatchOverviewStale() override { ++staleMarks; }
    void showMemberFigures(const MemberFigures&) override {}
    QString evaluatedBrigadeYear() const override { return {}; }
    void setMemberEditable(bool) override {}
    void setHonoraryPermitShown(bool) override {}
    void setRemovedCount(int) override {}
    void printStornoReceipt() override {}
    bool issueInProgress() const override { return false; }
    void showError(const QString& text) override;
    void confirmWithOk(const QString& text) override;

    int staleMarks = 0;
};
