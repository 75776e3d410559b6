#include "RegisterCorrections.h"
#include "EngineError.h"
#include "IssueCounts.h"
#include "StartedChapter.h"
#include "TDataModule1.h"
#include "Table.h"
#include "TestDataDir.h"

#include <QDate>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using PassedOver = RegisterCorrections::PassedOver;

class RegisterCorrectionsTest : public StartedChapter {
protected:
    // The field of the member as the cursors read it.
    QString valueOf(const QString& number, const QString& field)
    {
        Table t(db(), u"Clenove.DB"_s);
        t.open();
        EXPECT_TRUE(t.locate(u"CLEN_CISLO"_s, number, false)) << number.toStdString();
        return t.fieldByName(field).asString();
    }
    bool isWoman(const QString& number)
    {
        Table t(db(), u"Clenove.DB"_s);
        t.open();
        EXPECT_TRUE(t.locate(u"CLEN_CISLO"_s, number, false)) << number.toStdString();
        return t.fieldByName(u"ZENA"_s).asBoolean();
    }
    QStringList paymentColumn(const QString& field)
    {
        Table t(db(), u"Povol.DB"_s);
        t.open();
        return columnOf(t, field);
    }
    void addMembersWith(const QString& field, const QStringList& values)
    {
        for (int i = 0; i < values.size(); ++i)
            addMember(QString::number(i + 1), u"dospělý"_s, {{field, values[i]}});
    }
};

TEST_F(RegisterCorrectionsTest, PostcodesGetTheBlankAfterTheThirdDigitOnce)
{
    addMembersWith(u"PSC"_s, {u"43801"_s, u"438 01"_s, u"438"_s, u"4380"_s, u"43801X"_s});
    RegisterCorrections corrections(db());
    EXPECT_EQ(corrections.formatPostcodes(), 2);
    EXPECT_EQ(valueOf(u"1"_s, u"PSC"_s), u"438 01"_s);
    EXPECT_EQ(valueOf(u"2"_s, u"PSC"_s), u"438 01"_s);
    EXPECT_EQ(valueOf(u"3"_s, u"PSC"_s), u"438"_s);
    EXPECT_EQ(valueOf(u"4"_s, u"PSC"_s), u"438 0"_s);
    EXPECT_EQ(valueOf(u"5"_s, u"PSC"_s), u"43801X"_s) << "seven characters do not fit";
    EXPECT_EQ(corrections.passedOver(), PassedOver({{u"5"_s, u"43801X"_s}}));
    EXPECT_EQ(RegisterCorrections(db()).formatPostcodes(), 0) << "a second press changes nothing";
}

TEST_F(RegisterCorrectionsTest, BirthNumbersDottedAndWomenMarkedButNeverUnmarked)
{
    addMembersWith(u"RODNE_CISLO"_s,
                   {u"6107031234"_s, u"615703/1234"_s, u"61-07-03/1234"_s, u"04.77.03/1234"_s,
                    u"04.27.03/1234"_s, u"61.13.03/1234"_s, u"12345"_s, u"61.07.03/1234"_s});
    addMember(u"9"_s, u"dospělý"_s, {{u"RODNE_CISLO"_s, u"610703/1234"_s}, {u"ZENA"_s, true}});
    RegisterCorrections corrections(db());
    EXPECT_EQ(corrections.formatBirthNumbers(), 5);
    const QStringList expected{u"61.07.03/1234"_s, u"61.57.03/1234"_s, u"61.07.03/1234"_s,
                               u"04.77.03/1234"_s, u"04.27.03/1234"_s, u"61.13.03/1234"_s,
                               u"12345"_s,         u"61.07.03/1234"_s, u"61.07.03/1234"_s};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(valueOf(QString::number(i + 1), u"RODNE_CISLO"_s), expected[i]) << i + 1;
    EXPECT_FALSE(isWoman(u"1"_s));
    EXPECT_TRUE(isWoman(u"2"_s)) << "month raised by 50";
    EXPECT_TRUE(isWoman(u"4"_s)) << "month raised by 70";
    EXPECT_FALSE(isWoman(u"5"_s)) << "month raised by 20 is a man";
    EXPECT_TRUE(isWoman(u"9"_s)) << "a man's number never unmarks a woman";
    EXPECT_EQ(corrections.passedOver(), PassedOver({{u"6"_s, u"61.13.03/1234"_s}}))
        << "a number too short to be one is left alone without a word";
    EXPECT_EQ(RegisterCorrections(db()).formatBirthNumbers(), 0);
}

