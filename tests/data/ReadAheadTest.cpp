#include "TestDataDir.h"

#include "Query.h"
#include "SqlStatement.h"
#include "Table.h"

#include <gtest/gtest.h>

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

QString number(int i)
{
    return QString::number(i).rightJustified(4, u'0');
}

// A walk reads rows ahead in blocks; whatever happens to the table meanwhile, each row must
// read as a single read of it would at that moment.
class ReadingAhead : public ::testing::Test {
protected:
    ReadingAhead()
        : dir({u"Clenove"_s})
        , members(dir.db(), u"Clenove.DB"_s)
    {
        members.open();
        for (int i = 1; i <= rows; ++i)
            appendRow(members, member(number(i), u"Člen "_s + number(i)));
        members.first();
    }

    QString surname() { return members.fieldByName(u"PRIJMENI"_s).asString(); }

    // Changed straight in the database, as an operation's statement does before it tells
    // the cursors.
    void renameBehindTheCursor(int i, const QString& surname)
    {
        dir.db().run(u"UPDATE Clenove SET PRIJMENI = ? WHERE CLEN_CISLO = ?"_s,
                     {surname, number(i)});
    }

    static constexpr int rows = 150; // more than two blocks
    TestDataDir dir;
    Table members;
};

TEST_F(ReadingAhead, WalksBothWaysReadEveryRowInOrder)
{
    QStringList forward;
    for (members.first(); !members.eof(); members.next())
        forward << surname();
    QStringList backward;
    for (members.last(); !members.bof(); members.prior())
        backward.prepend(surname());
    ASSERT_EQ(forward.size(), rows);
    EXPECT_EQ(forward.first(), u"Člen 0001"_s);
    EXPECT_EQ(forward.last(), u"Člen 0150"_s);
    EXPECT_EQ(backward, forward);
}

TEST_F(ReadingAhead, ARowChangedOrDeletedAheadOfTheWalkReadsAsItIsNow)
{
    members.next(); // the walk has begun: the rows ahead are read
    renameBehindTheCursor(3, u"Nové jméno"_s);
    dir.db().run(u"DELETE FROM Clenove WHERE CLEN_CISLO = ?"_s, {number(4)});

    members.next();
    EXPECT_EQ(surname(), u"Nové jméno"_s);
    members.next();
    EXPECT_EQ(surname(), QString()) << "a row deleted unseen reads blank, as a single read does";
    EXPECT_EQ(members.fieldByName(u"CLEN_CISLO"_s).asString(), QString());
    members.next();
    EXPECT_EQ(surname(), u"Člen 0005"_s);
}

TEST_F(ReadingAhead, ChangesUndoneByARollbackAreNotReadAfterwards)
{
    members.next();
    {
        Database::Transaction tx(dir.db());
        renameBehindTheCursor(3, u"Neuloženo"_s);
        members.next();
        EXPECT_EQ(surname(), u"Neuloženo"_s);
        members.next();
    } // rolled back
    members.prior();
    EXPECT_EQ(surname(), u"Člen 0003"_s);
}

TEST_F(ReadingAhead, EditingReadsTheRowAsStored)
{
    members.next();
    renameBehindTheCursor(3, u"Jinak"_s);
    members.next();
    members.edit();
    EXPECT_EQ(surname(), u"Jinak"_s);
    members.cancel();
}

// A query keeps its rows as SQLite gave them and turns them into values only when read: every
// kind of column must read as a direct read of the statement would.
TEST(QueryRows, ReadAsTheStatementGivesThem)
{
    TestDataDir dir({u"Clenove"_s});
    Table members(dir.db(), u"Clenove.DB"_s);
    members.open();
    appendRow(members, member(u"1"_s, u"Žák"_s,
                              {{u"DATUM_NAROZENI"_s, QDate(1970, 2, 3)},
                               {u"ZENA"_s, true},
                               {u"CLEN_OD_ROKU"_s, 1990},
                               {u"ZAZNAMY"_s, u"dlouhý text"_s}}));
    appendRow(members, member(u"2"_s, u"Adam"_s));
    dir.db().run(u"UPDATE Clenove SET JMENO = '' WHERE CLEN_CISLO = '2'"_s, {});

    const QString sql = u"select c.*, c.CLEN_OD_ROKU * 1.5 as POLOVINA, c.CLEN_OD_ROKU + 1 "
                        "as DALSI, '' as PRAZDNY, 'x' as ZNAK, NULL as NIC from CLENOVE c "
                        "order by CLEN_CISLO"_s;
    Query query(dir.db());
    query.setSql({sql});
    query.open();
    ASSERT_EQ(query.recordCount(), 2);

    SqlStatement st = dir.db().prepare(sql);
    const int declaredColumns = members.fieldCount();
    for (query.first(); !query.eof(); query.next()) {
        ASSERT_TRUE(st.step());
        for (int c = 0; c < declaredColumns; ++c)
            EXPECT_EQ(query.value(c), st.value(c, query.fieldDefs()[c].type))
                << query.fieldDefs()[c].name.toStdString();
    }
    query.first();
    const auto computed = [&](const char* name) {
        return query.fieldByName(QLatin1String(name));
    };
    EXPECT_EQ(computed("POLOVINA").def().type, FieldType::Float);
    EXPECT_EQ(computed("POLOVINA").value(), QVariant(2985.0));
    EXPECT_EQ(computed("DALSI").def().type, FieldType::Integer);
    EXPECT_EQ(computed("DALSI").value(), QVariant(qint64(1991)));
    EXPECT_EQ(computed("PRAZDNY").value(), QVariant(QString())) << "kept as SQLite holds it";
    EXPECT_FALSE(computed("PRAZDNY").isNull());
    EXPECT_EQ(computed("ZNAK").asString(), u"x"_s);
    EXPECT_TRUE(computed("NIC").isNull());
    query.next();
    EXPECT_TRUE(computed("POLOVINA").isNull());
    EXPECT_TRUE(query.fieldByName(u"JMENO"_s).isNull()) << "an empty text field reads blank";

    query.setFilter(u"ZENA=true"_s);
    query.setFiltered(true);
    EXPECT_EQ(query.recordCount(), 1);
    EXPECT_EQ(query.fieldByName(u"PRIJMENI"_s).asString(), u"Žák"_s);
}

} // namespace
