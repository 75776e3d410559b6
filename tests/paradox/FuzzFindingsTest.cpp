#include "ParadoxError.h"
#include "ParadoxTableData.h"

#include <gtest/gtest.h>

namespace {
// Inputs the fuzzer found; each must end in a clear refusal or a clean read.
struct Finding {
    const char* name;
    QByteArray table;
    QByteArray memo;
};

void PrintTo(const Finding& finding, std::ostream* out)
{
    *out << finding.name;
}

const Finding findings[] = {
    {"emptyInput", QByteArray(), QByteArray()},
    {"zeroHeader", QByteArray(0x800, '\0'), QByteArray()},
    {"headerOfOnes", QByteArray(0x800, '\xFF'), QByteArray(0x1000, '\xFF')},
};

class FuzzFindingTest : public testing::TestWithParam<Finding> {};

TEST_P(FuzzFindingTest, readsOrRefusesCleanly)
{
    try {
        const ParadoxTableData data(QStringLiteral("fuzz.db"), GetParam().table,
                                    QStringLiteral("fuzz.mb"), GetParam().memo);
        data.forEachRecord([](const QVariantList&) { return true; });
    } catch (const ParadoxError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("fuzz.")))
            << error.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Findings, FuzzFindingTest, testing::ValuesIn(findings),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace
