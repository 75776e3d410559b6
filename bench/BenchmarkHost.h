#pragma once

#include "DataModuleHost.h"

#include <QStringList>

// The data module's host for figures of the data layer alone: no windows follow the cursors,
// the brigade year is the one the start-up gives, and what the module reports is kept, so a
// figure can say it did not go as expected.
class BenchmarkHost : public DataModuleHost {
public:
    const QStringList& errors() const { return m_errors; }

    void setUpgradeNotice(bool, const QString&) override {}
    void setEvaluatedBrigadeYear(const QString& year) override { m_brigadeYear = year; }
    void setMemberCount(int) override {}
    void setAwardKinds(const QStringList&) override {}
    void showAllMembers() override {}
    void markCatchOverviewStale() override {}
    void showMemberFigures(const MemberFigures&) override {}
    QString evaluatedBrigadeYear() const override { return m_brigadeYear; }
    void setMemberEditable(bool) override {}
    void setHonoraryPermitShown(bool) override {}
    void setRemovedCount(int) override {}
    void printStornoReceipt() override {}
    bool issueInProgress() const override { return false; }
    void showError(const QString& text) override { m_errors << text; }
    void confirmWithOk(const QString&) override {}

private:
    QString m_brigadeYear;
    QStringList m_errors;
};
