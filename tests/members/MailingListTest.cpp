#include "MembersWindowFixture.h"

#include "Database.h"
#include "MailingList.h"
#include "Query.h"
#include "TDataModule1.h"
#include "TFClenove.h"
#include "Table.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

class MailingListTest : public MembersWindowTest {
protected:
    void resident(const QString& number, const QString& surname, bool woman,
                  const QString& street = u"Hlavní 1"_s, const QString& town = u"Lhota"_s)
    {
        addMember(number, surname, {{u"ZENA"_s, woman}, {u"ULICE"_s, street}, {u"OBEC"_s, town}});
    }
    void press(const QString& name) { child<QPushButton>(name)->click(); }
    void rebuild() { press(u"ButtonAdresar"_s); }
    // Surname and PRILOHA of every envelope, in the list's order.
    QStringList envelopes()
    {
        const QStringList surnames = stored(u"ZPRAVOD.db"_s, u"PRIJMENI"_s);
        const QStringList enclosed = stored(u"ZPRAVOD.db"_s, u"PRILOHA"_s);
        QStringList rows;
        for (int i = 0; i < surnames.size(); ++i)
            rows << surnames[i] + u'+' + (enclosed[i].isEmpty() ? u"0"_s : enclosed[i]);
        return rows;
    }
    int made() { return int(stored(u"ZPRAVOD.db"_s, u"VYTISKNUTO"_s).count(u"True"_s)); }
    void inject(const QString& statement, const QString& condition)
    {
        database().execute(u"CREATE TEMP TRIGGER injected BEFORE %1 ON main.%2 WHEN %3 "
                           "BEGIN SELECT RAISE(ABORT, 'injected'); END"_s.arg(
                               statement, database().requireTable(u"ZPRAVOD"_s), condition));
    }
};

struct Family {
    const char* rowSurname;
    const char* memberSurname;
    bool memberIsWoman;
    bool merged;
};

class Families : public ::testing::TestWithParam<Family> {};

TEST_P(Families, SurnamesOfOneHouseholdAreToldByTheRules)
{
    const Family f = GetParam();
    EXPECT_EQ(MailingList::sameFamily(QString::fromUtf8(f.rowSurname),
                                      QString::fromUtf8(f.memberSurname), f.memberIsWoman),
              f.merged)
        << f.rowSurname << " / " << f.memberSurname;
}

// Kosová over Kos: half the letters agree, which is not more than half.
INSTANTIATE_TEST_SUITE_P(
    MailingList, Families,
    ::testing::Values(Family{"Novák", "Nováková", true, true},
                      Family{"Novák", "Novák", false, true}, Family{"Malá", "Malý", false, true},
                      Family{"Procházka", "Procházková", true, true},
                      Family{"Procházková", "Procházka", false, false},
                      Family{"Procházka", "Procházková", false, false},
                      Family{"Malý", "Malá", false, false}, Family{"Malý", "Malá", true, true},
                      Family{"Novák", "Dvořák", false, false}, Family{"Kos", "Kosová", false, true},
                      Family{"Kosová", "Kos", true, false}, Family{"", "Kos", true, false},
                      Family{"Kos", "", true, false}, Family{"Bílá", "Bílý", false, true},
                      Family{"Bílá", "Bílek", false, false}));

TEST_F(MailingListTest, MembersOfOneHouseholdShareAnEnvelopeCountedInPriloha)
{
    resident(u"1"_s, u"Novák"_s, false);
    resident(u"2"_s, u"Nováková"_s, true);
    resident(u"3"_s, u"Novák"_s, false);
    resident(u"4"_s, u"Malá"_s, true, u"Polní 2"_s);
    resident(u"5"_s, u"Malý"_s, false, u"Polní 2"_s);
    resident(u"6"_s, u"Procházka"_s, false, u"Lesní 3"_s);
    resident(u"7"_s, u"Procházková"_s, true, u"Lesní 3"_s);
    start();
    rebuild();
    EXPECT_EQ(envelopes(), (QStringList{u"Malá+1"_s, u"Novák+2"_s, u"Procházka+1"_s}));
    EXPECT_EQ(child<QLineEdit>(u"EditZbyva"_s)->text(), u"3"_s);
    EXPECT_EQ(window().QueryClenove().sql().at(2), u"ORDER BY PRIJMENI,CLEN_CISLO"_s);
}

TEST_F(MailingListTest, OnlyTheSameStreetAndTownExactlyMakeAHousehold)
{
    resident(u"1"_s, u"Novák"_s, false);
    resident(u"2"_s, u"Nováková"_s, true, u"hlavní 1"_s);
    resident(u"3"_s, u"Novák"_s, false, u"Hlavní 2"_s);
    resident(u"4"_s, u"Novák"_s, false, u"Hlavní 1"_s, u"Lhota u Brna"_s);
    start();
    rebuild();
    EXPECT_EQ(envelopes(),
              (QStringList{u"Novák+0"_s, u"Novák+0"_s, u"Novák+0"_s, u"Nováková+0"_s}));
}

