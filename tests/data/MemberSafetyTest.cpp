#include "DataModel.h"
#include "EngineError.h"
#include "Query.h"
#include "StartedChapter.h"
#include "Table.h"
#include "TestDataDir.h"

#include <QDate>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QStringList sorted(QStringList list)
{
    std::sort(list.begin(), list.end());
    return list;
}

// A chapter whose members may carry numbers kept from older data, which the program would
// not let anybody type today.
class MemberSafety : public StartedChapter {
protected:
    void storeMember(const QString& number, const QVariantMap& more = {})
    {
        addMember(u"1"_s);
        Database& d = db();
        d.run(u"UPDATE Clenove SET CLEN_CISLO = ? WHERE CLEN_CISLO = '1'"_s, {number});
        d.touch(u"Clenove"_s);
        for (auto it = more.begin(); it != more.end(); ++it)
            d.run(u"UPDATE Clenove SET %1 = ? WHERE CLEN_CISLO = ?"_s.arg(it.key()),
                  {it.value(), number});
        members().refresh();
    }
    void storeRecords(const QString& number)
    {
        addPayment(number, {{u"ROK"_s, 2012}, {u"MP_ROCNI"_s, 900}});
        addRow(u"Brigady.DB"_s,
               {{u"CLEN_CISLO"_s, number}, {u"DATUM"_s, QDate(2012, 4, 1)}, {u"HODIN"_s, 2.0}});
        addRow(u"Vyznam.db"_s, {{u"CLEN_CISLO"_s, number}, {u"DRUH_VYZNAMENANI"_s, u"Odznak"_s}});
    }
    void expectRefused(const QString& message)
    {
        try {
            members().post();
            FAIL() << "saved";
        } catch (const EngineError& e) {
            EXPECT_EQ(e.message(), message);
        }
        EXPECT_TRUE(members().isEditing()) << "the record stays in edit to be corrected";
    }
};

struct OddNumber {
    const char* name;
    const char* number;
    const char* neighbours; // numbers a pattern made of the odd one would also match
};

const OddNumber oddNumbers[] = {
    {"trailing_star", "12*", "12,120,121"}, {"lone_star", "*", "1,2"},
    {"percent", "1%", "1,10,1a"},           {"underscore", "1_", "12,1a"},
    {"apostrophe", "O'1", "O,O1"},          {"blanks", "1 2", "1,12,2"},
};

class OddMemberNumbers : public MemberSafety, public ::testing::WithParamInterface<OddNumber> {
protected:
    void SetUp() override
    {
        MemberSafety::SetUp();
        odd = QString::fromUtf8(GetParam().number);
        neighbours = listOf(GetParam().neighbours);
        storeMember(odd);
        storeRecords(odd);
        for (const QString& n : std::as_const(neighbours)) {
            addMember(n);
            storeRecords(n);
        }
    }

    QString odd;
    QStringList neighbours;
};

} // namespace

// Renumbering, and the member rule's view of the records, touch the odd number's records and
// no other member's.
TEST_P(OddMemberNumbers, RecordsAreTiedToTheWholeNumber)
{
    select(odd);
    EXPECT_EQ(columnOf(data().TablePovol(), u"CLEN_CISLO"_s), QStringList{odd});
    EXPECT_EQ(columnOf(data().TableBrigady(), u"CLEN_CISLO"_s), QStringList{odd});
    EXPECT_EQ(columnOf(data().TableVyznam(), u"CLEN_CISLO"_s), QStringList{odd});

    members().edit();
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"900"_s);
    members().post();
    const QStringList expected = sorted(neighbours + QStringList{u"900"_s});
    for (const char* table : {"Povol.DB", "Brigady.DB", "Vyznam.db"})
        EXPECT_EQ(sorted(numbersIn(QLatin1String(table))), expected) << table;
}