TEST_F(RegisterCorrectionsTest, BirthDatesFilledWhereMissingAndTheRestDoneAfterABadNumber)
{
    addMembersWith(u"RODNE_CISLO"_s, {u"61.57.03/1234"_s, u"61.52.30/1234"_s, u"05.07.03/1234"_s,
                                      u"05.07.03/123"_s, u"6107031234"_s});
    addMember(u"6"_s, u"dospělý"_s,
              {{u"RODNE_CISLO"_s, u"61.07.03/1234"_s}, {u"DATUM_NAROZENI"_s, QDate(1960, 1, 1)}});
    addMember(u"7"_s);
    RegisterCorrections corrections(db());
    EXPECT_EQ(corrections.fillBirthDates(), 4);
    EXPECT_EQ(valueOf(u"1"_s, u"DATUM_NAROZENI"_s), u"3.7.1961"_s);
    EXPECT_EQ(valueOf(u"2"_s, u"DATUM_NAROZENI"_s), QString());
    EXPECT_EQ(valueOf(u"3"_s, u"DATUM_NAROZENI"_s), u"3.7.2005"_s);
    EXPECT_EQ(valueOf(u"4"_s, u"DATUM_NAROZENI"_s), u"3.7.1905"_s);
    EXPECT_EQ(valueOf(u"5"_s, u"DATUM_NAROZENI"_s), u"3.7.1961"_s) << "an undotted number too";
    EXPECT_EQ(valueOf(u"6"_s, u"DATUM_NAROZENI"_s), u"1.1.1960"_s) << "a known date stays";
    EXPECT_EQ(corrections.passedOver(), PassedOver({{u"2"_s, u"61.52.30/1234"_s}}));
}

TEST_F(RegisterCorrectionsTest, OldPaymentsOfAllMembersGoWithoutCancellationReceipts)
{
    addMember(u"1"_s);
    addMember(u"2"_s);
    for (const QString& number : {u"1"_s, u"2"_s, u"00000"_s})
        for (const int year : {2010, 2011, 2012})
            addPayment(number, {{u"ROK"_s, year}, {u"CLEN_PRISP"_s, 800}});
    select(u"1"_s);
    ASSERT_EQ(data().TablePovol().recordCount(), 3);
    int removed = 0;
    data().runBulkChange([&] { removed = RegisterCorrections(db()).deletePaymentsUpTo(2011); });
    EXPECT_EQ(removed, 6);
    EXPECT_EQ(paymentColumn(u"ROK"_s), QStringList(3, u"2012"_s));
    EXPECT_EQ(host.stornoReceipts, 0);
    EXPECT_EQ(data().TablePovol().recordCount(), 1) << "the member's payments shown anew";
}

TEST_F(RegisterCorrectionsTest, ReturnsOwedWhereAPermitWasIssuedWithoutAMark)
{
    addMember(u"1"_s);
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"MP_ROCNI"_s, 900}});
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"MP_TYDEN"_s, 200}, {u"MP_VRACENO"_s, u"ANO"_s}});
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"MP_RAD"_s, 50}, {u"PS_RAD"_s, 50}});
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"PS_MISTNI"_s, 300}, {u"MI_ROCNI"_s, 500}});
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"MI_ROCNI"_s, 500}, {u"MP_ROCNI"_s, 0}});
    EXPECT_EQ(RegisterCorrections(db()).markOwedReturns(), 2);
    EXPECT_EQ(paymentColumn(u"MP_VRACENO"_s),
              QStringList({u"NE"_s, u"ANO"_s, QString(), QString(), QString()}));
    EXPECT_EQ(paymentColumn(u"PS_VRACENO"_s),
              QStringList({QString(), QString(), QString(), u"NE"_s, QString()}));
}

TEST_F(RegisterCorrectionsTest, PaidYearRaisedToTheLatestFeeNeverLowered)
{
    addMember(u"1"_s, u"dospělý"_s, {{u"LAST_CLENSTVI"_s, 2011}});
    addMember(u"2"_s, u"dospělý"_s, {{u"LAST_CLENSTVI"_s, 2012}});
    addMember(u"3"_s);
    addMember(u"4"_s, u"dospělý"_s, {{u"LAST_CLENSTVI"_s, 2008}});
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"CLEN_PRISP"_s, 800}});
    addPayment(u"1"_s, {{u"ROK"_s, 2010}, {u"CLEN_PRISP"_s, 800}});
    addPayment(u"2"_s, {{u"ROK"_s, 2010}, {u"CLEN_PRISP"_s, 800}});
    addPayment(u"3"_s, {{u"ROK"_s, 2009}, {u"CLEN_PRISP"_s, 800}});
    addPayment(u"3"_s, {{u"ROK"_s, 2011}, {u"MP_ROCNI"_s, 900}});
    addPayment(u"00000"_s, {{u"ROK"_s, 2012}, {u"CLEN_PRISP"_s, 800}});
    addPayment(u"77"_s, {{u"ROK"_s, 2012}});
    addPayment(u"00000"_s, {{u"ROK"_s, 2011}, {u"CLEN_PRISP"_s, 800}});
    RegisterCorrections corrections(db());
    EXPECT_EQ(corrections.recordPaidMemberships(), 2);
    EXPECT_EQ(valueOf(u"1"_s, u"LAST_CLENSTVI"_s), u"2012"_s);
    EXPECT_EQ(valueOf(u"2"_s, u"LAST_CLENSTVI"_s), u"2012"_s);
    EXPECT_EQ(valueOf(u"3"_s, u"LAST_CLENSTVI"_s), u"2009"_s) << "a payment without the fee";
    EXPECT_EQ(valueOf(u"4"_s, u"LAST_CLENSTVI"_s), u"2008"_s);
    EXPECT_EQ(corrections.passedOver(), PassedOver({{u"00000"_s, QString()}, {u"77"_s, QString()}}))
        << "each unknown number once, in the order of the payments";
}

