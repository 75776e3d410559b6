#include "TestDataDir.h"

#include "EngineError.h"
#include "LocalSql.h"
#include "Query.h"
#include "Table.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

// A small chapter whose rows tell a right translation from a wrong one: surnames whose
// Czech order differs from the byte order, dates whose d.M.yyyy text sorts differently
// from the dates, blank values next to filled ones, brigade work in other years.
class Chapter : public ::testing::Test {
protected:
    Chapter()
        : dir({u"Clenove"_s, u"Povol"_s, u"Brigady"_s, u"PovolSet"_s, u"Vyznam"_s, u"SuMP2012"_s})
    {
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        Table members(dir.db(), u"Clenove.DB"_s);
        members.open();
        auto add = [&](const char* number, const char* surname, const char* category,
                       QVariant woman, QVariant paid, int since, QDate born, const char* town,
                       const char* street, QVariantMap more = {}) {
            more.insert(u"KATEGORIE"_s, QString::fromUtf8(category));
            more.insert(u"ZENA"_s, woman);
            more.insert(u"LAST_CLENSTVI"_s, paid);
            more.insert(u"CLEN_OD_ROKU"_s, since);
            more.insert(u"DATUM_NAROZENI"_s, born);
            more.insert(u"OBEC"_s, QString::fromUtf8(town));
            more.insert(u"ULICE"_s, QString::fromUtf8(street));
            appendRow(members, member(QString::fromUtf8(number), QString::fromUtf8(surname), more));
        };
        const QVariant blank;
        add("101", "Čech", "dospělý", false, 2012, 1980, QDate(1962, 3, 15), "Brno", "Nádražní 5",
            {{u"SPONZOR"_s, true}});
        add("102", "Cibulka", "dospělý", false, 2011, 1995, QDate(1962, 3, 20), "Brno",
            "Nádražní 12", {{u"POZOR"_s, u"ZÁZNAM !"_s}});
        add("103", "Chalupová", "mládež", true, blank, 2005, QDate(1990, 1, 1), "Brno", "Husova 3");
        add("104", "Hrubá", "dospělý", true, 2013, 1985, QDate(1962, 6, 10), "Brno", "Husova 8");
        add("205", "Řezník", "dospělý", false, 2012, 1992, QDate(1962, 12, 31), "Praha",
            "Nádražní 1");
        add("206", "Rybář", "mládež", blank, 2010, 1970, QDate(1950, 5, 5), "Brno", "Údolní 4");

        Table payments(dir.db(), u"Povol.DB"_s);
        payments.open();
        auto pay = [&](const char* number, int year, int entry, QDate issued, const char* mp) {
            appendRow(payments, {{u"CLEN_CISLO"_s, QString::fromUtf8(number)},
                                 {u"ROK"_s, year},
                                 {u"ZAPISNE"_s, entry},
                                 {u"VYDANO"_s, issued},
                                 {u"MP_VRACENO"_s, QString::fromUtf8(mp)}});
        };
        pay("101", 2012, 100, QDate(2012, 1, 9), "NE");
        pay("102", 2012, 0, QDate(2012, 1, 10), "ANO");
        pay("103", 2012, 100, QDate(2012, 1, 2), "");
        pay("205", 2011, 100, QDate(2011, 1, 9), "NE");
        pay("206", 2012, 50, QDate(2012, 1, 10), "NE");

        Table fees(dir.db(), u"PovolSet.DB"_s);
        fees.open();
        appendRow(fees, {{u"KATEGORIE"_s, u"dospělý"_s}, {u"ROK"_s, 2012}, {u"BRIG_HODIN"_s, 10}});
        appendRow(fees, {{u"KATEGORIE"_s, u"mládež"_s}, {u"ROK"_s, 2012}, {u"BRIG_HODIN"_s, 5}});

        Table brigades(dir.db(), u"Brigady.DB"_s);
        brigades.open();
        auto work = [&](const char* number, QDate day, double hours) {
            appendRow(brigades, {{u"CLEN_CISLO"_s, QString::fromUtf8(number)},
                                 {u"DATUM"_s, day},
                                 {u"HODIN"_s, hours}});
        };
        work("101", QDate(2012, 1, 9), 4);
        work("101", QDate(2012, 2, 10), 2.5);
        work("101", QDate(2013, 1, 1), 3);
        work("102", QDate(2011, 5, 5), 8);
        work("103", QDate(2012, 6, 1), 6);
        work("205", QDate(2012, 12, 31), 10);

        Table awards(dir.db(), u"Vyznam.db"_s);
        awards.open();
        auto award = [&](const char* number, const char* kind, QDate day) {
            appendRow(awards, {{u"CLEN_CISLO"_s, QString::fromUtf8(number)},
                               {u"DRUH_VYZNAMENANI"_s, QString::fromUtf8(kind)},
                               {u"DATUM_UDELENI"_s, day}});
        };
        award("101", "zasloužilý člen", QDate(2010, 1, 1));
        award("101", "čestné uznání", QDate(2000, 1, 1));
        award("104", "čestné uznání", QDate(2005, 5, 1));
        award("205", "", QDate(2001, 1, 1));

        Table catches(dir.db(), u"SuMP2012.DB"_s);
        catches.open();
        auto ret = [&](const char* number, const char* surname, const char* district) {
            appendRow(catches, {{u"CLEN_CISLO"_s, QString::fromUtf8(number)},
                                {u"PRIJMENI"_s, QString::fromUtf8(surname)},
                                {u"REVIR_NAZEV"_s, QString::fromUtf8(district)}});
        };
        ret("101", "Čech", "Svratka");
        ret("103", "Chalupová", "Labe 1");
        ret("101", "Čech", "Labe 1");
        ret("102", "Cibulka", "Labe 1");
    }

