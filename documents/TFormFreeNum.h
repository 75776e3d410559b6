#pragma once

#include "Report.h"
#include "Table.h"

#include <QStringList>

#include <optional>
#include <vector>

class Database;
class ReportMemo;
class ReportRunner;

// The membership numbers 0 … 9999 still free in a group (or in the whole chapter), so the
// secretary can hand a new member a number that fits the group. The report reads its own
// view of Clenove.DB, which leaves the members window where it stands.
class TFormFreeNum {
public:
    static constexpr int numberCount = 10000;

    explicit TFormFreeNum(Database& db);

    Report& report() { return m_report; }

    // "Tisk volných čl. čísel skupiny": an empty group lists the whole chapter. Members are
    // read alphabetically or by their number; that only decides in which order faulty
    // numbers are reported.
    void run(ReportRunner& runner, const QString& group, bool alphabetical, bool printsDirectly);

    // The number a membership number ends in: its digits after the last other character.
    // Empty when it ends in no digit ("12A").
    static std::optional<qint64> trailingNumber(const QString& memberNumber);
    // The memo's lines for the numbers marked taken: free single numbers and runs
    // ("351..."), lines broken after 64 characters, the closing text and an empty line.
    static QStringList freeNumberLines(const std::vector<bool>& taken);

private:
    void addTitle();
    void fillMemo();
    std::vector<bool> takenNumbers();

    Report m_report;
    Table m_members;
    QString m_section;
    ReportMemo* m_memo = nullptr;
};
