#include "EngineError.h"
#include "StartedChapter.h"
#include "TDataModule1.h"
#include "Table.h"
#include "TestDataDir.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
using MemberRules = StartedChapter;
} // namespace

TEST_F(MemberRules, FirstPaymentOfTheSummaryYearWithAMarkDecidesTheLabels)
{
    addMember(u"1"_s);
    addPayment(u"1"_s, {{u"ROK"_s, 2011}, {u"MP_ROCNI"_s, 900}, {u"MP_VRACENO"_s, u"ANO"_s}});
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"MP_ROCNI"_s, 900}});
    addPayment(u"1"_s, {{u"ROK"_s, 2012},
                        {u"MP_MESICNI"_s, 300},
                        {u"MP_VRACENO"_s, u"NE"_s},
                        {u"PS_VRACENO"_s, u"ANO"_s}});
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"MP_ROCNI"_s, 900}, {u"MP_VRACENO"_s, u"ANO"_s}});
    select(u"1"_s);
    EXPECT_TRUE(host.figures.mp.shown);
    EXPECT_EQ(host.figures.mp.permitKind, u"měsíc"_s);
    EXPECT_FALSE(host.figures.mp.returned);
    EXPECT_TRUE(host.figures.ps.shown);
    EXPECT_EQ(host.figures.ps.permitKind, u"čest"_s) << "no PS kind above 0 is an honorary permit";
    EXPECT_TRUE(host.figures.ps.returned);
    EXPECT_EQ(data().TablePovol().recordCount(), 4);
}

TEST_F(MemberRules, HonoraryPermitNoticeFollowsThePaymentRecord)
{
    addMember(u"1"_s);
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"MP_ROCNI"_s, 900}, {u"MP_VRACENO"_s, u"NE"_s}});
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"MP_RAD"_s, 30}, {u"MP_VRACENO"_s, u"ANO"_s}});
    addPayment(u"1"_s, {{u"ROK"_s, 2012}, {u"MP_RAD"_s, 30}});
    select(u"1"_s);
    Table& payments = data().TablePovol();
    payments.first();
    EXPECT_FALSE(host.honoraryShown);
    payments.next();
    EXPECT_TRUE(host.honoraryShown);
    payments.next();
    EXPECT_FALSE(host.honoraryShown) << "no mark: no permit of that kind at all";
}

TEST_F(MemberRules, BrigadeHoursOfTheEvaluatedYearAgainstTheCategory)
{
    addMember(u"1"_s, u"dospělý"_s); // 10 hours required
    addMember(u"2"_s, u"neznámá"_s); // no fee row: nothing required
    for (const auto& [date, hours] :
         {std::pair{QDate(2012, 3, 3), 4.5}, {QDate(2012, 5, 5), 5.5}, {QDate(2011, 12, 31), 8.0}})
        addRow(u"Brigady.DB"_s,
               {{u"CLEN_CISLO"_s, u"1"_s}, {u"DATUM"_s, date}, {u"HODIN"_s, hours}});

    select(u"1"_s);
    EXPECT_EQ(host.figures.hoursWorked, u"10"_s) << "hours of 2011 must not count";
    EXPECT_EQ(host.figures.hoursRequired, 10);
    EXPECT_TRUE(host.figures.brigadeDone);

    host.typedBrigadeYear = u"2011"_s;
    data().DataSourceClenoveDataChange();
    EXPECT_EQ(host.figures.hoursWorked, u"8"_s);
    EXPECT_FALSE(host.figures.brigadeDone);

    select(u"2"_s);
    EXPECT_EQ(host.figures.hoursRequired, 0);
    EXPECT_TRUE(host.figures.brigadeDone);

    host.typedBrigadeYear = u"20x1"_s;
    host.errors.clear();
    select(u"1"_s);
    EXPECT_EQ(host.errors.size(), 1) << "a year that is no number is reported";
    EXPECT_FALSE(host.figures.brigadeKnown);
}

