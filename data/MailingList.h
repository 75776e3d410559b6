#pragma once

#include <QList>
#include <QString>

#include <functional>

class DataSet;
class Database;
class Table;

// The mailing list ZPRAVOD.db: one row per envelope, built from a selection of members.
// Members of one household (same street and town, a surname of the same family) can share an
// envelope; the row then counts the further members in PRILOHA.
class MailingList {
public:
    using Progress = std::function<void(int done, int total)>;

    struct Envelope {
        QString surname;
        QString name;
        QString title;
        QString street;
        QString town;
        QString postCode;
        bool woman = false;
        int enclosed = 0; // further members at this address
    };

    explicit MailingList(Database& db);

    // Replaces the whole list by the members of the selection, read from its first row in its
    // order. One transaction: on an error the old list stays. Returns the number of rows.
    int rebuild(DataSet& members, bool mergeHouseholds, const Progress& progress = {});
    // Marks up to count rows as made, from the list cursor's current row on, in one
    // transaction, and leaves the cursor after the last row marked. Returns how many.
    int markMade(Table& list, int count);
    // Marks the rows (the list cursor's bookmarks) as made, in one transaction.
    void markPrinted(Table& list, const QList<qint64>& rows);
    // Rows whose envelope has not been made.
    int remaining();

    // The envelopes the members make, in their order; exposed for the rules' own checks.
    static QList<Envelope> envelopesOf(DataSet& members, bool mergeHouseholds,
                                       const Progress& progress = {});
    // Whether the surname already on a row (rowSurname) can be the family of a member's.
    static bool sameFamily(const QString& rowSurname, const QString& memberSurname,
                           bool memberIsWoman);

private:
    QString stored() const;
    void write(const QList<Envelope>& envelopes);

    Database& m_db;
};
