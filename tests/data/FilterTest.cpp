#include "TestDataDir.h"

#include "EngineError.h"
#include "LocalSql.h"
#include "Query.h"
#include "Table.h"

#include <gtest/gtest.h>

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

// Every value a filter form can meet: a match, a near miss and a blank field, so a
// form that treats blank, prefixes, dates or booleans wrongly picks a different set.
class FilterData : public ::testing::Test {
protected:
    FilterData()
        : dir({u"Clenove"_s, u"Povol"_s, u"VAHY"_s, u"ZPRAVOD"_s, u"Brigady"_s})
    {
        Table members(dir.db(), u"Clenove.DB"_s);
        members.open();
        appendRow(members, member(u"105"_s, u"Novák"_s,
                                  {{u"KATEGORIE"_s, u"dospělý"_s},
                                   {u"ZENA"_s, false},
                                   {u"SPONZOR"_s, true},
                                   {u"LAST_CLENSTVI"_s, 2012}}));
        appendRow(members, member(u"1050"_s, u"Nováková"_s,
                                  {{u"KATEGORIE"_s, u"dospělý"_s},
                                   {u"ZENA"_s, true},
                                   {u"POZOR"_s, u"ZÁZNAM !"_s},
                                   {u"LAST_CLENSTVI"_s, 2011}}));
        appendRow(
            members,
            member(u"110"_s, u"Svobodová"_s,
                   {{u"KATEGORIE"_s, u"mládež"_s}, {u"ZENA"_s, true}, {u"SPONZOR"_s, false}}));
        appendRow(members, member(u"210"_s, u"Dvořák"_s, {{u"LAST_CLENSTVI"_s, 2013}}));
        appendRow(members, member(u"2105"_s, u"Černý"_s,
                                  {{u"KATEGORIE"_s, u"dospělý"_s},
                                   {u"ZENA"_s, false},
                                   {u"LAST_CLENSTVI"_s, 2012}}));

        Table payments(dir.db(), u"Povol.DB"_s);
        payments.open();
        appendRow(payments, {{u"CLEN_CISLO"_s, u"101"_s}, {u"ROK"_s, 2011}});
        appendRow(payments, {{u"CLEN_CISLO"_s, u"102"_s}, {u"ROK"_s, 2012}});
        appendRow(payments, {{u"CLEN_CISLO"_s, u"103"_s}, {u"ROK"_s, 2013}});
        appendRow(payments, {{u"CLEN_CISLO"_s, u"104"_s}});

        Table weights(dir.db(), u"VAHY.db"_s);
        weights.open();
        appendRow(weights, {{u"DB_NAME"_s, u"KAPR_KG"_s}, {u"USER_NAME"_s, u"kapr"_s}});
        appendRow(weights, {{u"DB_NAME"_s, u"KAPR_KS"_s}, {u"USER_NAME"_s, u"kusy"_s}});
        appendRow(weights, {{u"DB_NAME"_s, u"LIN_KG"_s}, {u"USER_NAME"_s, u"lín"_s}});

        Table mailing(dir.db(), u"ZPRAVOD.db"_s);
        mailing.open();
        appendRow(mailing, {{u"PRIJMENI"_s, u"Adam"_s}, {u"VYTISKNUTO"_s, true}});
        appendRow(mailing, {{u"PRIJMENI"_s, u"Bílá"_s}, {u"VYTISKNUTO"_s, false}});
        appendRow(mailing, {{u"PRIJMENI"_s, u"Cach"_s}});

        // As text "5.3.2012" sorts after "31.12.2012" and "1.1.2013" before it.
        Table brigades(dir.db(), u"Brigady.DB"_s);
        brigades.open();
        const std::pair<const char*, QDate> works[] = {{"a", QDate(2012, 3, 5)},
                                                       {"b", QDate(2012, 12, 31)},
                                                       {"c", QDate(2013, 1, 1)},
                                                       {"d", QDate(2011, 2, 10)},
                                                       {"e", QDate()}};
        for (const auto& [action, date] : works)
            appendRow(brigades, {{u"CLEN_CISLO"_s, u"1"_s},
                                 {u"AKCE"_s, QLatin1String(action)},
                                 {u"DATUM"_s, date.isValid() ? QVariant(date) : QVariant()}});
    }