TEST_P(OddMemberNumbers, DeletingTakesOnlyThatMembersRecords)
{
    select(odd);
    data().deleteMember(TDataModule1::Payments::KeepUnassigned);
    EXPECT_EQ(sorted(numbersIn(u"Povol.DB"_s)), sorted(neighbours + QStringList{u"00000"_s}));
    EXPECT_EQ(sorted(numbersIn(u"Brigady.DB"_s)), sorted(neighbours));
    EXPECT_EQ(sorted(numbersIn(u"Vyznam.db"_s)), sorted(neighbours));
    EXPECT_EQ(sorted(numbersIn(u"Clenove.DB"_s)), sorted(neighbours));

    select(neighbours.first());
    data().deleteMember(TDataModule1::Payments::Delete);
    EXPECT_EQ(numbersIn(u"Povol.DB"_s).count(u"00000"_s), 1) << "kept payments stay kept";
    EXPECT_EQ(numbersIn(u"Povol.DB"_s).size(), neighbours.size());
}

INSTANTIATE_TEST_SUITE_P(Kept, OddMemberNumbers, ::testing::ValuesIn(oddNumbers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MemberSafety, TypedNumbersAreLettersAndDigitsAndKeptOnesStay)
{
    addMember(u"1"_s);
    select(u"1"_s);
    for (const QString& bad : {u"12*"_s, u"1 2"_s, u"ř12"_s, u"1-2"_s}) {
        members().edit();
        members().fieldByName(u"CLEN_CISLO"_s).setAsString(bad);
        expectRefused(u"Členské číslo „%1“ smí obsahovat jen písmena bez diakritiky a číslice, "
                      "například 123, A12 nebo 12A."_s.arg(bad));
        members().cancel();
    }
    for (const QString& good : {u"A12"_s, u"12A"_s}) {
        members().edit();
        members().fieldByName(u"CLEN_CISLO"_s).setAsString(good);
        members().post();
    }
    EXPECT_EQ(numbersIn(u"Clenove.DB"_s), QStringList{u"12A"_s});

    storeMember(u"7*"_s);
    select(u"7*"_s);
    members().edit();
    members().fieldByName(u"PRIJMENI"_s).setAsString(u"Beneš"_s);
    members().post();
    EXPECT_TRUE(numbersIn(u"Clenove.DB"_s).contains(u"7*"_s)) << "a kept number is not retyped";
}

// SQLite lets a key that is no primary key hold several blanks: the engine must not.
TEST_F(MemberSafety, BlankKeysAreRefusedAndTheSchemaSaysSo)
{
    members().insert();
    members().fieldByName(u"PRIJMENI"_s).setAsString(u"Jen příjmení"_s);
    expectRefused(u"Vyplňte členské číslo."_s);
    EXPECT_TRUE(numbersIn(u"Clenove.DB"_s).isEmpty());
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"7"_s);
    members().post();
    EXPECT_EQ(numbersIn(u"Clenove.DB"_s), QStringList{u"7"_s});

    Table brigades(db(), u"Brigady.DB"_s);
    brigades.open();
    brigades.append();
    brigades.fieldByName(u"HODIN"_s).setAsFloat(2);
    EXPECT_THROW(brigades.post(), EngineError);
    brigades.cancel();

    for (const char* table : {"Clenove", "Vyrazeni", "Povol", "Brigady", "Vyznam"})
        EXPECT_TRUE(db().tableDef(QLatin1String(table)).isRequired(u"CLEN_CISLO"_s)) << table;
    try {
        db().run(u"INSERT INTO Povol (ROK) VALUES (2012)"_s, {});
        FAIL() << "the schema took a payment without its member";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.kind(), EngineError::Kind::Required);
    }
    EXPECT_EQ(db().layoutVersion(), DataModel::layoutVersion);
}

// Older data may hold rows with a blank key; the start reports them and goes on, and makes
// the keys of the other tables required in the stored layout.
TEST_F(MemberSafety, StartUpReportsBlankKeysOfOlderDataInsteadOfFailing)
{
    m_data.reset();
    for (const char* name : {"Povol", "Brigady"}) {
        TableDef old = DataModel::table(QLatin1String(name));
        old.requiredFields.clear();
        db().dropTable(old.name);
        db().createTable(old);
    }
    db().run(
        u"INSERT INTO Povol (CLEN_CISLO, ROK) VALUES (NULL, 2011), ('  ', 2012), ('5', 2012)"_s,
        {});
    db().setLayoutVersion(0);
    host.errors.clear();
    m_data = std::make_unique<TDataModule1>(db(), host);
    m_data->DataModuleCreate();
    ASSERT_EQ(host.errors.size(), 1);
    EXPECT_TRUE(host.errors[0].contains(u"Povol, pole CLEN_CISLO: 2"_s))
        << host.errors[0].toStdString();
    EXPECT_FALSE(db().tableDef(u"Povol"_s).isRequired(u"CLEN_CISLO"_s));
    EXPECT_TRUE(db().tableDef(u"Brigady"_s).isRequired(u"CLEN_CISLO"_s));
    EXPECT_EQ(db().rowCount(u"Povol"_s), 3) << "nothing of the older data is dropped";
    EXPECT_TRUE(members().notificationsEnabled()) << "the start went on to the end";
}

