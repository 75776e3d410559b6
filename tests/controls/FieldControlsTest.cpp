#include "GuiTestSupport.h"

#include "DbCheckBox.h"
#include "DbDateEdit.h"
#include "DbEdit.h"
#include "DbLookupComboBox.h"
#include "DbMemo.h"
#include "DbNavigator.h"
#include "Query.h"
#include "Table.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

class FieldControls : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureTestApplication(); }

    void SetUp() override
    {
        chapter.addMembers(3);
        members.open();
        new QVBoxLayout(&window);
    }

    template <typename Control> Control* add(const QString& field)
    {
        auto* control = new Control(&window);
        window.layout()->addWidget(control);
        control->bind(&members, field);
        return control;
    }

    void activateWindow()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // The value as stored, read through a cursor of its own.
    QVariant stored(const QString& number, const QString& field)
    {
        Table other(chapter.db(), QStringLiteral("Clenove.DB"));
        other.open();
        other.locate(QStringLiteral("CLEN_CISLO"), number);
        return other.fieldByName(field).value();
    }

    TestChapter chapter;
    Table members{chapter.db(), QStringLiteral("Clenove.DB")};
    QWidget window;
    ReportedErrors errors;
};

TEST_F(FieldControls, EditShowsTheFieldOfWhateverRecordTheCursorHolds)
{
    auto* edit = add<DbEdit>(QStringLiteral("PRIJMENI"));
    EXPECT_EQ(edit->text(), s("Člen 000001"));
    members.next();
    EXPECT_EQ(edit->text(), s("Člen 000002"));

    members.edit();
    members.fieldByName(QStringLiteral("PRIJMENI")).setAsString(QStringLiteral("Nováková"));
    EXPECT_EQ(edit->text(), s("Nováková"));
    members.cancel();
    EXPECT_EQ(edit->text(), s("Člen 000002"));

    members.close();
    EXPECT_EQ(edit->text(), QString());
    members.open();
    EXPECT_EQ(edit->text(), s("Člen 000001"));

    // Announcements switched off and on again: the control catches up with the moves.
    members.setNotificationsEnabled(false);
    members.last();
    members.setNotificationsEnabled(true);
    EXPECT_EQ(edit->text(), s("Člen 000003"));
}

TEST_F(FieldControls, TypingPutsTheRecordIntoEditAndTheTextIsStoredWhenTheNavigatorPosts)
{
    auto* edit = add<DbEdit>(QStringLiteral("PRIJMENI"));
    DbNavigator navigator;
    navigator.setDataSet(&members);

    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, s(" ml."));
    EXPECT_EQ(members.state(), DataSet::State::Edit);
    EXPECT_EQ(edit->text(), s("Člen 000001 ml."));
    EXPECT_EQ(stored(QStringLiteral("000001"), QStringLiteral("PRIJMENI")).toString(),
              s("Člen 000001"));

    navigator.perform(DbNavigator::Button::Post);
    EXPECT_EQ(members.state(), DataSet::State::Browse);
    EXPECT_EQ(stored(QStringLiteral("000001"), QStringLiteral("PRIJMENI")).toString(),
              s("Člen 000001 ml."));
    EXPECT_TRUE(errors.messages().isEmpty());
}

TEST_F(FieldControls, InputsTakeOnlyWhatTheirFieldCanHold)
{
    auto* surname = add<DbEdit>(QStringLiteral("PRIJMENI"));
    auto* year = add<DbEdit>(QStringLiteral("LAST_CLENSTVI"));
    EXPECT_EQ(surname->maxLength(), 20);

    surname->selectAll();
    QTest::keyClicks(surname, QString(30, QLatin1Char('x')));
    EXPECT_EQ(surname->text(), QString(20, QLatin1Char('x')));

    QTest::keyClicks(year, QStringLiteral("20a2x4"));
    EXPECT_EQ(year->text(), QStringLiteral("2024"));
}

TEST_F(FieldControls, LeavingAnInputStoresItsTextOrRefusesToLetTheUserOut)
{
    auto* birth = add<DbDateEdit>(QStringLiteral("DATUM_NAROZENI"));
    auto* other = add<DbEdit>(QStringLiteral("JMENO"));
    QSignalSpy exits(birth, &DbEdit::exited);
    activateWindow();

    birth->setFocus();
    QTest::keyClicks(birth, QStringLiteral("31.2.2020"));
    other->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(errors.messages().size(), 1);
    EXPECT_TRUE(birth->hasFocus());
    EXPECT_EQ(birth->text(), QStringLiteral("31.2.2020"));
    EXPECT_TRUE(members.fieldByName(QStringLiteral("DATUM_NAROZENI")).isNull());
    EXPECT_EQ(exits.count(), 0);

    birth->selectAll();
    QTest::keyClicks(birth, QStringLiteral("03.07.1961"));
    other->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(members.fieldByName(QStringLiteral("DATUM_NAROZENI")).asDate(), QDate(1961, 7, 3));
    EXPECT_EQ(birth->text(), QStringLiteral("3.7.1961"));
    EXPECT_EQ(exits.count(), 1);
    EXPECT_EQ(errors.messages().size(), 1);
}