    static QStringList lines(const char* text)
    {
        return QString::fromUtf8(text).split(QLatin1Char('\n'));
    }

    TestDataDir dir;
};

// The brigade report's query exactly as the report stores it.
const char* const brigadeQuery =
    "SELECT C.clen_cislo, C.jmeno, C.prijmeni, C.ulice, C.obec, C.psc,\n"
    "       P.brig_hodin,\n"
    "       0 AS Odpracoval\n"
    "FROM Clenove C, PovolSet P\n"
    "WHERE((C.clen_cislo NOT IN (SELECT B.clen_cislo  FROM Brigady B WHERE EXTRACT(YEAR FROM "
    "B.datum) = :rok )) and\n"
    "      (C.kategorie=P.kategorie))\n"
    "GROUP BY C.clen_cislo, C.jmeno, C.prijmeni, C.ulice, C.obec, C.psc,\n"
    "         P.brig_hodin\n"
    "UNION\n"
    "SELECT C.clen_cislo, C.jmeno, C.prijmeni, C.ulice, C.obec, C.psc,\n"
    "       P.brig_hodin,\n"
    "       SUM(B.hodin) AS Odpracoval\n"
    "FROM Clenove C, Brigady B, Povolset P\n"
    "WHERE ((C.clen_cislo=B.clen_cislo) and (EXTRACT(YEAR FROM B.datum) = :rok)\n"
    "       and (C.\"kategorie\"=P.\"kategorie\"))\n"
    "GROUP BY C.clen_cislo, C.jmeno, C.prijmeni, C.ulice, C.obec, C.psc,\n"
    "         P.brig_hodin\n"
    "ORDER BY Prijmeni";

struct SqlCase {
    const char* name;
    const char* sql; // lines separated by \n, as the program sets them
    const char* field;
    const char* expected; // in the order the query returns them
};

void PrintTo(const SqlCase& c, std::ostream* os)
{
    *os << c.name;
}

class ProgramQueries : public Chapter, public ::testing::WithParamInterface<SqlCase> {};

TEST_P(ProgramQueries, ReturnTheRowsTheOldEngineReturned)
{
    const SqlCase& c = GetParam();
    Query query(dir.db());
    query.setSql(lines(c.sql));
    query.setParam(u"rok"_s, 2012);
    query.open();
    EXPECT_EQ(columnOf(query, QString::fromUtf8(c.field)), listOf(c.expected));
}

