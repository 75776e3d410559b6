#include "WeightCheck.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Verdict = WeightCheck::Verdict;

namespace {

class WeightCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = QLocale();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    }
    void TearDown() override { QLocale::setDefault(m_previous); }

    // Leaves a count, then a weight, as the secretary does in one key.
    Verdict typed(const QString& count, const QString& weight)
    {
        check.startKey();
        check.countLeft(count);
        check.startKey();
        return check.check(u"KAPR_KG"_s, weight);
    }

    WeightCheck check{[](const QString& field) {
        return field == u"KAPR_KG"_s ? WeightCheck::Range{0.5, 2.25, u"Kapr"_s}
                                     : WeightCheck::Range{};
    }};
    QLocale m_previous;
};

TEST_F(WeightCheckTest, BothBoundsAreUsualAndOutsideThemTheQuestionShowsShortestBounds)
{
    EXPECT_EQ(typed(u"2"_s, u"1"_s), Verdict::Passed);
    EXPECT_EQ(typed(u"4"_s, u"9"_s), Verdict::Passed);
    EXPECT_EQ(typed(u"3"_s, u"1,2"_s), Verdict::UnusualAverage);
    EXPECT_EQ(check.message(),
              u"Průměrná váha Kapr  0,40 kg\n\robvykle 0,5  až  2,25  kg\n\rJe to dobře ?"_s);
    EXPECT_FALSE(check.passed());
    check.acceptUnusual();
    EXPECT_TRUE(check.passed());
}

TEST_F(WeightCheckTest, AWeightWithoutACountFailsButNothingTypedPasses)
{
    EXPECT_EQ(typed(QString(), QString()), Verdict::Passed);
    EXPECT_EQ(typed(u"0"_s, u"2"_s), Verdict::MissingCount);
    EXPECT_EQ(check.message(), u"Chybný počet kusů\n\rKapr"_s);
    EXPECT_FALSE(check.passed());
    // A weight of a species without a usual range asks, as both bounds read 0.
    check.startKey();
    check.countLeft(u"1"_s);
    EXPECT_EQ(check.check(u"RYBA_1_KG"_s, u"1"_s), Verdict::UnusualAverage);
}

TEST_F(WeightCheckTest, TheCheckRunsOncePerKeyAndOnlyAfterACount)
{
    EXPECT_EQ(typed(u"1"_s, u"9"_s), Verdict::UnusualAverage);
    // The focus change that follows the same key does not ask again.
    EXPECT_EQ(check.check(u"KAPR_KG"_s, u"9"_s), Verdict::Passed);
    EXPECT_FALSE(check.passed());
    // A weight left with no count left before it is not checked.
    check.startKey();
    check.check(u"KAPR_KG"_s, u"1"_s);
    check.startKey();
    EXPECT_EQ(check.check(u"KAPR_KG"_s, u"99"_s), Verdict::Passed);
}

TEST_F(WeightCheckTest, WithRangeCheckingOffTheLastVerdictStands)
{
    EXPECT_EQ(typed(u"1"_s, u"9"_s), Verdict::UnusualAverage);
    check.setRangeChecking(false);
    EXPECT_EQ(typed(u"1"_s, u"99"_s), Verdict::Passed);
    EXPECT_FALSE(check.passed());
    EXPECT_DOUBLE_EQ(WeightCheck::decimalOf(u"2.5"_s), 2.5);
    EXPECT_DOUBLE_EQ(WeightCheck::decimalOf(u"2,5"_s), 2.5);
    EXPECT_DOUBLE_EQ(WeightCheck::decimalOf(u"x"_s), 0.0);
}

} // namespace
