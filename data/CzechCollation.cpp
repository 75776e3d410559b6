#include "CzechCollation.h"

#include "EngineError.h"

#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <QByteArray>

#include <algorithm>

UCollator* CzechCollation::collator()
{
    // One collator for the process; the program works on one thread.
    static UCollator* instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open("cs_CZ", &status);
        if (U_FAILURE(status))
            throw EngineError(QStringLiteral("Nelze připravit české řazení textů (ICU)."));
        // Secondary strength: accents count, letter case does not.
        ucol_setStrength(c, UCOL_SECONDARY);
        return c;
    }();
    return instance;
}

int CzechCollation::compare(QByteArrayView a, QByteArrayView b)
{
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(collator(), a.data(), int32_t(a.size()), b.data(),
                                                int32_t(b.size()), &status);
    if (U_FAILURE(status))
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    return r == UCOL_LESS ? -1 : (r == UCOL_EQUAL ? 0 : 1);
}

int CzechCollation::compare(const QString& a, const QString& b)
{
    return compare(QByteArrayView(a.toUtf8()), QByteArrayView(b.toUtf8()));
}

int CzechCollation::compareFolded(QStringView a, QStringView b)
{
    static_assert(sizeof(UChar) == sizeof(char16_t));
    UErrorCode status = U_ZERO_ERROR;
    const int32_t r = u_strCaseCompare(reinterpret_cast<const UChar*>(a.utf16()), int32_t(a.size()),
                                       reinterpret_cast<const UChar*>(b.utf16()), int32_t(b.size()),
                                       U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status))
        return a.compare(b, Qt::CaseInsensitive);
    return r < 0 ? -1 : (r == 0 ? 0 : 1);
}

void CzechCollation::registerOn(sqlite3* db)
{
    collator();
    sqlite3_create_collation_v2(
        db, FoldedName, SQLITE_UTF16_ALIGNED, nullptr,
        [](void*, int na, const void* a, int nb, const void* b) {
            return compareFolded(QStringView(static_cast<const char16_t*>(a), na / 2),
                                 QStringView(static_cast<const char16_t*>(b), nb / 2));
        },
        nullptr);
    sqlite3_create_collation_v2(
        db, Name, SQLITE_UTF8, nullptr,
        [](void*, int na, const void* a, int nb, const void* b) {
            return compare(QByteArrayView(static_cast<const char*>(a), na),
                           QByteArrayView(static_cast<const char*>(b), nb));
        },
        nullptr);
}

QStringList CzechCollation::sorted(QStringList texts)
{
    std::sort(texts.begin(), texts.end(),
              [](const QString& a, const QString& b) { return compare(a, b) < 0; });
    return texts;
}