TEST_F(RegisterCorrectionsTest, ProgressRunsOverTheMembersWalkedToTheEnd)
{
    {
        Database::Transaction tx(db());
        Table t(db(), u"Clenove.DB"_s);
        t.open();
        for (int i = 0; i < 1200; ++i)
            appendRow(t, member(u"A%1"_s.arg(i), u"Člen"_s, {{u"PSC"_s, u"43801"_s}}));
        tx.commit();
    }
    QList<QPair<int, int>> told;
    RegisterCorrections corrections(db(), [&](int done, int total) { told.append({done, total}); });
    EXPECT_EQ(corrections.formatPostcodes(), 1200);
    ASSERT_GE(told.size(), 3);
    EXPECT_EQ(told.first(), qMakePair(0, 1200));
    EXPECT_EQ(told.last(), qMakePair(1200, 1200));
}

TEST_F(RegisterCorrectionsTest, PendingEditSavedFirstAndTheCursorShowsTheCorrection)
{
    addMember(u"1"_s, u"dospělý"_s, {{u"PSC"_s, u"43801"_s}});
    select(u"1"_s);
    members().edit();
    members().fieldByName(u"JMENO"_s).setAsString(u"Jan"_s);
    data().runBulkChange([&] { RegisterCorrections(db()).formatPostcodes(); });
    EXPECT_FALSE(members().isEditing());
    EXPECT_EQ(members().fieldByName(u"PSC"_s).asString(), u"438 01"_s);
    EXPECT_EQ(valueOf(u"1"_s, u"JMENO"_s), u"Jan"_s);
}

// ---- the counts of the "Info" tab --------------------------------------------------------

class IssueCountsTest : public StartedChapter {
protected:
    void SetUp() override
    {
        StartedChapter::SetUp();
        addMember(u"1"_s);
        const auto pay = [this](QVariantMap values) {
            values[u"ROK"_s] = 2012;
            addPayment(u"1"_s, values);
        };
        pay({{u"ZAPISNE"_s, 100},
             {u"CLEN_PRISP"_s, 800},
             {u"MP_ROCNI"_s, 900},
             {u"MP_RAD"_s, 50},
             {u"MP_VRACENO"_s, u"ANO"_s}});
        pay({{u"CLEN_PRISP"_s, 800},
             {u"MP_MESICNI"_s, 300},
             {u"MP_14_DNU"_s, 0},
             {u"MP_VRACENO"_s, u"NE"_s},
             {u"PS_ROCNI"_s, 1200},
             {u"PS_VRACENO"_s, u"ANO"_s}});
        // Honorary MP; the PS mark goes with a local permit, so it is no honorary PS permit.
        pay({{u"MP_VRACENO"_s, u"NE"_s}, {u"PS_VRACENO"_s, u"NE"_s}, {u"MI_ROCNI"_s, 500}});
        pay({{u"PS_VRACENO"_s, u"ANO"_s}});
        pay({{u"MI_MISTNI"_s, 100}});
        addPayment(u"1"_s, {{u"ROK"_s, 2011}, {u"ZAPISNE"_s, 100}, {u"MP_ROCNI"_s, 900}});
    }
    // Every stored figure other than zero, as the "Info" tab's cursor reads it.
    QVariantMap figuresAfterCounting(int year)
    {
        data().runBulkChange([&] { IssueCounts(db()).count(year); });
        Table& counts = data().TableNumPovol();
        EXPECT_EQ(counts.recordCount(), 1);
        QVariantMap figures;
        for (const QString& name : counts.fieldNames())
            if (name != u"ZAZNAMU"_s && counts.fieldByName(name).asInteger() != 0)
                figures.insert(name, counts.fieldByName(name).asInteger());
        return figures;
    }
};

