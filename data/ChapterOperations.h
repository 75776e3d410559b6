#pragma once

#include <QString>

class Database;

// The chapter's changes that touch many rows at once: a member's records following a new
// number or going with the member, the fee rows' year, old brigade work. Each is one
// transaction of bound statements, so it is whole or not at all, no character of a member
// number can widen what it touches, and within a caller's transaction it joins that one.
class ChapterOperations {
public:
    // What becomes of a removed member's payments.
    enum class Payments { Delete, KeepUnassigned };
    // The member number of payments kept after their member was deleted.
    static QString unassignedNumber() { return QStringLiteral("00000"); }

    explicit ChapterOperations(Database& db);

    // Moves the payments, brigades and awards of one member number to another.
    void moveMemberRecords(const QString& from, const QString& to);
    // Deletes a member's brigades and awards; the payments are deleted or kept unassigned.
    void removeMemberRecords(const QString& number, Payments payments);
    // Every fee row belongs to the year.
    void setFeeYear(int year);
    // Deletes the brigade work of every member dated up to the end of the year; returns how
    // many rows went.
    int deleteBrigadesUpTo(int year);

private:
    int change(const QString& table, const QString& sqlTemplate, const QList<QVariant>& binds);

    Database& m_db;
};
