#include "GuiTestSupport.h"

#include "DbNavigator.h"
#include "Query.h"
#include "Table.h"

#include <QSignalSpy>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Button = DbNavigator::Button;

class Navigator : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureTestApplication(); }

    void SetUp() override
    {
        chapter.addMembers(3);
        members.open();
        navigator.setDataSet(&members);
    }

    // The enabled buttons as letters: F P N L I D E S C R (first … refresh).
    QString enabled()
    {
        const QString letters = QStringLiteral("FPNLIDESCR");
        QString shown;
        for (int i = 0; i < DbNavigator::ButtonCount; ++i)
            if (navigator.button(Button(i))->isEnabled())
                shown += letters[i];
        return shown;
    }

    TestChapter chapter;
    Table members{chapter.db(), QStringLiteral("Clenove.DB")};
    DbNavigator navigator;
    ReportedErrors errors;
};

TEST_F(Navigator, ButtonsFollowTheCursorsPlaceAndState)
{
    struct Case {
        const char* situation;
        std::function<void(Table&)> arrange;
        const char* expected;
    };
    const Case cases[] = {
        {"first row", [](Table&) {}, "NLIDER"},
        {"middle row", [](Table& t) { t.next(); }, "FPNLIDER"},
        {"last row", [](Table& t) { t.last(); }, "FPIDER"},
        {"editing", [](Table& t) { t.edit(); }, "NLIDSC"},
        {"inserting", [](Table& t) { t.insert(); }, "NLIDSC"},
        {"closed", [](Table& t) { t.close(); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.situation);
        members.open();
        members.first();
        c.arrange(members);
        EXPECT_EQ(enabled(), QLatin1String(c.expected));
        members.cancel();
    }

    Query query(chapter.db());
    query.setSql({QStringLiteral("select * from CLENOVE")});
    query.open();
    navigator.setDataSet(&query);
    EXPECT_EQ(enabled(), QStringLiteral("NLR"));
}

TEST_F(Navigator, DeleteAsksWhenToldAndADeclinedDeleteStillCountsAsActed)
{
    QSignalSpy acted(&navigator, &DbNavigator::acted);
    bool answer = false;
    navigator.setDeleteConfirmation([&answer] { return answer; });
    navigator.click(Button::Delete);
    EXPECT_EQ(members.recordCount(), 3);
    EXPECT_EQ(acted.count(), 1);

    answer = true;
    navigator.click(Button::Delete);
    EXPECT_EQ(members.recordCount(), 2);

    navigator.setDeleteConfirmation({});
    navigator.click(Button::Delete);
    EXPECT_EQ(members.recordCount(), 1);
}

TEST_F(Navigator, PostWithoutAnEditDoesNothingAndAFailedPostIsReportedAndKeepsTheRecord)
{
    QSignalSpy acted(&navigator, &DbNavigator::acted);
    EXPECT_FALSE(navigator.perform(Button::Post));
    EXPECT_EQ(acted.count(), 0);

    navigator.click(Button::Insert);
    members.fieldByName(QStringLiteral("CLEN_CISLO")).setAsString(QStringLiteral("000002"));
    navigator.click(Button::Post);
    EXPECT_EQ(errors.messages().size(), 1);
    EXPECT_EQ(members.state(), DataSet::State::Insert);
    navigator.click(Button::Cancel);
    EXPECT_EQ(members.recordCount(), 3);
}

TEST_F(Navigator, ShowsTheChosenButtonsWithTheirHints)
{
    navigator.setVisibleButtons({Button::Prior, Button::Next, Button::Insert, Button::Post});
    navigator.setHints({QStringLiteral("zpět"), QStringLiteral("vpřed"), QStringLiteral("nový"),
                        QStringLiteral("uložit")});
    EXPECT_EQ(navigator.visibleButtons(),
              QList<Button>({Button::Prior, Button::Next, Button::Insert, Button::Post}));
    EXPECT_TRUE(navigator.button(Button::First)->isHidden());
    EXPECT_EQ(navigator.button(Button::Next)->toolTip(), QStringLiteral("vpřed"));
    EXPECT_EQ(navigator.button(Button::Post)->toolTip(), QStringLiteral("uložit"));
    EXPECT_EQ(navigator.button(Button::Post)->focusPolicy(), Qt::NoFocus);
}

} // namespace
