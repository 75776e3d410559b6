#include "DocumentsFixture.h"

#include "TFormFreeNum.h"

using namespace Qt::StringLiterals;

namespace {

class FreeNumbersTest : public DocumentsFixture {
protected:
    // Below the title band, in mm from the paper's top.
    static constexpr double memoTop = 26;

    // The memo's words as printed, from after the title to the end.
    QStringList memoWords(const QString& group = {}, bool alphabetical = true)
    {
        report.run(runner, group, alphabetical, false);
        return printedWords(u"TFormFreeNum"_s, memoTop);
    }

    TFormFreeNum report{chapter.db()};
};

TEST_F(FreeNumbersTest, WithoutMembersEveryNumberIsFree)
{
    EXPECT_EQ(memoWords(), QStringList({u"0..."_s, u"a"_s, u"dále"_s}));
    const QStringList title = printedWords(u"TFormFreeNum"_s);
    EXPECT_EQ(title.mid(0, 5),
              QStringList({u"Volná"_s, u"členská"_s, u"čísla"_s, u"ke"_s, u"dni"_s}));
    EXPECT_TRUE(title.contains(u"sekce"_s));
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(FreeNumbersTest, OneGapInAFullRangeGivesOneLine)
{
    for (int number = 1; number <= 350; ++number)
        if (number != 12)
            addMember(QString::number(number), u"Člen"_s);
    EXPECT_EQ(memoWords(), QStringList({u"0,"_s, u"12,"_s, u"351..."_s, u"a"_s, u"dále"_s}));
}

TEST_F(FreeNumbersTest, NumbersAreTheTrailingDigits)
{
    addMember(u"A12"_s, u"Alfa"_s);
    addMember(u"B12"_s, u"Beta"_s);
    addMember(u"X0"_s, u"Nula"_s);
    EXPECT_EQ(memoWords(), QStringList({u"1...11,"_s, u"13..."_s, u"a"_s, u"dále"_s}));
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(FreeNumbersTest, ANumberEndingInALetterIsReportedAndTakesNothing)
{
    addMember(u"12A"_s, u"Novák"_s, {{u"JMENO"_s, u"Jan"_s}});
    EXPECT_EQ(memoWords(), QStringList({u"0..."_s, u"a"_s, u"dále"_s}));
    EXPECT_EQ(shownTexts(), QStringList{u"Chybné členské číslo u člena\rJan Novák"_s});
}

TEST_F(FreeNumbersTest, FaultyNumbersAreReportedInTheChosenOrder)
{
    addMember(u"5X"_s, u"Zeman"_s, {{u"JMENO"_s, u"Petr"_s}});
    addMember(u"7Y"_s, u"Adam"_s, {{u"JMENO"_s, u"Karel"_s}});
    memoWords({}, true);
    EXPECT_EQ(shownTexts(), QStringList({u"Chybné členské číslo u člena\rKarel Adam"_s,
                                         u"Chybné členské číslo u člena\rPetr Zeman"_s}));
    shown.clear();
    memoWords({}, false);
    EXPECT_EQ(shownTexts(), QStringList({u"Chybné členské číslo u člena\rPetr Zeman"_s,
                                         u"Chybné členské číslo u člena\rKarel Adam"_s}));
}

TEST_F(FreeNumbersTest, NumbersFromTenThousandUpAreIgnoredSilently)
{
    addMember(u"10000"_s, u"Velký"_s);
    addMember(u"123456789012"_s, u"Obří"_s);
    addMember(u"9999"_s, u"Poslední"_s);
    EXPECT_EQ(memoWords(), QStringList({u"0...9998,"_s, u"a"_s, u"dále"_s}));
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(FreeNumbersTest, AGroupCountsOnlyItsOwnMembersAndIsTakenLiterally)
{
    addMember(u"1001"_s, u"První"_s);
    addMember(u"1002"_s, u"Druhý"_s);
    addMember(u"2003"_s, u"Cizí"_s);
    addMember(u"'5"_s, u"O'Neill"_s);
    EXPECT_EQ(memoWords(u"1"_s), QStringList({u"0...1000,"_s, u"1003..."_s, u"a"_s, u"dále"_s}));
    EXPECT_EQ(memoWords(u"'"_s), QStringList({u"0...4,"_s, u"6..."_s, u"a"_s, u"dále"_s}));
    EXPECT_EQ(memoWords(u"*"_s), QStringList({u"0..."_s, u"a"_s, u"dále"_s}));
    // The view is whole again after a group run.
    EXPECT_EQ(memoWords(), QStringList({u"0...4,"_s, u"6...1000,"_s, u"1003...2002,"_s,
                                        u"2004..."_s, u"a"_s, u"dále"_s}));
}

TEST(FreeNumberLines, LinesCloseAfterSixtyFourCharactersAtABreak)
{
    std::vector<bool> taken(TFormFreeNum::numberCount, false);
    for (int number = 1; number < 400; number += 2)
        taken[size_t(number)] = true;
    const QStringList lines = TFormFreeNum::freeNumberLines(taken);
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines.first().left(9), u"0, 2, 4, "_s);
    // Every line but the closing one and the empty one.
    for (qsizetype i = 0; i + 2 < lines.size(); ++i) {
        EXPECT_GT(lines.at(i).size(), 64) << i;
        EXPECT_TRUE(lines.at(i).endsWith(u", "_s)) << i;
        // Without its last number the line was not yet long enough to close.
        const QString shorter = lines.at(i).chopped(2);
        EXPECT_LE(shorter.left(shorter.lastIndexOf(u", "_s) + 2).size(), 64) << i;
    }
    const QString closing = lines.at(lines.size() - 2);
    EXPECT_TRUE(closing.endsWith(u", 398, 400...  a dále"_s)) << closing.toStdString();
    EXPECT_LE(closing.size(), 64 + 14);
    EXPECT_TRUE(lines.last().isEmpty());
}

TEST(FreeNumberLines, TrailingNumberTakesTheDigitsAfterTheLastOtherCharacter)
{
    EXPECT_EQ(TFormFreeNum::trailingNumber(u"000123"_s), 123);
    EXPECT_EQ(TFormFreeNum::trailingNumber(u"1-A07"_s), 7);
    EXPECT_FALSE(TFormFreeNum::trailingNumber(u"12A"_s).has_value());
    EXPECT_FALSE(TFormFreeNum::trailingNumber(QString()).has_value());
}

} // namespace
