#include "MembersWindowFixture.h"

#include "DbEdit.h"
#include "DbGrid.h"
#include "DbMemo.h"
#include "DbNavigator.h"
#include "GuiTestSupport.h"
#include "MemberRecordsTab.h"
#include "Query.h"
#include "TDataModule1.h"
#include "TFClenove.h"
#include "Table.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

class MembersWindow : public MembersWindowTest {
protected:
    // Four members: a sponsor who paid, a woman with an open note who paid last year,
    // a woman who never paid, a paying sponsor of another category.
    void startWithFour()
    {
        addMember(u"1"_s, u"Adámek"_s, {{u"SPONZOR"_s, true}, {u"LAST_CLENSTVI"_s, 2012}});
        addMember(u"2"_s, u"Bílá"_s,
                  {{u"ZENA"_s, true},
                   {u"LAST_CLENSTVI"_s, 2011},
                   {u"KATEGORIE"_s, u"mládež"_s},
                   {u"POZOR"_s, u"ZÁZNAM !"_s}});
        addMember(u"3"_s, u"Černá"_s, {{u"ZENA"_s, true}});
        addMember(u"4"_s, u"Dvořák"_s,
                  {{u"SPONZOR"_s, true}, {u"LAST_CLENSTVI"_s, 2012}, {u"KATEGORIE"_s, u"dítě"_s}});
        start();
    }

    QString filterCount() { return child<QLabel>(u"LabelVyber"_s)->text(); }
    DbEdit* input(const char* field) { return child<DbEdit>(u"DB_"_s + QLatin1String(field)); }
    void navigate(DbNavigator::Button b)
    {
        child<DbNavigator>(u"DBNavigator1"_s)->button(b)->click();
    }
};

struct FilterCase {
    const char* button;
    const char* count;
    const char* whereLine;
    const char* caption;
    int selected;
};

class DisplayFilters : public MembersWindow, public ::testing::WithParamInterface<FilterCase> {};

} // namespace

TEST_P(DisplayFilters, CountSelectionAndCaptionThenAllMembersAgain)
{
    const FilterCase c = GetParam();
    startWithFour();
    child<QComboBox>(u"ComboBoxKateg"_s)->setCurrentText(u"mládež"_s);
    buttonCaptioned(QString::fromUtf8(c.button))->click();

    EXPECT_EQ(filterCount(), QString::fromUtf8(c.count));
    EXPECT_EQ(window().QueryClenove().sql(),
              QStringList({u"select * from CLENOVE"_s, QString::fromUtf8(c.whereLine),
                           u" ORDER BY PRIJMENI "_s}));
    EXPECT_EQ(window().QueryClenove().recordCount(), c.selected);
    EXPECT_EQ(window().selectionCaption(), QString::fromUtf8(c.caption));

    buttonCaptioned(u"Všichni"_s)->click();
    EXPECT_EQ(filterCount(), u"4 členů"_s);
    EXPECT_EQ(window().QueryClenove().sql(),
              QStringList({u"select * from CLENOVE"_s, u" "_s, u" "_s}));
    EXPECT_EQ(window().QueryClenove().recordCount(), 4);
    EXPECT_EQ(window().selectionCaption(), u"Všichni členové"_s);
    EXPECT_EQ(members().recordCount(), 4);
}

// "Bez známky": a member who never paid (a blank year) is counted by the window as by its
// selection.
INSTANTIATE_TEST_SUITE_P(
    EveryButton, DisplayFilters,
    ::testing::Values(
        FilterCase{"Ženy", "2 žen", "where (ZENA=true)", "Pouze ženy", 2},
        FilterCase{"Sponzoři", "2 sponzorů", "where (SPONZOR=true)", "Pouze sponzoři", 2},
        FilterCase{"Záznam", "1 záznamů", "where (POZOR<>'')", "Členové se záznamem", 1},
        FilterCase{"Bez známky", "2 bez členství",
                   "where (LAST_CLENSTVI<2012) or (LAST_CLENSTVI is null)",
                   "Nezaplatili členství 2012", 2},
        FilterCase{"Kateg", "1 kategorie", "where KATEGORIE='mládež'", "Kat. mládež", 1}));

