#pragma once

#include "TDataModule1.h"

#include <QList>
#include <QString>

#include <functional>

class Database;

// Marks the catch returns appended from another computer as handed in: the year catch table
// is walked in its stored order, and the first row of every run of equal member numbers gets
// an attendance of at least 1 and marks its member's return of the kind for the year, as the
// return buttons of the members window do. One transaction: all the marks or, on an error,
// none; within a caller's transaction it joins that one.
class ReturnMarking {
public:
    using Progress = std::function<void(int done, int total)>;
    // A row of the catch table whose member number is not in the register.
    struct Unknown {
        QString number;
        QString surname; // as the catch row has it
    };

    explicit ReturnMarking(Database& db, Progress progress = {});

    // Returns how many payment marks changed from "NE" to "ANO" (not how many members).
    int markHandedIn(const QString& catchTable, TDataModule1::Water kind, int year);
    // The numbers not in the register, one per run, in the order of the walk.
    const QList<Unknown>& unknownMembers() const { return m_unknown; }

    // What the user is told about a member number the register does not know.
    static QString notFoundNotice(const QString& number, const QString& surname);

private:
    struct CatchRow {
        qint64 rowid;
        QString number;
        QString surname;
        qint64 attendance;
    };

    QList<CatchRow> readRunStarts(const QString& table);
    void countAttendance(const QString& table, const CatchRow& row);
    bool isRegistered(const QString& number);
    // True when a mark of the member changed; the last return year is set either way.
    bool markMember(const QString& number, TDataModule1::Water kind, int year);
    QString stored(const QString& table) const;

    Database& m_db;
    Progress m_progress;
    QList<Unknown> m_unknown;
};
