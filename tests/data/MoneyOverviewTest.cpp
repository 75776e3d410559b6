#include "TestDataDir.h"

#include "EngineError.h"
#include "MoneyOverview.h"
#include "Query.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QDate firstDay(2024, 3, 1);

class MoneyOverviewTest : public ::testing::Test {
protected:
    MoneyOverviewTest()
        : data({u"Clenove"_s, u"Povol"_s, u"SumPovol"_s, u"VYCETKA"_s})
    {
    }

    Database& db() { return data.db(); }

    // One payment record; CELKEM_KC is the sum of its fee items, as the cash desk stores it.
    void pay(const QString& member, const QDate& day, const QList<QPair<QString, int>>& items)
    {
        QStringList columns{u"CLEN_CISLO"_s, u"VYDANO"_s, u"CELKEM_KC"_s};
        QList<QVariant> values{member, day, 0};
        qint64 total = 0;
        for (const auto& [item, amount] : items) {
            columns << item;
            values << amount;
            total += amount;
        }
        values[2] = total;
        db().run(u"INSERT INTO Povol (%1) VALUES (%2)"_s.arg(
                     columns.join(u", "_s), QStringList(columns.size(), u"?"_s).join(u", "_s)),
                 values);
    }

    QStringList rows(const QString& sql)
    {
        SqlStatement st = db().prepare(sql);
        QStringList result;
        while (st.step()) {
            QStringList row;
            for (int i = 0; i < st.columnCount(); ++i)
                row << st.text(i);
            result << row.join(u' ');
        }
        return result;
    }

    QStringList listing()
    {
        return rows(u"SELECT TYP_PLATBY, HODNOTA, POCET FROM VYCETKA ORDER BY rowid"_s);
    }
    QStringList dayTotals()
    {
        return rows(u"SELECT VYDANO, POCET_POVOLENEK, ZAPISNE, MP_ROCNI, CELKEM_KC FROM SumPovol "
                    "ORDER BY rowid"_s);
    }
    qint64 single(const QString& sql)
    {
        SqlStatement st = db().prepare(sql);
        return st.step() ? st.integer(0) : -1;
    }

    TestDataDir data;
    MoneyOverview money{db()};
};

TEST_F(MoneyOverviewTest, TotalsEachIssueDayOfThePeriodAndSkipsDaysWithoutPayments)
{
    pay(u"1"_s, firstDay, {{u"ZAPISNE"_s, 200}, {u"MP_ROCNI"_s, 1500}});
    pay(u"2"_s, firstDay, {{u"MP_ROCNI"_s, 1500}});
    pay(u"3"_s, firstDay.addDays(2), {{u"ZAPISNE"_s, 100}});
    pay(u"4"_s, firstDay.addDays(-1), {{u"ZAPISNE"_s, 999}});
    pay(u"5"_s, firstDay.addDays(3), {{u"ZAPISNE"_s, 999}});

    ASSERT_EQ(money.compute(firstDay, firstDay.addDays(2)), MoneyOverview::Outcome::Done);

    EXPECT_EQ(dayTotals(),
              QStringList({u"2024-03-01 2 200 3000 3200"_s, u"2024-03-03 1 100 0 100"_s}));
    EXPECT_EQ(listing(),
              QStringList({u"Zápisné 100 1"_s, u"Zápisné 200 1"_s, u"MP povolenka 1500 2"_s}));
}

TEST_F(MoneyOverviewTest, KeepsEveryAmountOfAFeeItemSoTheListingAddsUpToTheMoneyTaken)
{
    // Eleven payments in ten amounts, the largest first and one amount twice.
    for (int i = 10; i >= 1; --i)
        pay(QString::number(i), firstDay, {{u"MP_ROCNI"_s, 100 * i}});
    pay(u"11"_s, firstDay, {{u"MP_ROCNI"_s, 300}});

    money.compute(firstDay, firstDay);

    const QStringList listed = listing();
    ASSERT_EQ(listed.size(), 10);
    EXPECT_EQ(listed.first(), u"MP povolenka 100 1"_s);
    EXPECT_EQ(listed[2], u"MP povolenka 300 2"_s);
    EXPECT_EQ(listed.last(), u"MP povolenka 1000 1"_s);
    EXPECT_EQ(single(u"SELECT SUM(HODNOTA * POCET) FROM VYCETKA"_s),
              single(u"SELECT SUM(CELKEM_KC) FROM Povol"_s));
    EXPECT_EQ(single(u"SELECT SUM(CELKEM_KC) FROM SumPovol"_s), 5800);
}

TEST_F(MoneyOverviewTest, ListsKindsInFieldOrderEachPermitLengthInItsOwnBlock)
{
    pay(u"1"_s, firstDay,
        {{u"MI_RAD"_s, 20},
         {u"MP_MESICNI"_s, 400},
         {u"MP_ROCNI"_s, 1500},
         {u"POSTOVNE"_s, 30},
         {u"PS_TYDEN"_s, 250},
         {u"CLEN_PRISP"_s, 500}});
    pay(u"2"_s, firstDay, {{u"MP_ROCNI"_s, 900}});

    money.computeDay(firstDay);

    EXPECT_EQ(listing(),
              QStringList({u"Členský příspěvek 500 1"_s, u"Poštovné 30 1"_s,
                           u"MP povolenka 900 1"_s, u"MP povolenka 1500 1"_s,
                           u"MP povolenka 400 1"_s, u"PS povolenka 250 1"_s, u"MI řád 20 1"_s}));
}