// 3,3 + 5,6 + 1,1 is 9.999999999999998 in doubles: the duty of 10 hours must count as met,
// or the cash desk charges the brigade fee to a member who did the hours.
TEST_F(MemberSafety, BrigadeHoursAddUpExactly)
{
    addMember(u"1"_s); // 10 hours required
    for (const double hours : {3.3, 5.6, 1.1})
        addRow(u"Brigady.DB"_s,
               {{u"CLEN_CISLO"_s, u"1"_s}, {u"DATUM"_s, QDate(2012, 6, 1)}, {u"HODIN"_s, hours}});
    addMember(u"2"_s);
    addRow(u"Brigady.DB"_s,
           {{u"CLEN_CISLO"_s, u"2"_s}, {u"DATUM"_s, QDate(2012, 6, 1)}, {u"HODIN"_s, 2.5}});
    select(u"1"_s);
    EXPECT_EQ(host.figures.hoursWorked, u"10"_s);
    EXPECT_TRUE(host.figures.brigadeDone);
    select(u"2"_s);
    EXPECT_EQ(host.figures.hoursWorked, u"2,5"_s);
    EXPECT_FALSE(host.figures.brigadeDone);
}

// With a display filter on, the saved member may leave the filtered view; its records must
// follow the new number all the same.
TEST_F(MemberSafety, RenumberingUnderAFilterMovesTheRecords)
{
    addMember(u"5"_s, u"dospělý"_s, {{u"LAST_CLENSTVI"_s, 2010}});
    addMember(u"8"_s, u"dospělý"_s, {{u"LAST_CLENSTVI"_s, 2010}});
    storeRecords(u"5"_s);
    addPayment(u"5"_s, {{u"ROK"_s, 2011}});
    members().setFilter(u"LAST_CLENSTVI<2012"_s);
    members().setFiltered(true);
    select(u"5"_s);
    members().edit();
    members().fieldByName(u"CLEN_CISLO"_s).setAsString(u"6"_s);
    members().fieldByName(u"LAST_CLENSTVI"_s).setAsInteger(2012);
    members().post();
    EXPECT_EQ(numbersIn(u"Povol.DB"_s), listOf("6,6"));
    EXPECT_EQ(numbersIn(u"Brigady.DB"_s), listOf("6"));
    EXPECT_EQ(numbersIn(u"Vyznam.db"_s), listOf("6"));
}

TEST_F(MemberSafety, DeleteTakesTheRowItWasAskedForWhateverTheEventDoes)
{
    for (const char* action : {"a", "b", "c"})
        addRow(u"Brigady.DB"_s, {{u"CLEN_CISLO"_s, u"1"_s}, {u"AKCE"_s, QLatin1String(action)}});
    Table brigades(db(), u"Brigady.DB"_s);
    brigades.open();
    brigades.first();
    brigades.next(); // on "b"
    // As a preview shown before a delete may let the cursor wander.
    brigades.beforeDelete = [](Table& t) {
        t.last();
    };
    brigades.deleteRecord();
    EXPECT_EQ(columnOf(brigades, u"AKCE"_s), listOf("a,c"));
}

