#include "GuiTestSupport.h"

#include "DbGrid.h"
#include "Table.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Grid : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureTestApplication(); }

    void open(int memberCount)
    {
        chapter.addMembers(memberCount);
        members.open();
        grid.setColumns({column("CLEN_CISLO"), column("PRIJMENI"), column("JMENO")});
        grid.setDataSet(&members);
        grid.resize(500, 300);
    }

    static DataSetColumn column(const char* field)
    {
        DataSetColumn c;
        c.field = QLatin1String(field);
        return c;
    }

    QString cell(int row, int column) { return model().index(row, column).data().toString(); }
    DataSetModel& model() { return *grid.dataModel(); }

    TestChapter chapter;
    Table members{chapter.db(), QStringLiteral("Clenove.DB")};
    DbGrid grid;
    ReportedErrors errors;
};

TEST_F(Grid, TwentyThousandRowsOpenAtOnceAndReadingThemLeavesTheCursorAlone)
{
    chapter.addMembers(20000);
    members.open();
    QElapsedTimer clock;
    clock.start();
    grid.setDataSet(&members);
    grid.resize(800, 600);
    grid.show();
    QCoreApplication::processEvents();
    EXPECT_LT(clock.elapsed(), 500);
    EXPECT_EQ(model().rowCount(), 20000);

    QSignalSpy announced(&members, &DataSet::recordChanged);
    clock.restart();
    grid.scrollToBottom();
    QCoreApplication::processEvents();
    EXPECT_EQ(cell(15000, 0), QStringLiteral("015001"));
    EXPECT_EQ(cell(19999, 0), QStringLiteral("020000"));
    EXPECT_LT(clock.elapsed(), 500);
    EXPECT_EQ(members.position(), 0);
    EXPECT_EQ(announced.count(), 0);
}

TEST_F(Grid, CurrentRowAndCursorFollowEachOther)
{
    open(300);
    QSignalSpy announced(&members, &DataSet::recordChanged);
    members.last();
    EXPECT_EQ(grid.currentIndex().row(), 299);
    members.prior();
    EXPECT_EQ(grid.currentIndex().row(), 298);

    announced.clear();
    grid.setCurrentIndex(model().index(17, 1));
    EXPECT_EQ(members.position(), 17);
    EXPECT_EQ(members.fieldByName(QStringLiteral("CLEN_CISLO")).asString(),
              QStringLiteral("000018"));
    // The rows passed on the way are not announced: their record rules must not run.
    EXPECT_EQ(announced.count(), 1);
    EXPECT_EQ(model().headerData(17, Qt::Vertical).toString(), QStringLiteral("\u25B8"));
    EXPECT_EQ(model().headerData(16, Qt::Vertical).toString(), QString());
}

TEST_F(Grid, ReadingRowsKeepsTheMarksThatEndAWalk)
{
    open(300);
    members.last();
    members.next();
    ASSERT_TRUE(members.eof());
    EXPECT_EQ(cell(5, 0), QStringLiteral("000006"));
    EXPECT_TRUE(members.eof());
    EXPECT_EQ(members.position(), 299);

    members.first();
    EXPECT_EQ(cell(250, 0), QStringLiteral("000251"));
    EXPECT_TRUE(members.bof());
    EXPECT_EQ(members.position(), 0);
}