TEST_F(MemberRules, RenumberingMovesPaymentsBrigadesAndAwards)
{
    addMember(u"105"_s);
    addMember(u"200"_s);
    for (int year : {2010, 2011, 2012})
        addPayment(u"105"_s, {{u"ROK"_s, year}});
    addPayment(u"200"_s, {{u"ROK"_s, 2012}});
    addRow(u"Brigady.DB"_s, {{u"CLEN_CISLO"_s, u"105"_s}, {u"DATUM"_s, QDate(2012, 1, 1)}});
    addRow(u"Vyznam.db"_s, {{u"CLEN_CISLO"_s, u"105"_s}, {u"DRUH_VYZNAMENANI"_s, u"Odznak"_s}});

    select(u"105"_s);
    members().edit();
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"106"_s);
    members().post();

    EXPECT_EQ(numbersIn(u"Povol.DB"_s), listOf("106,106,106,200"));
    EXPECT_EQ(numbersIn(u"Brigady.DB"_s), QStringList{u"106"_s});
    EXPECT_EQ(numbersIn(u"Vyznam.db"_s), QStringList{u"106"_s});
    EXPECT_EQ(data().TablePovol().recordCount(), 3) << "the payments follow the member";

    members().insert();
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"300"_s);
    members().post();
    EXPECT_EQ(numbersIn(u"Povol.DB"_s), listOf("106,106,106,200"))
        << "a new member renumbers nothing";
}

// The figures shown after a renumbering or after old brigades went are worked out as at any
// other time; when they cannot be (the brigade year typed is no number), that is shown, and the
// operation stands all the same.
TEST_F(MemberRules, OperationsStandWhenTheFiguresCannotBeWorkedOut)
{
    addMember(u"105"_s);
    addPayment(u"105"_s, {{u"ROK"_s, 2012}});
    addRow(u"Brigady.DB"_s, {{u"CLEN_CISLO"_s, u"105"_s}, {u"DATUM"_s, QDate(2012, 1, 1)}});
    select(u"105"_s);
    host.typedBrigadeYear = u"20x1"_s;
    host.errors.clear();

    members().edit();
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"106"_s);
    EXPECT_NO_THROW(members().post());
    EXPECT_FALSE(members().isEditing());
    EXPECT_EQ(numbersIn(u"Clenove.DB"_s), QStringList{u"106"_s});
    EXPECT_EQ(numbersIn(u"Povol.DB"_s), QStringList{u"106"_s});
    EXPECT_EQ(numbersIn(u"Brigady.DB"_s), QStringList{u"106"_s});
    EXPECT_FALSE(host.errors.isEmpty()) << "the year that is no number was not reported";

    host.errors.clear();
    int removed = 0;
    EXPECT_NO_THROW(removed = data().deleteOldBrigades(2012));
    EXPECT_EQ(removed, 1);
    EXPECT_TRUE(numbersIn(u"Brigady.DB"_s).isEmpty());
    EXPECT_FALSE(host.errors.isEmpty());
}

TEST_F(MemberRules, DeletingAMemberKeepsOrRemovesPaymentsWithoutReceipts)
{
    for (const char* number : {"1", "2"}) {
        addMember(QLatin1String(number));
        addPayment(QLatin1String(number), {{u"ROK"_s, 2012}});
        addPayment(QLatin1String(number), {{u"ROK"_s, 2011}});
        addRow(u"Brigady.DB"_s,
               {{u"CLEN_CISLO"_s, QLatin1String(number)}, {u"DATUM"_s, QDate(2012, 1, 1)}});
        addRow(u"Vyznam.db"_s, {{u"CLEN_CISLO"_s, QLatin1String(number)}});
    }
    select(u"1"_s);
    data().deleteMember(TDataModule1::Payments::KeepUnassigned); // the navigator's delete
    EXPECT_EQ(numbersIn(u"Povol.DB"_s), listOf("00000,00000,2,2"));

    select(u"2"_s);
    members().deleteRecord(); // any other delete of the member row
    EXPECT_EQ(numbersIn(u"Povol.DB"_s), listOf("00000,00000"));
    EXPECT_TRUE(numbersIn(u"Brigady.DB"_s).isEmpty());
    EXPECT_TRUE(numbersIn(u"Vyznam.db"_s).isEmpty());
    EXPECT_EQ(host.stornoReceipts, 0) << "the cascade prints no cancellation receipts";
    EXPECT_EQ(host.memberCount, 0);

    Table& payments = data().TablePovol();
    payments.setFilter(u"CLEN_CISLO='00000'"_s);
    payments.first();
    payments.deleteRecord();
    EXPECT_EQ(host.stornoReceipts, 1) << "deleting a stored payment prints its receipt";
}

TEST_F(MemberRules, TakenNumberIsReportedPlainlyAndTheRecordStaysInEdit)
{
    addMember(u"1"_s);
    addMember(u"2"_s);
    select(u"2"_s);
    members().edit();
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"1"_s);
    try {
        members().post();
        FAIL() << "a taken number was saved";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.message(), u"Členské číslo již použito"_s);
    }
    EXPECT_TRUE(members().isEditing());
    EXPECT_TRUE(host.memberEditable);
    EXPECT_EQ(numbersIn(u"Clenove.DB"_s), listOf("1,2"));
}