TEST_F(MembersWindow, SearchByNumberAndBySurnameList)
{
    addMember(u"ab12"_s, u"Zelený"_s);
    startWithFour();
    buttonCaptioned(u"Číslo"_s)->click();
    auto* find = child<QLineEdit>(u"EditFindClen"_s);
    auto* list = child<DbGrid>(u"DBLookupListBoxPrijmeni"_s);
    EXPECT_TRUE(find->isVisible());
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(find->hasFocus());

    find->setText(u"AB12"_s);
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(current(u"PRIJMENI"_s), u"Zelený"_s);

    find->setText(u"99"_s);
    QTest::keyClick(find, Qt::Key_Return);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, Messages::Kind::Error);
    EXPECT_EQ(shown[0].text, u"Člen NEEXISTUJE !!!"_s);
    EXPECT_EQ(current(u"CLEN_CISLO"_s), u"ab12"_s);

    buttonCaptioned(u"Příjmení"_s)->click();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->model()->rowCount(), 5);
    EXPECT_EQ(list->currentIndex().row(), 4) << "the list follows the current member";
    list->setCurrentIndex(list->model()->index(2, 0));
    EXPECT_EQ(current(u"PRIJMENI"_s), u"Černá"_s);
    EXPECT_EQ(child<QLabel>(u"LabelClenuCelkem"_s)->text(), u"5"_s);
}

TEST_F(MembersWindow, EditingStateFollowsTheNavigatorAndARefusedSave)
{
    startWithFour();
    select(u"3"_s);
    EXPECT_FALSE(input("PRIJMENI")->isEnabled());
    EXPECT_TRUE(input("LAST_CLENSTVI")->isEnabled()) << "not locked by the editing state";

    navigate(DbNavigator::Button::Edit);
    EXPECT_TRUE(input("PRIJMENI")->isEnabled());
    EXPECT_TRUE(input("TITUL")->hasFocus());
    input("CLEN_CISLO")->setFocus();
    input("CLEN_CISLO")->selectAll();
    typeText(input("CLEN_CISLO"), u"1"_s);
    navigate(DbNavigator::Button::Post);
    ASSERT_EQ(shownTexts(), QStringList{u"Členské číslo již použito"_s});
    EXPECT_TRUE(members().isEditing());
    EXPECT_TRUE(input("PRIJMENI")->isEnabled()) << "the user must be able to correct it";

    navigate(DbNavigator::Button::Cancel);
    EXPECT_FALSE(input("PRIJMENI")->isEnabled());
    EXPECT_EQ(current(u"CLEN_CISLO"_s), u"3"_s);
}

TEST_F(MembersWindow, NavigatorDeleteKeepsPaymentsOnlyWhenConfirmed)
{
    startWithFour();
    addRow(u"Povol.DB"_s, {{u"CLEN_CISLO"_s, u"3"_s}, {u"ROK"_s, 2012}});
    addRow(u"Povol.DB"_s, {{u"CLEN_CISLO"_s, u"3"_s}, {u"ROK"_s, 2011}});
    addRow(u"Brigady.DB"_s, {{u"CLEN_CISLO"_s, u"3"_s}, {u"DATUM"_s, QDate(2012, 5, 1)}});
    select(u"3"_s);

    answers << Messages::Answer::No;
    navigate(DbNavigator::Button::Delete);
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"CLEN_CISLO"_s).size(), 4);

    navigate(DbNavigator::Button::Delete);
    EXPECT_FALSE(stored(u"Clenove.DB"_s, u"CLEN_CISLO"_s).contains(u"3"_s));
    EXPECT_EQ(stored(u"Povol.DB"_s, u"CLEN_CISLO"_s), QStringList({u"00000"_s, u"00000"_s}));
    EXPECT_TRUE(stored(u"Brigady.DB"_s, u"CLEN_CISLO"_s).isEmpty());
    EXPECT_EQ(child<QLabel>(u"LabelClenuCelkem"_s)->text(), u"3"_s);
}