TEST_F(Grid, AnInsertedRecordShowsAsItsOwnRowUntilPostedOrCancelled)
{
    open(10);
    grid.show();
    QCoreApplication::processEvents();
    members.next();
    members.insert();
    EXPECT_EQ(model().rowCount(), 11);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    EXPECT_EQ(model().headerData(1, Qt::Vertical).toString(), QStringLiteral("*"));
    members.fieldByName(QStringLiteral("CLEN_CISLO")).setAsString(QStringLiteral("000000"));
    members.fieldByName(QStringLiteral("PRIJMENI")).setAsString(QStringLiteral("Nový"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("Nový"));
    EXPECT_EQ(cell(2, 1), QString::fromUtf8("Člen 000002"));

    members.cancel();
    EXPECT_EQ(model().rowCount(), 10);
    EXPECT_EQ(cell(1, 1), QString::fromUtf8("Člen 000002"));

    members.insert();
    members.fieldByName(QStringLiteral("CLEN_CISLO")).setAsString(QStringLiteral("000000"));
    members.post();
    EXPECT_EQ(model().rowCount(), 11);
    EXPECT_EQ(cell(0, 0), QStringLiteral("000000"));
    EXPECT_EQ(grid.currentIndex().row(), 0);
}

TEST_F(Grid, RowsAreReadAgainWhenTheViewOrTheDataChanges)
{
    open(10);
    EXPECT_EQ(cell(0, 1), QString::fromUtf8("Člen 000001"));

    // A filter showing as many rows as before.
    members.setFilter(QStringLiteral("CLEN_CISLO='000007'"));
    members.setFiltered(true);
    members.setFilter(QStringLiteral("CLEN_CISLO='000004'"));
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral("000004"));
    members.setFiltered(false);
    EXPECT_EQ(model().rowCount(), 10);

    // Another cursor changes a row; the grid learns it with its own cursor's next move.
    EXPECT_EQ(cell(3, 2), QString());
    Table other(chapter.db(), QStringLiteral("Clenove.DB"));
    other.open();
    other.locate(QStringLiteral("CLEN_CISLO"), QStringLiteral("000004"));
    other.edit();
    other.fieldByName(QStringLiteral("JMENO")).setAsString(QStringLiteral("Karel"));
    other.post();
    members.next();
    EXPECT_EQ(cell(3, 2), QStringLiteral("Karel"));

    other.deleteRecord();
    members.next();
    EXPECT_EQ(model().rowCount(), 9);
    EXPECT_EQ(cell(3, 0), QStringLiteral("000005"));
}

TEST_F(Grid, EditingInPlaceWritesTheFieldAndLeavingTheRowStoresIt)
{
    open(10);
    ASSERT_TRUE(model().setData(model().index(2, 2), QStringLiteral("Eva")));
    EXPECT_EQ(members.position(), 2);
    EXPECT_EQ(members.state(), DataSet::State::Edit);
    EXPECT_EQ(cell(2, 2), QStringLiteral("Eva"));

    grid.setCurrentIndex(model().index(6, 2));
    EXPECT_EQ(members.state(), DataSet::State::Browse);
    EXPECT_EQ(members.position(), 6);
    members.gotoBookmark(members.bookmark());
    EXPECT_EQ(cell(2, 2), QStringLiteral("Eva"));

    // A value the field refuses is reported and nothing changes.
    EXPECT_FALSE(model().setData(model().index(6, 0), QStringLiteral("1234567")));
    EXPECT_EQ(errors.messages().size(), 1);

    grid.setReadOnly(true);
    EXPECT_FALSE(model().flags(model().index(1, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model().setData(model().index(1, 1), QStringLiteral("X")));
}

TEST_F(Grid, ColumnsKeepTheirTitlesWidthsVisibilityAndColours)
{
    chapter.addMembers(5);
    members.open();
    DataSetColumn number = column("CLEN_CISLO");
    number.visible = false;
    DataSetColumn surname = column("PRIJMENI");
    surname.title = QString::fromUtf8("Příjmení");
    surname.width = 140;
    surname.textColor = Qt::red;
    grid.setColumns({number, surname, column("LAST_CLENSTVI")});
    grid.setDataSet(&members);
    QSignalSpy titleClicks(&grid, &DbGrid::titleClicked);

    const auto check = [&] {
        EXPECT_TRUE(grid.isColumnHidden(0));
        EXPECT_EQ(grid.columnWidth(1), 140);
        EXPECT_EQ(model().headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("Příjmení"));
        EXPECT_EQ(model().headerData(2, Qt::Horizontal).toString(),
                  QStringLiteral("LAST_CLENSTVI"));
        EXPECT_EQ(model().index(0, 1).data(Qt::ForegroundRole).value<QBrush>().color(),
                  QColor(Qt::red));
        EXPECT_EQ(model().index(0, 2).data(Qt::TextAlignmentRole).toInt(),
                  int(Qt::AlignRight | Qt::AlignVCenter));
    };
    check();
    members.close();
    members.open();
    check();

    grid.setColumnVisible(0, true);
    EXPECT_FALSE(grid.isColumnHidden(0));
    emit grid.horizontalHeader()->sectionClicked(2);
    EXPECT_EQ(titleClicks.count(), 1);
}

} // namespace