TEST_F(IssueCountsTest, EachItemHonoraryPermitsTotalsAndReturnsOfTheYear)
{
    const QVariantMap expected{
        {u"ROK"_s, 2012},     {u"ZAPISNE"_s, 1},   {u"CLEN_PRISP"_s, 2}, {u"MP_ROCNI"_s, 1},
        {u"MP_MESICNI"_s, 1}, {u"MP_RAD"_s, 1},    {u"PS_ROCNI"_s, 1},   {u"MI_ROCNI"_s, 1},
        {u"MI_MISTNI"_s, 1},  {u"MP_CESTNA"_s, 1}, {u"PS_CESTNA"_s, 1},  {u"MP_CELKEM"_s, 3},
        {u"PS_CELKEM"_s, 2},  {u"MI_CELKEM"_s, 2}, {u"MP_VRACENO"_s, 1}, {u"PS_VRACENO"_s, 2}};
    EXPECT_EQ(figuresAfterCounting(2012), expected);
}

TEST_F(IssueCountsTest, AnotherYearReplacesEveryFigure)
{
    figuresAfterCounting(2012);
    const QVariantMap expected{
        {u"ROK"_s, 2011}, {u"ZAPISNE"_s, 1}, {u"MP_ROCNI"_s, 1}, {u"MP_CELKEM"_s, 1}};
    EXPECT_EQ(figuresAfterCounting(2011), expected);
}

// ---- one transaction: a failure on a row in the middle leaves everything as it was ----------

struct FailingCorrection {
    const char* name;
    std::function<void(Database&)> run;
    const char* trap; // a temporary trigger refusing one row in the middle
};

void PrintTo(const FailingCorrection& c, std::ostream* os)
{
    *os << c.name;
}

class FailedCorrection : public StartedChapter,
                         public ::testing::WithParamInterface<FailingCorrection> {
protected:
    void SetUp() override
    {
        StartedChapter::SetUp();
        for (int i = 1; i <= 5; ++i) {
            const QString n = QString::number(i);
            addMember(n, u"dospělý"_s,
                      {{u"PSC"_s, u"4380"_s + n},
                       {u"RODNE_CISLO"_s, u"61570%1/1234"_s.arg(n)},
                       {u"LAST_CLENSTVI"_s, 2010}});
            addPayment(n, {{u"ROK"_s, 2009 + i},
                           {u"CLEN_PRISP"_s, 800},
                           {u"MP_ROCNI"_s, 900},
                           {u"PS_ROCNI"_s, i == 3 ? 1200 : 0}});
        }
    }
};

TEST_P(FailedCorrection, LeavesTheDataAsTheyWereAndSaysSo)
{
    const QString before = dump();
    db().execute(
        u"CREATE TEMP TRIGGER injected %1 BEGIN SELECT RAISE(ABORT, 'injected'); END"_s.arg(
            QLatin1String(GetParam().trap)));
    try {
        data().runBulkChange([&] { GetParam().run(db()); });
        ADD_FAILURE() << "the correction did not fail";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains(u"data zůstala beze změny"_s))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"odporuje pravidlu tabulky"_s))
            << e.message().toStdString();
    }
    db().execute(u"DROP TRIGGER temp.injected"_s);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(members().fieldByName(u"LAST_CLENSTVI"_s).asInteger(), 2010);
}

INSTANTIATE_TEST_SUITE_P(
    Corrections, FailedCorrection,
    ::testing::Values(
        FailingCorrection{"Postcodes",
                          [](Database& db) { RegisterCorrections(db).formatPostcodes(); },
                          "BEFORE UPDATE ON main.Clenove WHEN old.CLEN_CISLO = '3'"},
        FailingCorrection{"BirthNumbers",
                          [](Database& db) { RegisterCorrections(db).formatBirthNumbers(); },
                          "BEFORE UPDATE OF ZENA ON main.Clenove WHEN old.CLEN_CISLO = '3'"},
        FailingCorrection{"BirthDates",
                          [](Database& db) { RegisterCorrections(db).fillBirthDates(); },
                          "BEFORE UPDATE ON main.Clenove WHEN old.CLEN_CISLO = '3'"},
        FailingCorrection{"OldPayments",
                          [](Database& db) { RegisterCorrections(db).deletePaymentsUpTo(2013); },
                          "BEFORE DELETE ON main.Povol WHEN old.ROK = 2012"},
        FailingCorrection{"OwedReturns",
                          [](Database& db) { RegisterCorrections(db).markOwedReturns(); },
                          "BEFORE UPDATE OF PS_VRACENO ON main.Povol"},
        FailingCorrection{"PaidMemberships",
                          [](Database& db) { RegisterCorrections(db).recordPaidMemberships(); },
                          "BEFORE UPDATE ON main.Clenove WHEN old.CLEN_CISLO = '3'"},
        FailingCorrection{"IssueCounts", [](Database& db) { IssueCounts(db).count(2012); },
                          "BEFORE UPDATE ON main.NumPovol"}),
    [](const ::testing::TestParamInfo<FailingCorrection>& info) {
        return std::string(info.param.name);
    });

} // namespace