TEST_F(FieldControls, EscapeKeepsWhatWasTypedAndEnterStoresIt)
{
    // Esc belongs to the window, which posts on closing; the edit must not throw the text away.
    auto* edit = add<DbEdit>(QStringLiteral("JMENO"));
    QTest::keyClicks(edit, QStringLiteral("Jan"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->text(), QStringLiteral("Jan"));
    EXPECT_TRUE(edit->link().isModified());

    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("Petr"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(members.fieldByName(QStringLiteral("JMENO")).asString(), QStringLiteral("Petr"));
}

TEST_F(FieldControls, ControlsOnAReadOnlyCursorOrAskedToBeReadOnlyChangeNothing)
{
    Query query(chapter.db());
    query.setSql({QStringLiteral("select * from CLENOVE")});
    query.open();
    DbEdit edit;
    edit.bind(&query, QStringLiteral("PRIJMENI"));
    QTest::keyClicks(&edit, QStringLiteral("x"));
    EXPECT_EQ(edit.text(), s("Člen 000001"));
    EXPECT_EQ(query.state(), DataSet::State::Browse);

    auto* woman = add<DbCheckBox>(QStringLiteral("ZENA"));
    woman->setReadOnly(true);
    woman->click();
    EXPECT_FALSE(woman->isChecked());
    EXPECT_EQ(members.state(), DataSet::State::Browse);
}

TEST_F(FieldControls, CheckBoxWritesItsStateAtOnceAndFollowsTheRecord)
{
    auto* woman = add<DbCheckBox>(QStringLiteral("ZENA"));
    woman->click();
    EXPECT_EQ(members.state(), DataSet::State::Edit);
    EXPECT_TRUE(members.fieldByName(QStringLiteral("ZENA")).asBoolean());
    members.post();
    EXPECT_TRUE(woman->isChecked());
    members.next();
    EXPECT_FALSE(woman->isChecked());
    members.prior();
    EXPECT_TRUE(woman->isChecked());
    EXPECT_TRUE(stored(QStringLiteral("000001"), QStringLiteral("ZENA")).toBool());
}

TEST_F(FieldControls, MemoTypingStartsEditAndThePostStoresTheNote)
{
    auto* notes = add<DbMemo>(QStringLiteral("ZAZNAMY"));
    DbNavigator navigator;
    navigator.setDataSet(&members);
    typeText(notes, s("Nezaplatil známku"));
    EXPECT_EQ(members.state(), DataSet::State::Edit);
    navigator.perform(DbNavigator::Button::Post);
    EXPECT_EQ(stored(QStringLiteral("000001"), QStringLiteral("ZAZNAMY")).toString(),
              s("Nezaplatil známku"));
    members.next();
    EXPECT_EQ(notes->toPlainText(), QString());
}

TEST_F(FieldControls, LookupOffersTheListCursorsRowsWithoutMovingItAndWritesTheChoice)
{
    Table fees(chapter.db(), QStringLiteral("PovolSet.DB"));
    fees.open();
    ASSERT_GE(fees.recordCount(), 3);
    fees.next();
    QSignalSpy feeMoves(&fees, &DataSet::recordChanged);

    auto* category = add<DbLookupComboBox>(QStringLiteral("KATEGORIE"));
    category->setListSource(&fees, QStringLiteral("KATEGORIE"));
    EXPECT_EQ(category->count(), fees.recordCount());
    EXPECT_EQ(fees.position(), 1);
    EXPECT_EQ(feeMoves.count(), 0);
    EXPECT_EQ(category->currentIndex(), -1);

    const QString chosen = category->itemText(2);
    emit category->activated(2);
    EXPECT_EQ(members.state(), DataSet::State::Edit);
    EXPECT_EQ(members.fieldByName(QStringLiteral("KATEGORIE")).asString(), chosen);
    EXPECT_EQ(category->currentText(), chosen);

    members.fieldByName(QStringLiteral("KATEGORIE")).setAsString(QStringLiteral("Zrušená"));
    EXPECT_EQ(category->currentIndex(), -1);
    EXPECT_EQ(category->placeholderText(), s("Zrušená"));
}

} // namespace