const SqlCase programQueries[] = {
    {"all_members", "select * from CLENOVE\n \n ORDER BY PRIJMENI ", "CLEN_CISLO",
     "102,101,104,103,206,205"},
    {"women", "select * from CLENOVE\nwhere (ZENA=true)\n ORDER BY PRIJMENI ", "CLEN_CISLO",
     "104,103"},
    {"sponsors", "select * from CLENOVE\nwhere (SPONZOR=true)\n ORDER BY PRIJMENI ", "CLEN_CISLO",
     "101"},
    {"open_notes", "select * from CLENOVE\nwhere (POZOR<>'')\n ORDER BY PRIJMENI ", "CLEN_CISLO",
     "102"},
    {"unpaid_or_blank",
     "select * from CLENOVE\nwhere (LAST_CLENSTVI<2012) or (LAST_CLENSTVI is null)\nORDER BY "
     "PRIJMENI ",
     "CLEN_CISLO", "102,103,206"},
    {"category", "select * from CLENOVE\nwhere KATEGORIE='dospělý'\n ORDER BY PRIJMENI ",
     "CLEN_CISLO", "102,101,104,205"},
    // Only a literal compared with a date field is a date; a text that looks like one is text.
    {"category_that_looks_like_a_date",
     "select * from CLENOVE\nwhere KATEGORIE='31.2.2020'\n ORDER BY PRIJMENI ", "CLEN_CISLO", ""},
    {"member_since_quoted_year",
     "select * from CLENOVE\nwhere CLEN_OD_ROKU <= '1992'\n ORDER BY PRIJMENI ", "CLEN_CISLO",
     "101,104,206,205"},
    {"age_over", "select * from CLENOVE\nwhere DATUM_NAROZENI <= '15.3.1962'\n ORDER BY PRIJMENI ",
     "CLEN_CISLO", "101,206"},
    {"born_in_year",
     "select * from CLENOVE\nwhere DATUM_NAROZENI >= '1.1.1962'and   DATUM_NAROZENI <= "
     "'31.12.1962'\n ORDER BY PRIJMENI ",
     "CLEN_CISLO", "102,101,104,205"},
    {"town_and_street",
     "select * from CLENOVE\nwhere OBEC = 'Brno' and ULICE LIKE 'Nádražní%'\n ORDER BY PRIJMENI ",
     "CLEN_CISLO", "102,101"},
    {"street_only", "select * from CLENOVE\nwhere ULICE LIKE 'Nádražní%'\n ORDER BY PRIJMENI ",
     "CLEN_CISLO", "102,101,205"},
    {"address_list_by_number", "select * from CLENOVE\nwhere (ZENA=true)\nORDER BY CLEN_CISLO",
     "CLEN_CISLO", "103,104"},
    {"not_returned_mp",
     "select * from CLENOVE,POVOL\nwhere (CLENOVE.CLEN_CISLO=POVOL.CLEN_CISLO) and "
     "(POVOL.ROK=2012) and (MP_VRACENO='NE')\n ORDER BY PRIJMENI ",
     "CLEN_CISLO", "101,206"},
    {"named_payments_today",
     "select * from CLENOVE,POVOL\nwhere (CLENOVE.CLEN_CISLO=POVOL.CLEN_CISLO) and "
     "(VYDANO='9.1.2012')\n ORDER BY PRIJMENI ",
     "PRIJMENI", "Čech"},
    {"named_payments_period",
     "select * from CLENOVE,POVOL\nwhere (CLENOVE.CLEN_CISLO=POVOL.CLEN_CISLO) and (VYDANO >= "
     "'9.1.2012')\nand (VYDANO <= '10.1.2012')\n ORDER BY PRIJMENI ",
     "CLEN_CISLO", "102,101,206"},
    {"named_payments_period_of_a_kind",
     "select * from CLENOVE,POVOL\nwhere (CLENOVE.CLEN_CISLO=POVOL.CLEN_CISLO) and (VYDANO >= "
     "'9.1.2012')\nand (ZAPISNE>0)\nand (VYDANO <= '10.1.2012')\n ORDER BY PRIJMENI ",
     "CLEN_CISLO", "101,206"},
    {"money_of_today", "select * from POVOL where VYDANO='9.1.2012'", "CLEN_CISLO", "101"},
    {"money_of_a_period",
     "select * from POVOL\nwhere VYDANO >= '9.1.2012'\nand VYDANO <= '10.1.2012'\n ORDER BY "
     "VYDANO ",
     "VYDANO", "9.1.2012,10.1.2012,10.1.2012"},
    {"catch_returns_of_a_district",
     "SELECT * FROM 'SuMP2012.DB'\nWHERE REVIR_NAZEV = 'Labe 1'\nORDER BY PRIJMENI , CLEN_CISLO, "
     "REVIR_NAZEV ",
     "CLEN_CISLO", "102,101,103"},
    {"catch_returns_all",
     "SELECT * FROM 'SuMP2012.DB'\n \nORDER BY PRIJMENI , CLEN_CISLO, REVIR_NAZEV ", "REVIR_NAZEV",
     "Labe 1,Labe 1,Svratka,Labe 1"},
    {"awarded_members",
     "select CLEN_CISLO,PRIJMENI,JMENO,ULICE,PSC,OBEC,ZENA,TITUL,DRUH_VYZNAMENANI  from "
     "CLENOVE,VYZNAM\nwhere (CLENOVE.CLEN_CISLO=VYZNAM.CLEN_CISLO) and "
     "(VYZNAM.DRUH_VYZNAMENANI<>'') GROUP BY CLEN_CISLO, PRIJMENI "
     ",JMENO,ULICE,PSC,OBEC,ZENA,TITUL,DRUH_VYZNAMENANI\n ORDER BY PRIJMENI,CLEN_CISLO ",
     "CLEN_CISLO", "101,101,104"},
    {"brigades_by_surname", brigadeQuery, "CLEN_CISLO", "102,101,104,103,206,205"},
    {"members_without_any_brigade",
     "select * from CLENOVE where CLEN_CISLO NOT IN (select CLEN_CISLO from BRIGADY)\norder by "
     "CLEN_CISLO",
     "CLEN_CISLO", "104,206"},
    {"hours_summed_per_member",
     "select CLEN_CISLO, SUM(HODIN) AS HODINY from BRIGADY\ngroup by CLEN_CISLO\norder by "
     "CLEN_CISLO",
     "HODINY", "9,5|8|6|10"},
};