    TestDataDir dir;
};

struct FilterCase {
    const char* name;
    const char* table;
    const char* filter;
    const char* label; // the field that tells the rows apart
    const char* expected;
};

void PrintTo(const FilterCase& c, std::ostream* os)
{
    *os << c.name;
}

class FilterForms : public FilterData, public ::testing::WithParamInterface<FilterCase> {};

QStringList sortedColumn(DataSet& data, const QString& field)
{
    QStringList values = columnOf(data, field);
    values.sort();
    return values;
}

TEST_P(FilterForms, TableAndQuerySelectTheSameRows)
{
    const FilterCase& c = GetParam();
    const QString filter = QString::fromUtf8(c.filter);
    const QString label = QString::fromUtf8(c.label);
    QStringList expected = listOf(c.expected);
    expected.sort();

    Table table(dir.db(), QString::fromUtf8(c.table));
    table.open();
    table.setFiltered(true);
    table.setFilter(filter);
    EXPECT_EQ(sortedColumn(table, label), expected);
    EXPECT_EQ(table.recordCount(), expected.size());

    Query query(dir.db());
    query.setSql({u"select * from '"_s + QString::fromUtf8(c.table) + u"'"_s});
    query.setFilter(filter);
    query.setFiltered(true);
    query.open();
    EXPECT_EQ(sortedColumn(query, label), expected);
    EXPECT_EQ(query.recordCount(), expected.size());
}

const FilterCase filterCases[] = {
    {"member_number", "Clenove.DB", "CLEN_CISLO='105'", "CLEN_CISLO", "105"},
    {"number_prefix", "Clenove.DB", "CLEN_CISLO='1*'", "CLEN_CISLO", "105,1050,110"},
    {"category", "Clenove.DB", "KATEGORIE='dospělý'", "CLEN_CISLO", "105,1050,2105"},
    {"women", "Clenove.DB", "ZENA=true", "CLEN_CISLO", "1050,110"},
    {"sponsors", "Clenove.DB", "SPONZOR=true", "CLEN_CISLO", "105"},
    {"open_note", "Clenove.DB", "POZOR<>''", "CLEN_CISLO", "1050"},
    {"unpaid_skips_blank", "Clenove.DB", "LAST_CLENSTVI<2012", "CLEN_CISLO", "1050"},
    {"group_and_women", "Clenove.DB", "CLEN_CISLO='1*' and ZENA=true", "CLEN_CISLO", "1050,110"},
    {"weight_row", "VAHY.db", "DB_NAME='KAPR_KG'", "USER_NAME", "kapr"},
    {"not_printed_counts_blank", "ZPRAVOD.db", "VYTISKNUTO<>true", "PRIJMENI", "Bílá,Cach"},
    {"year_up_to", "Povol.DB", "ROK<=2012", "CLEN_CISLO", "101,102"},
    {"date_up_to_unquoted", "Brigady.DB", "DATUM<=31.12.2012", "AKCE", "a,b,d"},
};

INSTANTIATE_TEST_SUITE_P(Filters, FilterForms, ::testing::ValuesIn(filterCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilterData, ApostropheInValueIsQuotedSafely)
{
    Table members(dir.db(), u"Clenove.DB"_s);
    members.open();
    appendRow(members, member(u"300"_s, u"O'Neill"_s));
    appendRow(members, member(u"301"_s, u"O"_s));

    members.setFilter(u"PRIJMENI="_s + LocalSql::quoted(u"O'Neill"_s));
    members.setFiltered(true);
    EXPECT_EQ(columnOf(members, u"CLEN_CISLO"_s), QStringList{u"300"_s});
}

struct BadFilter {
    const char* text;
    const char* named; // what the message must name
    EngineError::Kind kind;
};

TEST_F(FilterData, BadFilterIsRefusedAndThePreviousOneStays)
{
    Table members(dir.db(), u"Clenove.DB"_s);
    members.open();
    members.setFilter(u"ZENA=true"_s);
    members.setFiltered(true);

    const BadFilter bad[] = {
        {"NEEXISTUJE='1'", "NEEXISTUJE", EngineError::Kind::Missing},
        {"CLEN_CISLO='105", "105", EngineError::Kind::Syntax},
        {"CLEN_CISLO==1", "CLEN_CISLO==1", EngineError::Kind::Syntax},
        {"ZENA=true and", "ZENA=true and", EngineError::Kind::Syntax},
        {"DATUM_NAROZENI<=31.2.2012", "31.2.2012", EngineError::Kind::Conversion},
        {"LAST_CLENSTVI<abc", "abc", EngineError::Kind::Conversion},
    };
    for (const BadFilter& b : bad) {
        SCOPED_TRACE(b.text);
        try {
            members.setFilter(QString::fromUtf8(b.text));
            ADD_FAILURE() << "accepted";
        } catch (const EngineError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(b.named))) << e.what();
            EXPECT_EQ(e.kind(), b.kind) << e.what();
        }
        EXPECT_EQ(members.filter(), u"ZENA=true"_s);
        EXPECT_EQ(members.recordCount(), 2);
        EXPECT_EQ(sortedColumn(members, u"CLEN_CISLO"_s), listOf("1050,110"));
    }
}

