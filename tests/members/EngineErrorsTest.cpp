#include "MembersWindowFixture.h"

#include "DbEdit.h"
#include "DbNavigator.h"
#include "GuiTestSupport.h"
#include "TDataModule1.h"
#include "Table.h"

#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// The members window while the data fail under a click, a change of focus and its showing:
// the error box tells the engine's message once, and the window goes on working once the
// data do.
class FailingData : public MembersWindowTest {
protected:
    void startWithTwo()
    {
        addMember(u"0456"_s, u"Adámek"_s);
        addMember(u"0457"_s, u"Bílá"_s, {{u"ZENA"_s, true}});
        start();
        // The rows on screen are read before the data start failing.
        QCoreApplication::processEvents();
        failure = std::make_unique<EngineFailure>(database());
    }

    void TearDown() override
    {
        EXPECT_TRUE(escaped.messages().isEmpty())
            << "caught only by the application: " << escaped.messages().join(u'\n').toStdString();
        MembersWindowTest::TearDown();
    }

    // What the error boxes said once the event loop had its turn.
    QStringList toldAfterwards()
    {
        QCoreApplication::processEvents();
        return shownTexts();
    }

    static bool toldOnceWithTheEnginesMessage(const QStringList& told)
    {
        return told.size() == 1 && told[0].contains(EngineFailure::reason());
    }

    DbEdit* input(const char* field) { return child<DbEdit>(u"DB_"_s + QLatin1String(field)); }
    QString womenCount()
    {
        buttonCaptioned(u"Ženy"_s)->click();
        return child<QLabel>(u"LabelVyber"_s)->text();
    }

    std::unique_ptr<EngineFailure> failure;
    EscapedErrors escaped;
};

TEST_F(FailingData, AFilterButtonIsToldItsErrorAndTheNextClickWorks)
{
    startWithTwo();
    failure->arm();
    womenCount();
    EXPECT_TRUE(toldOnceWithTheEnginesMessage(shownTexts())) << "told at once, as the user clicked";
    EXPECT_EQ(shown.value(0).kind, Messages::Kind::Error);

    failure->disarm();
    EXPECT_EQ(womenCount(), u"1 žen"_s);
    EXPECT_EQ(toldAfterwards().size(), 1) << toldAfterwards().join(u'|').toStdString();
}

TEST_F(FailingData, ATabWhoseCountCannotBeReadIsToldItsErrorAndShowsTheCountLater)
{
    startWithTwo();
    addRow(u"Vyrazeni.DB"_s, {{u"CLEN_CISLO"_s, u"0999"_s}, {u"PRIJMENI"_s, u"Cihla"_s}});
    auto* tabs = child<QTabWidget>(u"PageControl1"_s);
    QTabBar* bar = tabs->tabBar();
    const int admin = tabs->indexOf(child<QWidget>(u"TabSheetSprava"_s));
    const auto clickTab = [bar](int index) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    };
    failure->arm();

    clickTab(admin);
    EXPECT_TRUE(toldOnceWithTheEnginesMessage(shownTexts())) << "told at once, as the user clicked";
    EXPECT_EQ(tabs->currentIndex(), admin);

    failure->disarm();
    clickTab(0);
    clickTab(admin);
    EXPECT_EQ(child<QLabel>(u"LabelVyrazeno"_s)->text(), u"1"_s);
    EXPECT_EQ(toldAfterwards().size(), 1);
}

TEST_F(FailingData, EnteringAnInputWhoseFilterFailsIsToldOnceTheFocusSettles)
{
    startWithTwo();
    data().TableSetup().first();
    const QString chapter = data().TableSetup().fieldByName(u"CISLO_ORGANIZACE"_s).asString();
    child<DbNavigator>(u"DBNavigator1"_s)->button(DbNavigator::Button::Edit)->click();
    failure->arm();

    input("CISLO_LEGITIMACE")->setFocus();
    EXPECT_TRUE(shown.isEmpty()) << "no box may open while the focus moves";
    EXPECT_TRUE(toldOnceWithTheEnginesMessage(toldAfterwards()));
    EXPECT_TRUE(input("CISLO_LEGITIMACE")->hasFocus());

    failure->disarm();
    input("TITUL")->setFocus();
    input("CISLO_LEGITIMACE")->setFocus();
    EXPECT_EQ(input("CISLO_LEGITIMACE")->text(), chapter + u"-"_s + current(u"CLEN_CISLO"_s));
    EXPECT_EQ(toldAfterwards().size(), 1);
}

TEST_F(FailingData, ShowingTheWindowIsToldItsErrorOnceItIsUp)
{
    startWithTwo();
    window().hide();
    failure->arm();

    window().show();
    EXPECT_TRUE(shown.isEmpty()) << "no box may open while the window is being shown";
    EXPECT_TRUE(toldOnceWithTheEnginesMessage(toldAfterwards()));
    EXPECT_TRUE(window().isVisible());

    failure->disarm();
    EXPECT_EQ(womenCount(), u"1 žen"_s);
    EXPECT_EQ(toldAfterwards().size(), 1);
}

} // namespace
