#pragma once

#include "DataModuleHost.h"

#include <QStringList>

#include <functional>

// Stands where the windows stand during the data start-up and records what the data
// module told them, so tests can check it.
class RecordingHost : public DataModuleHost {
public:
    bool upgradeVisible = false;
    QString upgradeCaption;
    QString brigadeYear;
    int memberCount = -1;
    QStringList awardKinds;
    int allMembersShown = 0;
    int overviewStaleMarks = 0;
    QStringList errors;
    MemberFigures figures;
    int figuresShown = 0;
    QString typedBrigadeYear = QStringLiteral("2012");
    bool memberEditable = false;
    bool honoraryShown = false;
    int removedCount = -1;
    int stornoReceipts = 0;
    QStringList confirmations;
    bool issuing = false;
    int scansHeard = 0;
    int entriesSavedBeforeScan = 0;
    QStringList scannedEntries; // the current member when each entry was started
    std::function<QString()> currentMember;

    void setUpgradeNotice(bool visible, const QString& caption) override
    {
        upgradeVisible = visible;
        upgradeCaption = caption;
    }
    void setEvaluatedBrigadeYear(const QString& year) override { brigadeYear = year; }
    void setMemberCount(int count) override { memberCount = count; }
    void setAwardKinds(const QStringList& kinds) override { awardKinds = kinds; }
    void showAllMembers() override { ++allMembersShown; }
    void markCatchOverviewStale() override { ++overviewStaleMarks; }
    void showMemberFigures(const MemberFigures& f) override
    {
        figures = f;
        ++figuresShown;
    }
    QString evaluatedBrigadeYear() const override { return typedBrigadeYear; }
    void setMemberEditable(bool on) override { memberEditable = on; }
    void setHonoraryPermitShown(bool shown) override { honoraryShown = shown; }
    void setRemovedCount(int count) override { removedCount = count; }
    void printStornoReceipt() override { ++stornoReceipts; }
    bool issueInProgress() const override { return issuing; }
    void showError(const QString& text) override { errors << text; }
    void soundScan() override { ++scansHeard; }
    void saveEntryBeforeScan() override { ++entriesSavedBeforeScan; }
    void startScannedEntry() override
    {
        scannedEntries << (currentMember ? currentMember() : QString());
    }
    void confirmWithOk(const QString& text) override { confirmations << text; }
};