// The prefill saves typing a new card's number; a card number already stored is the member's
// real card and survives tabbing through the input.
TEST_F(MembersWindow, LegitimationPrefillOnlyFillsAnEmptyInput)
{
    addMember(u"0456"_s, u"Adámek"_s);
    addMember(u"0457"_s, u"Bílý"_s, {{u"CISLO_LEGITIMACE"_s, u"staré"_s}});
    start();
    data().TableSetup().first();
    const QString chapter = data().TableSetup().fieldByName(u"CISLO_ORGANIZACE"_s).asString();
    for (const QString& number : {u"0456"_s, u"0457"_s}) {
        select(number);
        navigate(DbNavigator::Button::Edit);
        input("CISLO_LEGITIMACE")->setFocus();
        navigate(DbNavigator::Button::Post);
    }
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"CISLO_LEGITIMACE"_s),
              (QStringList{chapter + u"-0456"_s, u"staré"_s}));
}

TEST_F(MembersWindow, BirthNumberPrefillFromTheBirthDate)
{
    addMember(u"1"_s, u"Adámek"_s, {{u"DATUM_NAROZENI"_s, QDate(1961, 7, 3)}});
    addMember(u"2"_s, u"Bílá"_s, {{u"DATUM_NAROZENI"_s, QDate(1961, 12, 3)}, {u"ZENA"_s, true}});
    addMember(u"3"_s, u"Cibulka"_s,
              {{u"DATUM_NAROZENI"_s, QDate(1961, 7, 3)}, {u"RODNE_CISLO"_s, u"61.07.03/1234"_s}});
    addMember(u"4"_s, u"Dub"_s);
    start();
    const auto prefilled = [this](const QString& number) {
        select(number);
        navigate(DbNavigator::Button::Edit);
        DbEdit* birthNumber = input("RODNE_CISLO");
        birthNumber->setFocus();
        const QString text = birthNumber->text();
        const int caret = birthNumber->cursorPosition();
        navigate(DbNavigator::Button::Post);
        return QStringLiteral("%1@%2").arg(text).arg(caret);
    };
    EXPECT_EQ(prefilled(u"1"_s), u"61.07.03/@9"_s);
    EXPECT_EQ(prefilled(u"2"_s), u"61.62.03/@9"_s) << "a woman's month is raised by 50";
    EXPECT_TRUE(prefilled(u"3"_s).startsWith(u"61.07.03/1234@"_s)) << "kept as it was";
    EXPECT_EQ(prefilled(u"4"_s), u"@0"_s) << "no birth date, nothing to fill";
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"RODNE_CISLO"_s),
              QStringList({u"61.07.03/"_s, u"61.62.03/"_s, u"61.07.03/1234"_s, u""_s}));
}

TEST_F(MembersWindow, TypingMarksTheNoteOnceAndDoubleClickSettlesIt)
{
    startWithFour();
    select(u"3"_s);
    MemberRecordsTab& records = window().recordsTab();
    child<QTabWidget>(u"PageControl1"_s)->setCurrentWidget(&records);
    DbMemo* memo = records.notes();
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_A);
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"POZOR"_s).at(2), u"ZÁZNAM !"_s);
    EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(Qt::red));
    QTest::keyClick(memo, Qt::Key_B);
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"ZAZNAMY"_s).at(2), QString())
        << "a marked note is not saved again by typing";

    QTest::mouseDClick(memo->viewport(), Qt::LeftButton);
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"POZOR"_s).at(2), QString());
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"ZAZNAMY"_s).at(2), u"ab"_s);
    EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_FALSE(members().isEditing());

    select(u"2"_s);
    child<QTabWidget>(u"PageControl1"_s)->setCurrentIndex(0);
    QTest::mouseDClick(input("POZOR"), Qt::LeftButton);
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"POZOR"_s).at(1), QString());
    EXPECT_TRUE(child<DbGrid>(u"DBLookupListBoxPrijmeni"_s)->hasFocus());
}

