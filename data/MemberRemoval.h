#pragma once

#include <QStringList>

class Database;

// Moves members between the register and the removed members, and deletes removed members
// for good. Each call is one transaction: a member is registered with all its records or
// removed, never both and never neither, whatever fails or whenever the process dies.
class MemberRemoval {
public:
    enum class Return { Returned, NumberTaken, NotRemoved };

    explicit MemberRemoval(Database& db);

    // Copies the members into the removed members, replacing a removed record of the same
    // number, and deletes them from the register with their payments, brigades and awards.
    // Numbers match exactly; returns how many members went.
    int removeMembers(const QStringList& numbers);
    // Puts the removed member back into the register with every field it had when it was
    // removed; refused, with nothing changed, while a member holds the number.
    Return returnMember(const QString& number);
    // Deletes every removed member; returns how many.
    int deleteAllRemoved();

private:
    // The fields both member tables have, quoted, in the target's order.
    QString sharedFields(const QString& from, const QString& to) const;
    int deleteListed(const QString& table, const QString& numbersJson);

    Database& m_db;
};
