// Feeds arbitrary bytes to the table reader as a table file and its memo file. The memo
// file follows the table after the marker "@@MB@@"; without the marker the memo file is
// empty, so plain table files serve as seeds too.

#include "ParadoxError.h"
#include "ParadoxTableData.h"

#include <cstddef>
#include <cstdint>

namespace {
const QByteArray memoMarker = QByteArrayLiteral("@@MB@@");

void readEverything(const QByteArray& input)
{
    const qsizetype marker = input.indexOf(memoMarker);
    const QByteArray table = marker < 0 ? input : input.first(marker);
    const QByteArray memo = marker < 0 ? QByteArray() : input.sliced(marker + memoMarker.size());
    try {
        const ParadoxTableData data(QStringLiteral("fuzz.db"), table, QStringLiteral("fuzz.mb"),
                                    memo);
        data.forEachRecord([](const QVariantList& values) { return !values.isEmpty(); });
    } catch (const ParadoxError& error) {
        // A clear refusal is the expected outcome for most inputs; it must name the file.
        if (!error.message().contains(QStringLiteral("fuzz.")))
            __builtin_trap();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    readEverything(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
