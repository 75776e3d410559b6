#include "Report.h"
#include "ReportEngine.h"
#include "ReportLabel.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double Margin = 10;
constexpr double Slack = 0.01;

// Long data in a layout made for short: texts shrink to stay clear of their neighbours and
// of the paper's edge, and only when even the smallest type is too wide are they cut.
class TextFit : public ::testing::Test {
protected:
    TextFit()
        : report(u"TFormPotvr"_s)
    {
        band = report.addBand(BandKind::Title, 50);
    }

    ReportLabel* label(double left, const QString& text)
    {
        auto* item = band->add<ReportLabel>(left, 0.0, text);
        item->setName(text);
        return item;
    }

    const RenderedDocument::Item& printed(const QString& name)
    {
        document = ReportEngine(report).generate();
        return *document.itemsNamed(name).first();
    }

    Report report;
    ReportBand* band;
    RenderedDocument document;
};

TEST_F(TextFit, ATextPastTheRightMarginShrinksToEndThere)
{
    label(170.1, u"Lhota nad Sázavou"_s);
    const RenderedDocument::Item& town = printed(u"Lhota nad Sázavou"_s);
    EXPECT_LT(town.font.size, 10);
    EXPECT_GE(town.font.size, Printable::MinimumFitSize);
    EXPECT_LE(town.rect.right(), Margin + 190 + Slack);
    EXPECT_NEAR(town.rect.left(), Margin + 170.1, Slack) << "the position is kept";
    EXPECT_TRUE(town.clip.isNull());

    label(10, u"Lipová"_s);
    EXPECT_EQ(printed(u"Lipová"_s).font.size, 10) << "a text with room keeps its size";
}

TEST_F(TextFit, AFitWidthKeepsATextClearOfTheNextItem)
{
    label(159.5, u"257 01"_s)->setFitWidth(9.6);
    const RenderedDocument::Item& postcode = printed(u"257 01"_s);
    EXPECT_LT(postcode.font.size, 10);
    EXPECT_LE(postcode.rect.width(), 9.6 + Slack);
}

TEST_F(TextFit, BelowTheSmallestTypeTheTextIsCutAtItsRoom)
{
    label(185, u"Nábřeží Kapitána Jaroše 1234"_s);
    const RenderedDocument::Item& street = printed(u"Nábřeží Kapitána Jaroše 1234"_s);
    EXPECT_EQ(street.font.size, Printable::MinimumFitSize);
    EXPECT_NEAR(street.clip.right(), Margin + 190, Slack);
}

TEST_F(TextFit, AlignedTextsKeepToTheirOwnBox)
{
    ReportLabel* amount = label(180, u"1234567"_s);
    amount->setWidth(8.7);
    amount->setAlignment(Printable::Align::Right);
    const RenderedDocument::Item& printedAmount = printed(u"1234567"_s);
    EXPECT_EQ(printedAmount.font.size, 10);
    EXPECT_NEAR(printedAmount.clip.width(), 8.7, Slack);
}

} // namespace