TEST_F(MembersWindow, SettlingANoteDuringARenumberingEditStillMovesThePayments)
{
    addMember(u"105"_s, u"Adámek"_s, {{u"POZOR"_s, u"ZÁZNAM !"_s}});
    addRow(u"Povol.DB"_s, {{u"CLEN_CISLO"_s, u"105"_s}, {u"ROK"_s, 2012}});
    start();
    navigate(DbNavigator::Button::Edit);
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"106"_s);
    window().settleNote();
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"CLEN_CISLO"_s), QStringList{u"106"_s});
    EXPECT_EQ(stored(u"Povol.DB"_s, u"CLEN_CISLO"_s), QStringList{u"106"_s});
}

TEST_F(MembersWindow, PaymentTitleClickTogglesTheDetailColumns)
{
    startWithFour();
    DbGrid* payments = window().recordsTab().paymentGrid();
    const auto shownColumns = [payments] {
        QList<int> shown;
        for (int c = 0; c < payments->model()->columnCount(); ++c)
            if (!payments->isColumnHidden(c))
                shown << c;
        return shown;
    };
    ASSERT_EQ(payments->model()->columnCount(), 33);
    const QList<int> atOpen = shownColumns();
    EXPECT_EQ(atOpen.size(), 12);
    EXPECT_EQ(payments->model()->headerData(3, Qt::Horizontal).toString(), u"ŠKOL"_s);

    emit payments->horizontalHeader()->sectionClicked(5);
    EXPECT_EQ(shownColumns().size(), 32) << "all but the member link";
    EXPECT_TRUE(payments->isColumnHidden(0));
    EXPECT_EQ(payments->columnWidth(3), 45);

    emit payments->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(shownColumns(), atOpen);
}

TEST_F(MembersWindow, WindowKeysAndTitle)
{
    startWithFour();
    EXPECT_EQ(window().windowTitle(), QStringLiteral("%1x%2  %3x%4")
                                          .arg(window().minimumWidth())
                                          .arg(window().minimumHeight())
                                          .arg(window().maximumWidth())
                                          .arg(window().maximumHeight()));
    MemberRecordsTab& records = window().recordsTab();
    EXPECT_TRUE(records.paymentGrid()->isReadOnly());
    QTest::keyClick(input("LAST_CLENSTVI"), Qt::Key_Insert, Qt::AltModifier);
    EXPECT_FALSE(records.paymentGrid()->isReadOnly());
    EXPECT_FALSE(records.brigadeGrid()->isReadOnly());
    EXPECT_TRUE(window().isVisible());

    QTest::keyClick(child<QLineEdit>(u"EditBrigRok"_s), Qt::Key_Escape);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(window().result(), int(QDialog::Rejected));
}

TEST_F(MembersWindow, ClosingSavesAMemberLeftInEdit)
{
    startWithFour();
    select(u"4"_s);
    navigate(DbNavigator::Button::Edit);
    input("JMENO")->setFocus();
    typeText(input("JMENO"), u"Jan"_s);
    window().reject();
    EXPECT_FALSE(members().isEditing());
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"JMENO"_s).at(3), u"Jan"_s);
}

// Text typed into an input and not yet left belongs to the record: every move the data layer
// makes on its own (a filter, a locate, the save of pending edits at close) stores it first.
TEST_F(MembersWindow, TypedTextIsStoredByEveryMoveTheDataLayerMakes)
{
    startWithFour();
    const auto typeSurname = [this](const QString& number, const QString& surname) {
        select(number);
        navigate(DbNavigator::Button::Edit);
        DbEdit* edit = input("PRIJMENI");
        edit->setFocus();
        edit->selectAll();
        typeText(edit, surname);
    };
    typeSurname(u"1"_s, u"Ambrož"_s);
    members().locate(u"CLEN_CISLO"_s, u"4"_s);
    typeSurname(u"2"_s, u"Bártová"_s);
    window().runDisplayFilter(DisplayFilter::Kind::Women);
    typeSurname(u"3"_s, u"Čermáková"_s);
    data().PostPendingEdits();
    EXPECT_EQ(stored(u"Clenove.DB"_s, u"PRIJMENI"_s),
              (QStringList{u"Ambrož"_s, u"Bártová"_s, u"Čermáková"_s, u"Dvořák"_s}));
}