INSTANTIATE_TEST_SUITE_P(Sql, ProgramQueries, ::testing::ValuesIn(programQueries),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Chapter, BrigadeQueryGivesEachMemberOnceWithHoursRequiredAndWorked)
{
    Query query(dir.db());
    query.setSql(lines(brigadeQuery));
    query.setSqlLine(17, u"ORDER BY CLEN_CISLO"_s);
    query.setParam(u"rok"_s, 2012);
    query.open();

    QStringList rows;
    for (query.first(); !query.eof(); query.next())
        rows << QStringLiteral("%1 %2/%3")
                    .arg(query.fieldByName(u"CLEN_CISLO"_s).asString(),
                         query.fieldByName(u"brig_hodin"_s).asString(),
                         query.fieldByName(u"Odpracoval"_s).asString());
    EXPECT_EQ(rows, listOf("101 10/6,5|102 10/0|103 5/6|104 10/0|205 10/10|206 5/0"));
    ASSERT_TRUE(query.locate(u"CLEN_CISLO"_s, u"101"_s));
    EXPECT_DOUBLE_EQ(query.fieldByName(u"Odpracoval"_s).asFloat(), 6.5);
    EXPECT_EQ(query.fieldByName(u"prijmeni"_s).asString(), u"Čech"_s);

    // The printed group is a filter on the query's rows.
    query.setFilter(u"CLEN_CISLO='1*'"_s);
    query.setFiltered(true);
    EXPECT_EQ(query.recordCount(), 4);
    EXPECT_EQ(columnOf(query, u"CLEN_CISLO"_s), listOf("101,102,103,104"));
}

TEST_F(Chapter, ApostropheInsideALiteralStaysText)
{
    Table members(dir.db(), u"Clenove.DB"_s);
    members.open();
    appendRow(members, member(u"300"_s, u"O'Neill"_s));

    const QString wheres[] = {u"where PRIJMENI = "_s + LocalSql::quoted(u"O'Neill"_s),
                              u"where PRIJMENI LIKE "_s + LocalSql::quoted(u"O'N%"_s),
                              u"where PRIJMENI = 'O''Neill'"_s};
    for (const QString& where : wheres) {
        Query query(dir.db());
        query.setSql({u"select * from CLENOVE"_s, where});
        query.open();
        EXPECT_EQ(columnOf(query, u"CLEN_CISLO"_s), QStringList{u"300"_s}) << where.toStdString();
    }
}

