#include "MembersWindowFixture.h"

#include "DbGrid.h"
#include "Table.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

const QString removeQuestion = u"Člen bude přeřazen z evidence do vyřazených členů,\n\rjeho "
                               "povolenky a brigády trvale zrušeny !!!"_s;

class Removals : public MembersWindowTest {
protected:
    void press(const QString& caption) { buttonCaptioned(caption)->click(); }
    QString removedCount() { return child<QLabel>(u"LabelVyrazeno"_s)->text(); }
    QString memberCount() { return child<QLabel>(u"LabelClenuCelkem"_s)->text(); }
    QString caption() { return child<QLabel>(u"StaticTextKdo"_s)->text(); }
    void renumber(const QString& from, const QString& to)
    {
        select(from);
        members().edit();
        members().fieldByName(u"CLEN_CISLO"_s).setAsString(to);
        members().post();
    }
    QStringList awardKinds()
    {
        auto* list = child<QComboBox>(u"ComboBoxVyznam"_s);
        QStringList kinds;
        for (int i = 0; i < list->count(); ++i)
            kinds << list->itemText(i);
        return kinds;
    }
    // Three members: 1 paid the summary year, 2 paid the year before, 3 never paid.
    void startChapter()
    {
        addMember(u"1"_s, u"Adam"_s, {{u"LAST_CLENSTVI"_s, 2012}});
        addMember(u"2"_s, u"Bárta"_s, {{u"LAST_CLENSTVI"_s, 2011}});
        addMember(u"3"_s, u"Cejpek"_s);
        for (const QString& n : {u"1"_s, u"2"_s, u"3"_s}) {
            addRow(u"Povol.DB"_s, {{u"CLEN_CISLO"_s, n}, {u"ROK"_s, 2011}});
            addRow(u"Brigady.DB"_s,
                   {{u"CLEN_CISLO"_s, n}, {u"DATUM"_s, QDate(2011, 5, 1)}, {u"HODIN"_s, 4.0}});
        }
        addRow(u"Vyznam.db"_s, {{u"CLEN_CISLO"_s, u"3"_s}, {u"DRUH_VYZNAMENANI"_s, u"Odznak"_s}});
        start();
    }
};

} // namespace

TEST_F(Removals, RemovingTheCurrentMemberAsksAndMovesItWithoutItsRecords)
{
    startChapter();
    select(u"2"_s);
    answers << Messages::Answer::No;
    press(u"Vyřadit člena"_s);
    EXPECT_EQ(shownTexts(), QStringList{removeQuestion});
    EXPECT_EQ(stored(u"Clenove"_s, u"CLEN_CISLO"_s).size(), 3);

    press(u"Vyřadit člena"_s);
    EXPECT_EQ(stored(u"Vyrazeni"_s, u"CLEN_CISLO"_s), QStringList{u"2"_s});
    EXPECT_FALSE(stored(u"Povol"_s, u"CLEN_CISLO"_s).contains(u"2"_s));
    EXPECT_FALSE(stored(u"Brigady"_s, u"CLEN_CISLO"_s).contains(u"2"_s));
    EXPECT_EQ(removedCount(), u"1"_s);
    EXPECT_EQ(memberCount(), u"2"_s);
    EXPECT_EQ(child<DbGrid>(u"DBGridVyrazeni"_s)->model()->rowCount(), 1);
}

// An empty year paid counts as not paid; the question counts exactly the members that go.
TEST_F(Removals, NonPayersGoTogetherAfterOneQuestionAndTheSelectionIsAllAgain)
{
    startChapter();
    answers << Messages::Answer::No;
    press(u"Vyřadit neplatiče z evidence"_s);
    const QString question = u"Nezaplatili členství za rok 2012\n\ropravdu vyřadit 2 členů,\n\r"
                             "jejich povolenky a brigády budou trvale zrušeny !!!"_s;
    EXPECT_EQ(shownTexts(), QStringList{question});
    EXPECT_EQ(caption(), u"Nezaplatili členství 2012"_s) << "No leaves the non-payers shown";
    EXPECT_EQ(stored(u"Vyrazeni"_s, u"CLEN_CISLO"_s), QStringList());

    shown.clear();
    press(u"Vyřadit neplatiče z evidence"_s);
    EXPECT_EQ(shownTexts(), QStringList{question});
    EXPECT_EQ(stored(u"Clenove"_s, u"CLEN_CISLO"_s), QStringList{u"1"_s});
    EXPECT_EQ(stored(u"Povol"_s, u"CLEN_CISLO"_s), QStringList{u"1"_s});
    EXPECT_EQ(stored(u"Brigady"_s, u"CLEN_CISLO"_s), QStringList{u"1"_s});
    EXPECT_EQ(stored(u"Vyznam"_s, u"CLEN_CISLO"_s), QStringList());
    EXPECT_EQ(removedCount(), u"2"_s);
    EXPECT_EQ(memberCount(), u"1"_s);
    EXPECT_EQ(caption(), u"Všichni členové"_s);
    EXPECT_EQ(current(u"CLEN_CISLO"_s), u"1"_s);

    shown.clear();
    press(u"Vyřadit neplatiče z evidence"_s);
    EXPECT_EQ(shownTexts(), QStringList{u"Všichni zaplatili členství za rok 2012"_s});
    EXPECT_EQ(caption(), u"Všichni členové"_s);
}

