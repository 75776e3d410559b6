#include "EngineError.h"
#include "StartedChapter.h"
#include "Table.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

class RemovalAndAwards : public StartedChapter {
protected:
    Table& removed() { return data().TableVyrazeni(); }
    QString removedFirstName(const QString& number)
    {
        removed().refresh();
        return removed().locate(u"CLEN_CISLO"_s, number, false)
                   ? removed().fieldByName(u"JMENO"_s).asString()
                   : QString();
    }
    QStringList awardsOf(const QString& number)
    {
        QStringList kinds;
        Table awards(db(), u"Vyznam.db"_s);
        awards.open();
        for (awards.first(); !awards.eof(); awards.next())
            if (awards.fieldByName(u"CLEN_CISLO"_s).asString() == number)
                kinds << awards.fieldByName(u"DATUM_UDELENI"_s).asDate().toString(Qt::ISODate) +
                             u' ' + awards.fieldByName(u"DRUH_VYZNAMENANI"_s).asString();
        return kinds;
    }
};

} // namespace

// A member removed a second time replaces the record of the first removal; the member shown
// afterwards is the next one, with that member's payments.
TEST_F(RemovalAndAwards, RemovingAgainReplacesTheOlderRemovedRecord)
{
    addMember(u"5"_s, u"dospělý"_s, {{u"JMENO"_s, u"Adam"_s}});
    addMember(u"6"_s, u"dospělý"_s, {{u"JMENO"_s, u"Bedřich"_s}});
    addPayment(u"6"_s, {{u"ROK"_s, 2012}});
    select(u"5"_s);
    data().removeCurrentMember();
    EXPECT_EQ(removedFirstName(u"5"_s), u"Adam"_s);

    addMember(u"5"_s, u"dospělý"_s, {{u"JMENO"_s, u"Cyril"_s}});
    select(u"5"_s);
    data().removeCurrentMember();
    EXPECT_EQ(removedFirstName(u"5"_s), u"Cyril"_s);
    EXPECT_EQ(removed().recordCount(), 1);
    EXPECT_EQ(host.removedCount, 1);
    EXPECT_EQ(host.memberCount, 1);
    EXPECT_EQ(members().fieldByName(u"CLEN_CISLO"_s).asString(), u"6"_s);
    EXPECT_EQ(data().TablePovol().recordCount(), 1);
}

// A number in the register again cannot come back twice: both tables stay as they were.
TEST_F(RemovalAndAwards, ReturnToATakenNumberIsRefusedAndChangesNothing)
{
    addMember(u"7"_s, u"dospělý"_s, {{u"JMENO"_s, u"David"_s}});
    select(u"7"_s);
    data().removeCurrentMember();
    addMember(u"7"_s, u"dospělý"_s, {{u"JMENO"_s, u"Emil"_s}});
    const QString before = dump();
    removed().first();
    EXPECT_FALSE(data().returnRemovedMember());
    EXPECT_EQ(dump(), before);

    select(u"7"_s);
    members().edit();
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"8"_s);
    members().post();
    removed().first();
    EXPECT_TRUE(data().returnRemovedMember());
    EXPECT_EQ(members().fieldByName(u"JMENO"_s).asString(), u"David"_s);
    EXPECT_EQ(members().indexFieldNames(), u"PRIJMENI"_s);
    EXPECT_EQ(host.removedCount, 0);
    EXPECT_EQ(host.memberCount, 2);
}

TEST_F(RemovalAndAwards, DeletingForGoodEmptiesTheRemovedMembersOnly)
{
    for (const QString& n : {u"1"_s, u"2"_s, u"3"_s})
        addMember(n);
    select(u"1"_s);
    data().removeCurrentMember();
    data().removeMembers({u"2"_s});
    EXPECT_EQ(host.removedCount, 2);
    data().deleteRemovedMembers();
    EXPECT_EQ(host.removedCount, 0);
    EXPECT_EQ(numbersIn(u"Clenove.DB"_s), QStringList{u"3"_s});
}

// Each grant is a record of its own dated today; an empty kind stores nothing.
TEST_F(RemovalAndAwards, AwardsAreStoredForTheCurrentMemberAndNeverEmpty)
{
    addMember(u"9"_s);
    addMember(u"10"_s);
    select(u"9"_s);
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    data().grantAward(u"Zlatý odznak"_s);
    data().grantAward(u"Zlatý odznak"_s);
    EXPECT_EQ(awardsOf(u"9"_s), QStringList(2, today + u" Zlatý odznak"_s));
    EXPECT_EQ(data().TableVyznam().recordCount(), 2) << "the records tab shows them at once";

    const QString before = dump();
    try {
        data().grantAward(u"  "_s);
        FAIL() << "an empty award was stored";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains(u"druh vyznamenání"_s)) << e.message().toStdString();
    }
    EXPECT_EQ(dump(), before);
    EXPECT_FALSE(data().TableVyznam().isEditing());
    EXPECT_TRUE(awardsOf(u"10"_s).isEmpty());
}