TEST_F(Chapter, DeleteThroughOpenLeavesTheQueryClosedAndCursorsSeeIt)
{
    Table members(dir.db(), u"Clenove.DB"_s);
    members.setIndexFieldNames(u"PRIJMENI"_s);
    members.open();
    ASSERT_EQ(members.recordCount(), 6);

    Query remove(dir.db());
    remove.setSql(
        {u"delete from CLENOVE"_s, u"where (LAST_CLENSTVI<2012) or (LAST_CLENSTVI is null)"_s});
    EXPECT_NO_THROW(remove.open());
    EXPECT_FALSE(remove.isActive());

    EXPECT_EQ(dir.db().rowCount(u"Clenove"_s), 3);
    members.first();
    EXPECT_EQ(members.recordCount(), 3);
    EXPECT_EQ(columnOf(members, u"CLEN_CISLO"_s), listOf("101,104,205"));
}

// The award list prints, under each awarded member, that member's awards.
TEST_F(Chapter, ParameterIsTakenFromTheMasterRow)
{
    Query awarded(dir.db());
    awarded.setSql({u"select CLEN_CISLO,PRIJMENI,DRUH_VYZNAMENANI  from CLENOVE,VYZNAM"_s,
                    u"where (CLENOVE.CLEN_CISLO=VYZNAM.CLEN_CISLO) and "
                    u"(VYZNAM.DRUH_VYZNAMENANI<>'') GROUP BY CLEN_CISLO, PRIJMENI, "
                    u"DRUH_VYZNAMENANI"_s,
                    u" ORDER BY PRIJMENI,CLEN_CISLO "_s});
    awarded.open();
    Query detail(dir.db());
    detail.setSql({u"select * from vyznam"_s, u"WHERE (Clen_cislo=:Clen_Cislo)"_s,
                   u"order by Clen_Cislo,Druh_Vyznamenani"_s});
    detail.setMaster(&awarded);

    detail.open();
    EXPECT_EQ(columnOf(detail, u"DRUH_VYZNAMENANI"_s), listOf("čestné uznání,zasloužilý člen"));
    awarded.last();
    detail.close();
    detail.open();
    EXPECT_EQ(columnOf(detail, u"DATUM_UDELENI"_s), listOf("1.5.2005"));
}

// The report opens the award query once per run and moves only the master; the old
// engine re-ran a detail query whenever its master moved.
TEST_F(Chapter, DetailQueryFollowsItsMaster)
{
    Table members(dir.db(), u"Clenove.DB"_s);
    members.open();
    ASSERT_TRUE(members.locate(u"CLEN_CISLO"_s, u"101"_s));
    Query detail(dir.db());
    detail.setSql({u"select * from vyznam"_s, u"WHERE (Clen_cislo=:Clen_Cislo)"_s});
    detail.setMaster(&members);
    detail.open();
    EXPECT_EQ(detail.recordCount(), 2);

    ASSERT_TRUE(members.locate(u"CLEN_CISLO"_s, u"104"_s));
    EXPECT_EQ(detail.recordCount(), 1);
    EXPECT_EQ(detail.fieldByName(u"CLEN_CISLO"_s).asString(), u"104"_s);
}

struct BadSql {
    const char* sql;
    const char* named;
};

TEST_F(Chapter, BadSqlIsAnEngineErrorAndTheQueryCanBeReused)
{
    const BadSql bad[] = {
        {"select * from NIKDE", "NIKDE"},
        {"select * from CLENOVE where NEEXISTUJE=1", "NEEXISTUJE"},
        {"select * from CLENOVE where (ZENA=true", ""},
        {"selec * from CLENOVE", ""},
        {"select * from CLENOVE where PRIJMENI='Novák", ""},
        {"select * from POVOL where VYDANO='31.2.2012'", "31.2.2012"},
        {"select * from CLENOVE where CLEN_CISLO=:cislo", "cislo"},
    };
    Query query(dir.db());
    for (const BadSql& b : bad) {
        SCOPED_TRACE(b.sql);
        query.setSql({QString::fromUtf8(b.sql)});
        try {
            query.open();
            ADD_FAILURE() << "accepted";
        } catch (const EngineError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(b.named))) << e.what();
        }
        EXPECT_FALSE(query.isActive());
    }
    query.setSql({u"select * from CLENOVE where CLEN_CISLO='205'"_s});
    query.open();
    EXPECT_EQ(query.recordCount(), 1);
}

} // namespace