TEST_F(MemberSafety, LocateIgnoringCaseFoldsCzechLettersOnTablesAndQueries)
{
    for (const auto& [number, surname] :
         {std::pair{"1", "Čermák"}, {"2", "Řehoř"}, {"3", "Šťastný"}, {"4", "Cermak"}}) {
        addMember(QLatin1String(number));
        select(QLatin1String(number));
        members().edit();
        members().fieldByName(u"PRIJMENI"_s).setAsString(QString::fromUtf8(surname));
        members().post();
    }
    Query query(db());
    query.setSql({u"select * from CLENOVE"_s, u" "_s, u" order by CLEN_CISLO"_s});
    query.open();
    for (DataSet* cursor : {static_cast<DataSet*>(&members()), static_cast<DataSet*>(&query)}) {
        for (const auto& [typed, number] : {std::pair{"čermák", "1"},
                                            {"ČERMÁK", "1"},
                                            {"řEHOŘ", "2"},
                                            {"ŠŤASTNÝ", "3"},
                                            {"CERMAK", "4"}}) {
            ASSERT_TRUE(cursor->locate(u"PRIJMENI"_s, QString::fromUtf8(typed))) << typed;
            EXPECT_EQ(cursor->fieldByName(u"CLEN_CISLO"_s).asString(), QLatin1String(number))
                << typed;
        }
        EXPECT_FALSE(cursor->locate(u"PRIJMENI"_s, u"Rehor"_s)) << "accents still count";
    }
}

TEST_F(MemberSafety, AnIssueNeedsItsMemberAndYearAndNeverLowersThePaidYear)
{
    addMember(u"1"_s, u"dospělý"_s, {{u"LAST_CLENSTVI"_s, 2014}});
    addMember(u"2"_s, u"dospělý"_s, {{u"LAST_CLENSTVI"_s, 2010}});
    Table& payment = data().TablePovol();
    const auto issue = [&](const QString& number, const QVariant& year) {
        select(number);
        payment.insert();
        payment.fieldByName(u"CLEN_CISLO"_s).setAsString(number);
        payment.fieldByName(u"ROK"_s).setValue(year);
        payment.fieldByName(u"CLEN_PRISP"_s).setAsInteger(100);
        data().recordIssue(true);
    };
    EXPECT_THROW(issue(u"2"_s, QVariant()), EngineError);
    EXPECT_TRUE(payment.isEditing());
    payment.cancel();
    EXPECT_TRUE(numbersIn(u"Povol.DB"_s).isEmpty());
    select(u"2"_s);
    EXPECT_EQ(members().fieldByName(u"LAST_CLENSTVI"_s).asInteger(), 2010) << "never blanked";

    issue(u"1"_s, 2012);
    EXPECT_EQ(members().fieldByName(u"LAST_CLENSTVI"_s).asInteger(), 2014) << "never lowered";
    issue(u"2"_s, 2012);
    EXPECT_EQ(members().fieldByName(u"LAST_CLENSTVI"_s).asInteger(), 2012);
    EXPECT_EQ(numbersIn(u"Povol.DB"_s), listOf("1,2"));
}

TEST_F(MemberSafety, SavedSettingsGiveEveryFeeRowTheWorkingYear)
{
    Table& fees = data().TablePovolSet();
    fees.open();
    fees.first();
    fees.edit();
    fees.fieldByName(u"ZAPISNE"_s).setAsInteger(321); // still being typed in the other tab
    Table& setup = data().TableSetup();
    setup.first();
    setup.edit();
    setup.fieldByName(u"PRACOVNI_ROK"_s).setAsInteger(2031);
    setup.post();
    Table check(db(), u"PovolSet.DB"_s);
    check.open();
    EXPECT_EQ(columnOf(check, u"ROK"_s).count(u"2031"_s), check.recordCount());
    EXPECT_TRUE(columnOf(check, u"ZAPISNE"_s).contains(u"321"_s)) << "the pending edit is kept";
}

TEST_F(MemberSafety, AFieldMissingFromTheDataIsToldOnceAtStart)
{
    m_data.reset();
    db().execute(u"ALTER TABLE Clenove DROP COLUMN POZOR"_s);
    m_db.reset(); // reopened as another program left it
    m_db = std::make_unique<Database>(m_dir.filePath(u"data"_s));
    host.errors.clear();
    m_data = std::make_unique<TDataModule1>(db(), host);
    m_data->DataModuleCreate();
    ASSERT_FALSE(host.errors.isEmpty());
    EXPECT_TRUE(host.errors.first().contains(u"Clenove.POZOR"_s))
        << host.errors.first().toStdString();
    EXPECT_EQ(host.errors.filter(u"Clenove.POZOR"_s).size(), 1);
}