TEST_F(MailingListTest, WithoutMergingOrInNumberOrderEveryMemberHasAnEnvelope)
{
    resident(u"1"_s, u"Novák"_s, false);
    resident(u"2"_s, u"Nováková"_s, true);
    start();
    child<QCheckBox>(u"CheckBoxSlucovat"_s)->setChecked(false);
    rebuild();
    EXPECT_EQ(envelopes(), (QStringList{u"Novák+0"_s, u"Nováková+0"_s}));

    child<QCheckBox>(u"CheckBoxSlucovat"_s)->setChecked(true);
    press(u"ButtonCisla"_s);
    rebuild();
    EXPECT_FALSE(child<QCheckBox>(u"CheckBoxSlucovat"_s)->isChecked());
    EXPECT_EQ(envelopes().size(), 2);
}

TEST_F(MailingListTest, AHouseholdIsLookedForFifteenRowsBackFromTheCurrentRow)
{
    // Number order puts 15 other members between Novák and Nováková, and 16 between Kos and
    // Kosová.
    const auto others = [this](int from, int to) {
        for (int i = from; i <= to; ++i)
            resident(QString::number(i), u"Jiný"_s, false, u"Jiná %1"_s.arg(i));
    };
    resident(u"10"_s, u"Novák"_s, false);
    others(11, 26);
    resident(u"25a"_s, u"Nováková"_s, true);
    resident(u"30"_s, u"Kos"_s, false);
    others(31, 46);
    resident(u"47"_s, u"Kosová"_s, true);
    start();
    Query members(database());
    members.setSql({u"select * from CLENOVE"_s, u" "_s, u"ORDER BY CLEN_CISLO"_s});
    members.open();
    const QList<MailingList::Envelope> list = MailingList::envelopesOf(members, true);
    ASSERT_EQ(list.size(), 35);
    EXPECT_EQ(list.at(0).enclosed, 1);
    EXPECT_EQ(list.at(17).surname, u"Kos"_s);
    EXPECT_EQ(list.at(17).enclosed, 0);
    EXPECT_EQ(list.at(34).surname, u"Kosová"_s);
}

TEST_F(MailingListTest, MarkingMadeTakesKolikRowsFromTheCurrentRowAndCountsTheRest)
{
    for (int i = 0; i < 600; ++i)
        resident(QString::number(100000 + i), u"Člen"_s, false, u"Ulice %1"_s.arg(i));
    start();
    rebuild();
    EXPECT_EQ(child<QLineEdit>(u"EditZbyva"_s)->text(), u"600"_s);
    child<QLineEdit>(u"Edit_Kolik"_s)->setText(u"500"_s);
    press(u"ButtonOznac"_s);
    EXPECT_EQ(made(), 500);
    EXPECT_EQ(child<QLineEdit>(u"EditZbyva"_s)->text(), u"100"_s);
    EXPECT_EQ(data().TableZpravod().position(), 500);

    press(u"ButtonOznac"_s);
    EXPECT_EQ(made(), 600) << "only the 100 that are left";
    EXPECT_EQ(child<QLineEdit>(u"EditZbyva"_s)->text(), u"0"_s);
}

TEST_F(MailingListTest, ABadKolikOrAFailedMarkChangesNothing)
{
    for (int i = 0; i < 5; ++i)
        resident(QString::number(i + 1), u"Člen"_s, false, u"Ulice %1"_s.arg(i));
    start();
    rebuild();
    child<QLineEdit>(u"Edit_Kolik"_s)->setText(u"3x"_s);
    press(u"ButtonOznac"_s);
    ASSERT_EQ(shownTexts(), QStringList{u"„3x“ není platné celé číslo."_s});
    EXPECT_EQ(made(), 0);

    shown.clear();
    inject(u"UPDATE"_s, u"old.ULICE = 'Ulice 2'"_s);
    child<QLineEdit>(u"Edit_Kolik"_s)->setText(u"4"_s);
    press(u"ButtonOznac"_s);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(made(), 0);
    EXPECT_EQ(child<QLineEdit>(u"EditZbyva"_s)->text(), u"5"_s);
}

TEST_F(MailingListTest, AFailedRebuildKeepsTheOldList)
{
    resident(u"1"_s, u"Adámek"_s, false);
    resident(u"2"_s, u"Zeman"_s, false, u"Jiná 2"_s);
    start();
    rebuild();
    ASSERT_EQ(envelopes(), (QStringList{u"Adámek+0"_s, u"Zeman+0"_s}));
    resident(u"3"_s, u"Bílý"_s, false, u"Jiná 3"_s);
    inject(u"INSERT"_s, u"new.PRIJMENI = 'Zeman'"_s);
    rebuild();
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(envelopes(), (QStringList{u"Adámek+0"_s, u"Zeman+0"_s}));
}

} // namespace
