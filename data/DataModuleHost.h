#pragma once

#include "MemberFigures.h"

#include <QString>
#include <QStringList>

// What the data module needs from the windows while it starts and works. The data
// layer knows no widgets: the program's shell implements this and forwards to the
// main window, the members window and the catch-return window.
class DataModuleHost {
public:
    virtual ~DataModuleHost() = default;

    // The main window's upgrade notice over its picture.
    virtual void setUpgradeNotice(bool visible, const QString& caption) = 0;
    // The members window: evaluated brigade year, member count, award list, and its
    // "Všichni" display filter.
    virtual void setEvaluatedBrigadeYear(const QString& year) = 0;
    virtual void setMemberCount(int count) = 0;
    virtual void setAwardKinds(const QStringList& kinds) = 0;
    virtual void showAllMembers() = 0;
    // The catch-return window's overview no longer matches its table.
    virtual void markCatchOverviewStale() = 0;

    // The member rules: figures of the current member, the year typed as the evaluated
    // brigade year, the editing state of the member inputs, the honorary-permit notice,
    // the count of removed members and the cancellation receipt of a payment.
    virtual void showMemberFigures(const MemberFigures& figures) = 0;
    virtual QString evaluatedBrigadeYear() const = 0;
    virtual void setMemberEditable(bool on) = 0;
    virtual void setHonoraryPermitShown(bool shown) = 0;
    virtual void setRemovedCount(int count) = 0;
    virtual void printStornoReceipt() = 0;
    // The members window is issuing a payment: the member-change rule rests meanwhile.
    virtual bool issueInProgress() const = 0;

    // The barcode scanner: a scan is heard; the window in front saves the entry it holds for
    // the member before, and once the scanned member is current, starts the entry the scan is
    // for. Nothing of these where no window is in front.
    virtual void soundScan() {}
    virtual void saveEntryBeforeScan() {}
    virtual void startScannedEntry() {}

    // Message boxes of the data module.
    virtual void showError(const QString& text) = 0;
    // For an error of a rule that runs inside a cursor's move: shown once the move is over,
    // so no box opens in the middle of an engine operation.
    virtual void showErrorLater(const QString& text) { showError(text); }
    virtual void confirmWithOk(const QString& text) = 0;
};
