#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <functional>

class Database;

// The corrections of the whole register that data taken over from elsewhere need: postcodes
// and birth numbers in the program's forms, birth dates from birth numbers, return marks and
// paid years worked out from the payments, and old payments deleted. Each is one transaction
// of bound statements, all of it or, on an error, nothing; within a caller's transaction it
// joins that one. A value that cannot be corrected stays as it is and is named in
// passedOver(), so one bad record never stops the others.
class RegisterCorrections {
public:
    // Told now and then, and at the end, how many of the rows walked are done.
    using Progress = std::function<void(int done, int total)>;
    // Members left out: the member number and the value that could not be used (empty for a
    // payment whose member is not in the register).
    using PassedOver = QList<QPair<QString, QString>>;

    explicit RegisterCorrections(Database& db, Progress progress = {});

    // Postcodes get a blank before their fourth character ("43801" -> "438 01"); returns how
    // many changed.
    int formatPostcodes();
    // Birth numbers in the dotted form, and members whose number marks a woman marked so (never
    // unmarked); returns how many members changed.
    int formatBirthNumbers();
    // Fills the missing birth dates from the birth numbers; returns how many were filled.
    int fillBirthDates();
    // Deletes the payments of every member for the years up to and with the year; the count.
    int deletePaymentsUpTo(int year);
    // Marks the catch return of each permit kind issued in a payment as owed ("NE") where the
    // payment has no mark of that kind; returns how many marks were set.
    int markOwedReturns();
    // Raises each member's paid year to the latest year of a payment with the membership fee;
    // a year is never lowered. Payments of numbers not in the register are passed over, each
    // number once. Returns how many members changed.
    int recordPaidMemberships();

    const PassedOver& passedOver() const { return m_passedOver; }

private:
    struct MemberValue {
        qint64 rowid;
        QString number;
        QString value;
    };
    // Decides the new value of one member's field; false leaves the member unchanged.
    using Rewrite = std::function<bool(const MemberValue& member)>;

    int walkMembers(const QString& field, const QString& condition, const Rewrite& rewrite);
    QList<MemberValue> readMembers(const QString& field, const QString& condition);
    bool setMemberField(const QString& field, qint64 rowid, const QVariant& value);
    int fieldWidth(const QString& field) const;
    QString stored(const QString& table) const;
    void tell(int done, int total) const;

    Database& m_db;
    Progress m_progress;
    PassedOver m_passedOver;
};
