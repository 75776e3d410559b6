#include "GuiTestSupport.h"

#include "DbGrid.h"
#include "SteadyTabWidget.h"
#include "Table.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPaintEvent>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// Records the area of every repaint a widget gets.
class PaintedAreas : public QObject {
public:
    explicit PaintedAreas(QWidget* widget) { widget->installEventFilter(this); }
    const QList<QRect>& areas() const { return m_areas; }
    void clear() { m_areas.clear(); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_areas << static_cast<QPaintEvent*>(event)->rect();
        return false;
    }

private:
    QList<QRect> m_areas;
};

class SteadyTabs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureTestApplication(); }

    SteadyTabs()
    {
        auto* page = new QWidget;
        auto* pageLayout = new QVBoxLayout(page);
        label = new QLabel(QStringLiteral("krátký"));
        pageLayout->addWidget(label, 0, Qt::AlignLeft);
        // The widest thing on the page, so a longer label still fits in the page's hints.
        pageLayout->addWidget(
            new QLabel(QStringLiteral("Nejširší popisek na stránce, širší než cokoli jiného")));
        pageLayout->addStretch();
        tabs = new SteadyTabWidget;
        tabs->addTab(page, QStringLiteral("Základní"));
        tabs->addTab(new QWidget, QStringLiteral("Záznamy"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(tabs);
        window.resize(600, 400);
        window.show();
        settle();
    }

    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    QWidget window;
    SteadyTabWidget* tabs = nullptr;
    QLabel* label = nullptr;
};

TEST_F(SteadyTabs, AChangedLabelIsLaidOutAndRepaintedWithoutTheWholeTabWidget)
{
    PaintedAreas painted(tabs);
    const int before = label->width();
    label->setText(QStringLiteral("o něco delší"));
    settle();
    EXPECT_GT(label->width(), before);
    for (const QRect& area : painted.areas())
        EXPECT_NE(area, tabs->rect()) << "the tab widget was repainted whole";
}

TEST_F(SteadyTabs, APageNeedingMoreRoomStillGrowsTheTabWidgetAndTheWindow)
{
    label->setMinimumWidth(900);
    settle();
    EXPECT_GE(tabs->minimumSizeHint().width(), 900);
    EXPECT_GE(window.minimumSizeHint().width(), 900);
    EXPECT_GE(tabs->currentWidget()->width(), 900);
    EXPECT_GE(label->width(), 900);
}

TEST(GridRowHeader, KeepsOneWidthWideEnoughForTheIndicatorWhateverTheRowsOrFont)
{
    ensureTestApplication();
    TestChapter chapter;
    chapter.addMembers(500);
    Table members(chapter.db(), QStringLiteral("Clenove.DB"));
    members.open();
    DbGrid grid;
    grid.resize(400, 300);
    grid.show();
    QCoreApplication::processEvents();
    const int empty = grid.verticalHeader()->width();

    grid.setDataSet(&members);
    QCoreApplication::processEvents();
    const int full = grid.verticalHeader()->width();
    members.last();
    QCoreApplication::processEvents();

    EXPECT_EQ(grid.verticalHeader()->width(), full);
    EXPECT_EQ(empty, full);
    QFont bold = grid.verticalHeader()->font();
    bold.setBold(true);
    EXPECT_GT(full, QFontMetrics(bold).horizontalAdvance(QStringLiteral("\u25B8")));
    EXPECT_EQ(grid.verticalHeader()->model()->headerData(members.recordCount() - 1, Qt::Vertical),
              QStringLiteral("\u25B8"));

    // A larger font (a secretary's larger system font) widens it for the indicator again.
    QFont large = grid.font();
    large.setPointSizeF(large.pointSizeF() * 4);
    grid.setFont(large);
    QCoreApplication::processEvents();
    large.setBold(true);
    EXPECT_GT(grid.verticalHeader()->width(),
              QFontMetrics(large).horizontalAdvance(QStringLiteral("\u25B8")));
}

// The box around what differs from the cell's own background, in the cell's coordinates.
QRect inkOf(const QImage& image, const QRect& cell)
{
    const QRgb background = image.pixel(cell.topLeft() + QPoint(1, 1));
    QRect ink;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (image.pixel(x, y) != background)
                ink |= QRect(x - cell.left(), y - cell.top(), 1, 1);
    return ink;
}

TEST(GridCells, PaintTheirTextsWhereAndHowTheStyleWould)
{
    ensureTestApplication();
    TestChapter chapter;
    chapter.addMembers(30);
    Table members(chapter.db(), QStringLiteral("Clenove.DB"));
    members.open();
    DbGrid grid;
    DataSetColumn number = DataSetColumn::titled(QStringLiteral("CLEN_CISLO"), QString());
    DataSetColumn surname = DataSetColumn::titled(QStringLiteral("PRIJMENI"), QString());
    surname.textColor = Qt::red;
    surname.color = Qt::yellow;
    surname.width = 140;
    DataSetColumn narrow = DataSetColumn::titled(QStringLiteral("PRIJMENI"), QString());
    narrow.width = 40;
    DataSetColumn year = DataSetColumn::titled(QStringLiteral("LAST_CLENSTVI"), QString());
    year.width = 90;
    grid.setColumns({number, surname, narrow, year});
    grid.setDataSet(&members);
    grid.resize(500, 300);
    grid.show();
    QCoreApplication::processEvents();
    // Years of different lengths, right-aligned as numbers are.
    for (int row = 0; row < 6; ++row) {
        members.moveToPosition(row);
        members.edit();
        members.fieldByName(QStringLiteral("LAST_CLENSTVI")).setAsInteger(row * 400 + 7);
        members.post();
    }
    members.first();
    QCoreApplication::processEvents();

    const QImage ours = grid.viewport()->grab().toImage();
    grid.setItemDelegate(new QStyledItemDelegate(&grid));
    const QImage styles = grid.viewport()->grab().toImage();

    // The first row is the current one, which the style paints either way.
    int compared = 0;
    for (int row = 1; row < 6; ++row)
        for (int column = 0; column < 4; ++column) {
            const QRect cell =
                grid.visualRect(grid.model()->index(row, column)).adjusted(0, 0, -1, -1);
            const QRect a = inkOf(ours, cell);
            const QRect b = inkOf(styles, cell);
            SCOPED_TRACE(testing::Message() << "row " << row << " column " << column);
            ASSERT_FALSE(b.isEmpty());
            EXPECT_LE(std::abs(a.left() - b.left()), 1);
            EXPECT_LE(std::abs(a.right() - b.right()), 1);
            EXPECT_LE(std::abs(a.top() - b.top()), 1);
            EXPECT_LE(std::abs(a.bottom() - b.bottom()), 1);
            EXPECT_EQ(ours.pixel(cell.topLeft() + QPoint(1, 1)),
                      styles.pixel(cell.topLeft() + QPoint(1, 1)));
            ++compared;
        }
    EXPECT_EQ(compared, 20);
    // The narrow column shortens its text with an ellipsis, like the style.
    const QRect narrowCell = grid.visualRect(grid.model()->index(1, 2)).adjusted(0, 0, -1, -1);
    EXPECT_EQ(ours.copy(narrowCell), styles.copy(narrowCell));
    // The surname column's own colour is the colour of its text.
    const QRect red = grid.visualRect(grid.model()->index(2, 1));
    bool redInk = false;
    for (int y = red.top(); y <= red.bottom() && !redInk; ++y)
        for (int x = red.left(); x <= red.right() && !redInk; ++x)
            redInk = QColor(ours.pixel(x, y)) == QColor(Qt::red);
    EXPECT_TRUE(redInk);
}

} // namespace
