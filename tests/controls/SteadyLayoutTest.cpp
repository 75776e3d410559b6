#include "GuiTestSupport.h"

#include "DbGrid.h"
#include "SteadyTabWidget.h"
#include "Table.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPaintEvent>
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

TEST(GridRowHeader, KeepsOneWidthWideEnoughForTheIndicatorWhateverTheRows)
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
}

} // namespace