// The member comes back with every field as it was removed; while its number is taken again,
// nothing moves.
TEST_F(Removals, ReturnRestoresTheMemberUnlessTheNumberIsTaken)
{
    addMember(u"7"_s, u"Dušek"_s,
              {{u"LAST_CLENSTVI"_s, 2010}, {u"POZOR"_s, u"ZÁZNAM !"_s}, {u"ZAZNAMY"_s, u"dluh"_s}});
    addMember(u"8"_s, u"Erben"_s);
    start();
    select(u"7"_s);
    press(u"Vyřadit člena"_s);
    renumber(u"8"_s, u"7"_s);

    shown.clear();
    press(u"Vrátit člena do evidence"_s);
    EXPECT_EQ(shownTexts(), QStringList{u"Členské číslo již EXISTUJE !!!"_s});
    EXPECT_EQ(stored(u"Vyrazeni"_s, u"CLEN_CISLO"_s), QStringList{u"7"_s});
    EXPECT_EQ(removedCount(), u"1"_s);

    renumber(u"7"_s, u"8"_s);
    shown.clear();
    press(u"Vrátit člena do evidence"_s);
    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
    EXPECT_EQ(current(u"CLEN_CISLO"_s), u"7"_s);
    EXPECT_EQ(current(u"PRIJMENI"_s), u"Dušek"_s);
    EXPECT_EQ(current(u"LAST_CLENSTVI"_s), u"2010"_s);
    EXPECT_EQ(current(u"POZOR"_s), u"ZÁZNAM !"_s);
    EXPECT_EQ(current(u"ZAZNAMY"_s), u"dluh"_s);
    EXPECT_EQ(removedCount(), u"0"_s);
    EXPECT_EQ(memberCount(), u"2"_s);

    select(u"8"_s);
    press(u"Vyřadit člena"_s);
    answers << Messages::Answer::No;
    shown.clear();
    press(u"Trvale vyřadit "_s);
    EXPECT_EQ(shownTexts(),
              QStringList{u"Opravdu trvale vyřadit všechny dočasně vyřazené členy?"_s});
    EXPECT_EQ(removedCount(), u"1"_s);
    press(u"Trvale vyřadit "_s);
    EXPECT_EQ(removedCount(), u"0"_s);
    EXPECT_EQ(stored(u"Vyrazeni"_s, u"CLEN_CISLO"_s), QStringList());
}

TEST_F(Removals, AwardKindsStaySortedAndAnEmptyKindIsRefused)
{
    startChapter();
    EXPECT_EQ(awardKinds(), QStringList{u"Odznak"_s});
    select(u"1"_s);
    auto* list = child<QComboBox>(u"ComboBoxVyznam"_s);
    list->setCurrentText(u"Čestné uznání"_s);
    press(u"Udělit"_s);
    EXPECT_EQ(awardKinds(), (QStringList{u"Čestné uznání"_s, u"Odznak"_s}));
    EXPECT_EQ(list->currentText(), u"Čestné uznání"_s);
    press(u"Udělit"_s);
    EXPECT_EQ(awardKinds().size(), 2) << "a kind in the list is not added again";
    EXPECT_EQ(stored(u"Vyznam"_s, u"CLEN_CISLO"_s), (QStringList{u"3"_s, u"1"_s, u"1"_s}));

    list->setCurrentText(QString());
    shown.clear();
    press(u"Udělit"_s);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, Messages::Kind::Error);
    EXPECT_EQ(stored(u"Vyznam"_s, u"CLEN_CISLO"_s).size(), 3);
}