// Both counts follow the stored members, whoever changes them: the total and the filter's.
TEST_F(MembersWindow, CountsFollowInsertDeleteAndRenumber)
{
    startWithFour();
    const auto counts = [this] {
        return child<QLabel>(u"LabelClenuCelkem"_s)->text() + u" / "_s + filterCount();
    };
    buttonCaptioned(u"Ženy"_s)->click();
    EXPECT_EQ(counts(), u"4 / 2 žen"_s);

    navigate(DbNavigator::Button::Insert);
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"7"_s);
    members().fieldByName(u"PRIJMENI"_s).setAsString(u"Horká"_s);
    members().fieldByName(u"ZENA"_s).setAsBoolean(true);
    navigate(DbNavigator::Button::Post);
    EXPECT_EQ(counts(), u"5 / 3 žen"_s);

    select(u"3"_s);
    navigate(DbNavigator::Button::Edit);
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"30"_s);
    members().fieldByName(u"ZENA"_s).setAsBoolean(false);
    navigate(DbNavigator::Button::Post);
    EXPECT_EQ(counts(), u"5 / 2 žen"_s) << "renumbered out of the filter";

    answers << Messages::Answer::Yes;
    select(u"7"_s);
    navigate(DbNavigator::Button::Delete);
    EXPECT_EQ(counts(), u"4 / 1 žen"_s);
}

TEST_F(MembersWindow, ControlsKeepTheirPlacesAndGridsShowWholeTitlesAndValues)
{
    addRow(u"Brigady.DB"_s, {{u"CLEN_CISLO"_s, u"2"_s},
                             {u"DATUM"_s, QDate(2012, 5, 1)},
                             {u"HODIN"_s, 4},
                             {u"AKCE"_s, u"Úklid břehů a oprava hráze"_s}});
    startWithFour();
    select(u"2"_s);
    const auto at = [this](QWidget* w) {
        return w->mapTo(&window(), QPoint(0, 0));
    };
    QPushButton* byName = buttonCaptioned(u"Příjmení"_s);
    QPushButton* byNumber = buttonCaptioned(u"Číslo"_s);
    const QPoint nameAt = at(byName);
    const QPoint numberAt = at(byNumber);
    const QPoint listAt = at(child<DbGrid>(u"DBLookupListBoxPrijmeni"_s));
    byNumber->click();
    EXPECT_EQ(at(byName), nameAt);
    EXPECT_EQ(at(byNumber), numberAt);
    EXPECT_EQ(at(child<QLineEdit>(u"EditFindClen"_s)).y(), listAt.y())
        << "the number input takes the list's place";

    // The mark is read, never typed into: no frame, the window's own background.
    auto* mark = child<DbEdit>(u"DB_POZOR"_s);
    EXPECT_FALSE(mark->hasFrame());
    EXPECT_EQ(mark->focusPolicy(), Qt::NoFocus);
    const QImage look =
        window().grab(QRect(at(mark), mark->size()).adjusted(0, -3, 0, 0)).toImage();
    EXPECT_EQ(look.pixelColor(look.width() - 2, 4), look.pixelColor(look.width() - 2, 0))
        << "inside the mark as around it";

    auto* records = window().findChild<MemberRecordsTab*>();
    child<QTabWidget>(u"PageControl1"_s)->setCurrentWidget(records);
    for (const char* name : {"DBGridBrigady", "DBGridVyznam"}) {
        auto* grid = child<DbGrid>(QLatin1String(name));
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            if (grid->isColumnHidden(c))
                continue;
            EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c))
                << name << " column " << c;
            for (int r = 0; r < grid->model()->rowCount(); ++r) {
                const QString value = grid->model()->index(r, c).data().toString();
                EXPECT_GT(grid->columnWidth(c), grid->fontMetrics().horizontalAdvance(value))
                    << name << ": " << value.toStdString();
            }
        }
    }
}