TEST_F(MoneyOverviewTest, APeriodEndingBeforeItStartsChangesNothing)
{
    pay(u"1"_s, firstDay, {{u"ZAPISNE"_s, 200}});
    money.computeDay(firstDay);

    EXPECT_EQ(money.compute(firstDay, firstDay.addDays(-1)), MoneyOverview::Outcome::WrongDates);

    EXPECT_EQ(dayTotals(), QStringList({u"2024-03-01 1 200 0 200"_s}));
    EXPECT_EQ(listing(), QStringList({u"Zápisné 200 1"_s}));
}

TEST_F(MoneyOverviewTest, EachComputationReplacesTheTablesWhole)
{
    pay(u"1"_s, firstDay, {{u"ZAPISNE"_s, 200}});
    pay(u"2"_s, firstDay.addDays(1), {{u"ZAPISNE"_s, 200}});
    money.compute(firstDay, firstDay.addDays(1));
    money.compute(firstDay, firstDay.addDays(1));
    EXPECT_EQ(listing(), QStringList({u"Zápisné 200 2"_s}));

    money.compute(firstDay.addDays(5), firstDay.addDays(6));
    EXPECT_TRUE(dayTotals().isEmpty());
    EXPECT_TRUE(listing().isEmpty());
}

TEST_F(MoneyOverviewTest, AFailedWriteLeavesBothTablesAsTheyWere)
{
    pay(u"1"_s, firstDay, {{u"ZAPISNE"_s, 200}});
    money.computeDay(firstDay);
    pay(u"2"_s, firstDay, {{u"SKOLENI"_s, 50}});
    db().execute(u"CREATE TEMP TRIGGER injected BEFORE INSERT ON main.VYCETKA "
                 "WHEN NEW.TYP_PLATBY = 'Školení' BEGIN SELECT RAISE(ABORT, 'injected'); END"_s);

    EXPECT_THROW(money.computeDay(firstDay), EngineError);

    EXPECT_EQ(dayTotals(), QStringList({u"2024-03-01 1 200 0 200"_s}));
    EXPECT_EQ(listing(), QStringList({u"Zápisné 200 1"_s}));
}

class NamedPaymentsTest : public MoneyOverviewTest {
protected:
    NamedPaymentsTest()
    {
        for (const auto& [number, surname] :
             {std::pair{u"1"_s, u"Šťastný"_s}, {u"2"_s, u"Adam"_s}, {u"3"_s, u"Čermák"_s}})
            db().run(u"INSERT INTO Clenove (CLEN_CISLO, PRIJMENI) VALUES (?, ?)"_s,
                     {number, surname});
        pay(u"1"_s, firstDay, {{u"ZAPISNE"_s, 200}});
        pay(u"2"_s, firstDay, {{u"ZAPISNE"_s, 100}, {u"BRIGADA"_s, 300}});
        pay(u"3"_s, firstDay.addDays(1), {{u"BRIGADA"_s, 300}});
    }

    QStringList named(MoneyOverview::Kind kind, const QString& amount, int days = 1)
    {
        MoneyOverview::openNamedPayments(query, firstDay, firstDay.addDays(days), kind, amount);
        return columnOf(query, u"PRIJMENI"_s);
    }

    Query query{db()};
};

TEST_F(NamedPaymentsTest, ListsThePeriodsPayersBySurnameOptionallyOfOneKindAndAmount)
{
    EXPECT_EQ(named(MoneyOverview::Kind::All, u""_s), listOf("Adam,Čermák,Šťastný"));
    EXPECT_EQ(named(MoneyOverview::Kind::All, u""_s, 0), listOf("Adam,Šťastný"));
    EXPECT_EQ(named(MoneyOverview::Kind::Entry, u""_s), listOf("Adam,Šťastný"));
    EXPECT_EQ(named(MoneyOverview::Kind::Entry, u"0"_s), listOf("Adam,Šťastný"));
    EXPECT_EQ(named(MoneyOverview::Kind::Entry, u"200"_s), listOf("Šťastný"));
    EXPECT_EQ(named(MoneyOverview::Kind::Brigade, u" 300 "_s), listOf("Adam,Čermák"));
    EXPECT_EQ(named(MoneyOverview::Kind::Training, u""_s), QStringList());
}

TEST_F(NamedPaymentsTest, AnAmountThatIsNoNumberIsRefusedAndNeverReachesTheQuery)
{
    for (const QString& typed : {u"1) or (1=1"_s, u"abc"_s, u"2,5"_s}) {
        try {
            named(MoneyOverview::Kind::Entry, typed);
            ADD_FAILURE() << typed.toStdString();
        } catch (const EngineError& error) {
            EXPECT_EQ(error.kind(), EngineError::Kind::Conversion);
        }
    }
}

} // namespace