TEST_F(FilterData, RecordCountIsOfTheFilteredView)
{
    Table members(dir.db(), u"Clenove.DB"_s);
    members.open();
    members.setFilter(u"ZENA=true"_s);
    EXPECT_EQ(members.recordCount(), 5) << "a filter text alone does not filter";
    members.setFiltered(true);
    EXPECT_EQ(members.recordCount(), 2);
    members.setFiltered(false);
    EXPECT_EQ(members.recordCount(), 5);
}

// Moving a deleted member's payments to "00000" edits the first row of the member's
// view until the view is empty; each post must take the row out of the view.
TEST_F(FilterData, EditedRowsLeaveTheViewUntilItIsEmpty)
{
    Table payments(dir.db(), u"Povol.DB"_s);
    payments.open();
    for (int year : {2010, 2011, 2012})
        appendRow(payments, {{u"CLEN_CISLO"_s, u"777"_s}, {u"ROK"_s, year}});

    payments.setFilter(u"CLEN_CISLO='777'"_s);
    payments.setFiltered(true);
    int posts = 0;
    while (payments.recordCount() > 0 && posts < 10) {
        payments.first();
        payments.edit();
        payments.fieldByName(u"CLEN_CISLO"_s).setAsString(u"00000"_s);
        payments.post();
        ++posts;
    }
    EXPECT_EQ(posts, 3);
    payments.setFilter(u"CLEN_CISLO='00000'"_s);
    EXPECT_EQ(sortedColumn(payments, u"ROK"_s), listOf("2010,2011,2012"));
}

// Renumbering a member re-sets the same filter in a loop, relying on each setFilter to
// post the row edited before; the last change is posted by the filter on the new number.
TEST_F(FilterData, ChangingTheFilterPostsThePendingEdit)
{
    Table payments(dir.db(), u"Povol.DB"_s);
    payments.open();
    for (int year : {2010, 2011, 2012})
        appendRow(payments, {{u"CLEN_CISLO"_s, u"105"_s}, {u"ROK"_s, year}});
    appendRow(payments, {{u"CLEN_CISLO"_s, u"106"_s}, {u"ROK"_s, 2012}});

    const QString oldNumber = u"CLEN_CISLO='105'"_s;
    payments.setFilter(oldNumber);
    payments.setFiltered(true);
    int rounds = 0;
    do {
        payments.setFilter(oldNumber);
        payments.first();
        payments.edit();
        payments.fieldByName(u"CLEN_CISLO"_s).setAsString(u"107"_s);
    } while (payments.recordCount() != 1 && ++rounds < 10);
    payments.setFilter(u"CLEN_CISLO='107'"_s);

    EXPECT_EQ(payments.state(), DataSet::State::Browse);
    EXPECT_EQ(sortedColumn(payments, u"ROK"_s), listOf("2010,2011,2012"));
    payments.setFilter(oldNumber);
    EXPECT_EQ(payments.recordCount(), 0);
    payments.setFilter(u"CLEN_CISLO='106'"_s);
    EXPECT_EQ(payments.recordCount(), 1);
}

} // namespace
