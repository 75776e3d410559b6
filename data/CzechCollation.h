#pragma once

#include <QByteArrayView>
#include <QString>

struct sqlite3;
struct UCollator;

// Czech, case-insensitive order of texts (Č after C, ch after h, Ř after R, Š after S,
// Ž after Z). Registered on every connection as the collation CZECH, and used directly
// where the engine keeps an ordered view up to date, so both agree.
class CzechCollation {
public:
    static constexpr const char* Name = "CZECH";

    static int compare(QByteArrayView utf8a, QByteArrayView utf8b);
    static int compare(const QString& a, const QString& b);
    static void registerOn(sqlite3* db);

private:
    static UCollator* collator();
};
