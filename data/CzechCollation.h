#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

struct sqlite3;
struct UCollator;

// Czech, case-insensitive order of texts (Č after C, ch after h, Ř after R, Š after S,
// Ž after Z). Registered on every connection as the collation CZECH, and used directly
// where the engine keeps an ordered view up to date, so both agree.
class CzechCollation {
public:
    static constexpr const char* Name = "CZECH";
    // Equality ignoring letter case by Unicode case folding (Č = č, Ř = ř), for locating a
    // value; registered beside CZECH, because SQLite's NOCASE folds only A to Z.
    static constexpr const char* FoldedName = "FOLDED";

    static int compare(QByteArrayView utf8a, QByteArrayView utf8b);
    static int compare(const QString& a, const QString& b);
    // The texts in this order.
    static QStringList sorted(QStringList texts);
    // The order of FOLDED: 0 exactly when the texts are equal but for letter case.
    static int compareFolded(QStringView a, QStringView b);
    static void registerOn(sqlite3* db);

private:
    static UCollator* collator();
};
