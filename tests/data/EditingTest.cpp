#include "TestDataDir.h"

#include "EngineError.h"
#include "Query.h"
#include "Table.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct WriteCase {
    const char* name;
    const char* table;
    const char* field;
    const char* input;
    const char* readBack; // nullptr when the input is refused
    EngineError::Kind refusal = EngineError::Kind::Conversion;
};

void PrintTo(const WriteCase& c, std::ostream* os)
{
    *os << c.name;
}

class FieldWrites : public ::testing::TestWithParam<WriteCase> {
protected:
    FieldWrites()
        : dir({u"Clenove"_s, u"Brigady"_s})
    {
        // Decimal text is written and shown with the Czech comma.
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        Table members(dir.db(), u"Clenove.DB"_s);
        members.open();
        appendRow(members, member(u"105"_s, u"Novák"_s,
                                  {{u"CLEN_OD_ROKU"_s, 1990},
                                   {u"DATUM_NAROZENI"_s, QDate(1960, 1, 1)},
                                   {u"ZENA"_s, false},
                                   {u"SPONZOR"_s, true}}));
        Table brigades(dir.db(), u"Brigady.DB"_s);
        brigades.open();
        appendRow(brigades, {{u"CLEN_CISLO"_s, u"105"_s}, {u"HODIN"_s, 1.0}});
    }

    QString storedValue(const WriteCase& c)
    {
        Table reader(dir.db(), QString::fromUtf8(c.table));
        reader.open();
        return reader.fieldByName(QString::fromUtf8(c.field)).asString();
    }

    TestDataDir dir;
};

TEST_P(FieldWrites, TextIsConvertedOrRefusedWithNothingWritten)
{
    const WriteCase& c = GetParam();
    const QString field = QString::fromUtf8(c.field);
    const QString before = storedValue(c);

    Table table(dir.db(), QString::fromUtf8(c.table));
    table.open();
    table.edit();
    if (c.readBack) {
        table.fieldByName(field).setAsString(QString::fromUtf8(c.input));
        table.post();
        EXPECT_EQ(storedValue(c), QString::fromUtf8(c.readBack));
        return;
    }
    try {
        table.fieldByName(field).setAsString(QString::fromUtf8(c.input));
        ADD_FAILURE() << "accepted";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.kind(), c.refusal) << e.what();
        EXPECT_TRUE(e.message().contains(field)) << e.what();
    }
    EXPECT_EQ(table.fieldByName(field).asString(), before);
    table.post();
    EXPECT_EQ(storedValue(c), before);
}

const WriteCase writeCases[] = {
    {"year_with_blanks", "Clenove.DB", "CLEN_OD_ROKU", " 1985 ", "1985"},
    {"date_with_leading_zeros", "Clenove.DB", "DATUM_NAROZENI", "01.02.1960", "1.2.1960"},
    {"leap_day", "Clenove.DB", "DATUM_NAROZENI", "29.2.1960", "29.2.1960"},
    {"boolean_true", "Clenove.DB", "ZENA", "True", "True"},
    {"boolean_false", "Clenove.DB", "SPONZOR", "false", "False"},
    {"decimal_comma", "Brigady.DB", "HODIN", "2,5", "2,5"},
    {"decimal_point", "Brigady.DB", "HODIN", "2.5", "2,5"},
    {"whole_hours", "Brigady.DB", "HODIN", "3", "3"},
    {"surname_of_20_czech_letters", "Clenove.DB", "PRIJMENI", "Žluťoučkýkůňúpělďábe",
     "Žluťoučkýkůňúpělďábe"},
    {"letters_as_year", "Clenove.DB", "CLEN_OD_ROKU", "abc", nullptr},
    {"fraction_as_year", "Clenove.DB", "CLEN_OD_ROKU", "12,5", nullptr},
    {"year_beyond_32_bits", "Clenove.DB", "CLEN_OD_ROKU", "3000000000", nullptr},
    {"no_such_day", "Clenove.DB", "DATUM_NAROZENI", "31.2.2012", nullptr},
    {"hours_in_words", "Brigady.DB", "HODIN", "pět", nullptr},
    {"maybe_as_boolean", "Clenove.DB", "ZENA", "možná", nullptr},
    {"surname_of_21_letters", "Clenove.DB", "PRIJMENI", "Žluťoučkýkůňúpělďábel", nullptr,
     EngineError::Kind::TooLong},
    {"number_of_7_digits", "Clenove.DB", "CLEN_CISLO", "1234567", nullptr,
     EngineError::Kind::TooLong},
    {"letter_beyond_the_basic_plane_counts_once", "Clenove.DB", "PRIJMENI",
     "Žluťoučkýkůňúpělďáb\U0001D11E", "Žluťoučkýkůňúpělďáb\U0001D11E"},
    {"line_break_in_a_one_line_field", "Clenove.DB", "ULICE", "Lipová 7\nZeleneč", nullptr},
    {"tab_in_a_one_line_field", "Clenove.DB", "PRIJMENI", "Novák\tJan", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Writes, FieldWrites, ::testing::ValuesIn(writeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BlankFields, EmptyTextIsBlankForReadersFiltersAndSql)
{
    TestDataDir dir({u"Clenove"_s});
    Table members(dir.db(), u"Clenove.DB"_s);
    members.open();
    appendRow(members, member(u"105"_s, u"Novák"_s,
                              {{u"KATEGORIE"_s, u"dospělý"_s},
                               {u"POZOR"_s, u"ZÁZNAM !"_s},
                               {u"ZAZNAMY"_s, u"dluží"_s},
                               {u"LAST_CLENSTVI"_s, 2011},
                               {u"DATUM_NAROZENI"_s, QDate(1960, 1, 1)},
                               {u"ZENA"_s, true}}));
    const QStringList cleared{u"KATEGORIE"_s,     u"POZOR"_s,          u"ZAZNAMY"_s,
                              u"LAST_CLENSTVI"_s, u"DATUM_NAROZENI"_s, u"ZENA"_s};
    members.edit();
    for (const QString& name : cleared)
        members.fieldByName(name).setAsString(QString());
    members.post();

    Table reader(dir.db(), u"Clenove.DB"_s);
    reader.open();
    for (const QString& name : cleared) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(reader.fieldByName(name).isNull());
        EXPECT_EQ(reader.fieldByName(name).asString(), QString());
    }
    EXPECT_EQ(reader.fieldByName(u"LAST_CLENSTVI"_s).asInteger(), 0);
    EXPECT_FALSE(reader.fieldByName(u"DATUM_NAROZENI"_s).asDate().isValid());
    EXPECT_FALSE(reader.fieldByName(u"ZENA"_s).asBoolean());

    reader.setFiltered(true);
    const std::pair<const char*, int> filters[] = {
        {"POZOR<>''", 0}, {"POZOR=''", 1}, {"LAST_CLENSTVI<2012", 0}, {"ZENA=true", 0}};
    for (const auto& [filter, count] : filters) {
        reader.setFilter(QString::fromUtf8(filter));
        EXPECT_EQ(reader.recordCount(), count) << filter;
    }

    const char* where[] = {"where (LAST_CLENSTVI<2012) or (LAST_CLENSTVI is null)",
                           "where POZOR is null", "where KATEGORIE is null"};
    for (const char* line : where) {
        Query query(dir.db());
        query.setSql({u"select * from CLENOVE"_s, QString::fromUtf8(line)});
        query.open();
        EXPECT_EQ(query.recordCount(), 1) << line;
    }
}

TEST(KeyViolation, RecordStaysInEditWithTheHandlersMessage)
{
    TestDataDir dir({u"Clenove"_s});
    Table members(dir.db(), u"Clenove.DB"_s);
    members.open();
    appendRow(members, member(u"105"_s, u"Novák"_s));
    appendRow(members, member(u"106"_s, u"Beran"_s));
    int afterPosts = 0;
    members.afterPost = [&afterPosts](Table&) {
        ++afterPosts;
    };
    members.onPostError = [](Table&, EngineError& e) {
        if (e.kind() == EngineError::Kind::KeyViolation)
            e.setMessage(u"Členské číslo již použito"_s);
    };

    members.append();
    members.fieldByName(u"CLEN_CISLO"_s).setAsString(u"105"_s);
    members.fieldByName(u"PRIJMENI"_s).setAsString(u"Nový"_s);
    try {
        members.post();
        ADD_FAILURE() << "duplicate number accepted";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.kind(), EngineError::Kind::KeyViolation);
        EXPECT_EQ(e.message(), u"Členské číslo již použito"_s);
    }
    EXPECT_EQ(members.state(), DataSet::State::Insert);
    EXPECT_EQ(members.fieldByName(u"PRIJMENI"_s).asString(), u"Nový"_s);
    EXPECT_EQ(afterPosts, 0);
    EXPECT_EQ(dir.db().rowCount(u"Clenove"_s), 2);

    members.fieldByName(u"CLEN_CISLO"_s).setAsString(u"107"_s);
    members.post();
    EXPECT_EQ(afterPosts, 1);
    EXPECT_EQ(members.recordCount(), 3);

    ASSERT_TRUE(members.locate(u"CLEN_CISLO"_s, u"106"_s));
    members.edit();
    members.fieldByName(u"CLEN_CISLO"_s).setAsString(u"105"_s);
    EXPECT_THROW(members.post(), EngineError);
    EXPECT_EQ(members.state(), DataSet::State::Edit);
    members.cancel();
    EXPECT_EQ(members.fieldByName(u"CLEN_CISLO"_s).asString(), u"106"_s);
    EXPECT_EQ(members.fieldByName(u"PRIJMENI"_s).asString(), u"Beran"_s);
}

// The member rules read the record inside the events: the number being edited, the
// posted number and count after a post, the number being deleted.
TEST(RecordEvents, FireInOrderOnTheRightRecord)
{
    TestDataDir dir({u"Clenove"_s});
    Table members(dir.db(), u"Clenove.DB"_s);
    members.setIndexFieldNames(u"PRIJMENI"_s);
    members.open();
    appendRow(members, member(u"200"_s, u"Beran"_s));

    QStringList events;
    auto number = [&members] {
        return members.fieldByName(u"CLEN_CISLO"_s).asString();
    };
    auto note = [&](const char* name) {
        return [&, name](Table&) {
            events << QString::fromUtf8(name) + u' ' + number();
        };
    };
    members.beforeInsert = note("beforeInsert");
    members.afterInsert = note("afterInsert");
    members.beforeEdit = note("beforeEdit");
    members.beforePost = note("beforePost");
    members.afterPost = [&](Table& t) {
        events << u"afterPost "_s + number() + u'/' + QString::number(t.recordCount());
    };
    members.beforeDelete = note("beforeDelete");
    members.afterDelete = note("afterDelete");
    members.onPostError = [&](Table&, EngineError&) {
        events << u"postError"_s;
    };
    QObject::connect(&members, &DataSet::recordChanged,
                     [&] { events << u"recordChanged "_s + number(); });

    members.insert();
    ASSERT_FALSE(events.isEmpty());
    EXPECT_EQ(events.first(), u"beforeInsert 200"_s);
    EXPECT_TRUE(events.contains(u"afterInsert "_s));
    members.fieldByName(u"CLEN_CISLO"_s).setAsString(u"100"_s);
    members.fieldByName(u"PRIJMENI"_s).setAsString(u"Adam"_s);
    events.clear();
    members.post();
    EXPECT_EQ(events, listOf("beforePost 100,recordChanged 100,afterPost 100/2"));

    events.clear();
    members.edit();
    members.fieldByName(u"PRIJMENI"_s).setAsString(u"Zahradník"_s);
    members.post();
    // Like the old engine, putting a record into edit announces it too.
    EXPECT_EQ(events, listOf("beforeEdit 100,recordChanged 100,beforePost 100,recordChanged "
                             "100,afterPost 100/2"));

    events.clear();
    members.edit();
    members.cancel();
    EXPECT_EQ(events, listOf("beforeEdit 100,recordChanged 100,recordChanged 100"));

    members.insert();
    members.fieldByName(u"CLEN_CISLO"_s).setAsString(u"200"_s);
    events.clear();
    EXPECT_THROW(members.post(), EngineError);
    EXPECT_EQ(events, listOf("beforePost 200,postError"));
    members.cancel();

    ASSERT_TRUE(members.locate(u"CLEN_CISLO"_s, u"100"_s));
    events.clear();
    members.deleteRecord();
    EXPECT_EQ(events, listOf("beforeDelete 100,recordChanged 200,afterDelete 200"));
}

TEST(Notifications, SilencedUntilSwitchedOnWhichAnnouncesTheRecord)
{
    TestDataDir dir({u"Clenove"_s});
    Table members(dir.db(), u"Clenove.DB"_s);
    members.open();
    for (const char* n : {"1", "2", "3"})
        appendRow(members, member(QString::fromUtf8(n), u"X"_s));
    members.first();

    int records = 0;
    int fields = 0;
    std::optional<QString> announced;
    QObject::connect(&members, &DataSet::recordChanged, [&] {
        ++records;
        announced = members.fieldByName(u"CLEN_CISLO"_s).asString();
    });
    QObject::connect(&members, &DataSet::fieldChanged, [&](int) { ++fields; });

    members.setNotificationsEnabled(false);
    members.next();
    members.last();
    members.edit();
    members.fieldByName(u"PRIJMENI"_s).setAsString(u"Y"_s);
    members.post();
    EXPECT_EQ(records, 0);
    EXPECT_EQ(fields, 0);

    members.setNotificationsEnabled(true);
    EXPECT_EQ(records, 1);
    EXPECT_EQ(announced, u"3"_s);
    members.prior();
    EXPECT_EQ(records, 2);
    EXPECT_EQ(announced, u"2"_s);
}

// A post writes the fields the edit changed: a field changed meanwhile by a statement stays
// as that statement left it, and a post that changed nothing still writes the record.
TEST(PostedFields, OnlyTheChangedFieldsAreWritten)
{
    TestDataDir dir({u"Clenove"_s});
    Table members(dir.db(), u"Clenove.DB"_s);
    members.setIndexFieldNames(u"PRIJMENI"_s);
    members.open();
    appendRow(members, member(u"1"_s, u"Novák"_s, {{u"OBEC"_s, u"Brno"_s}}));
    appendRow(members, member(u"2"_s, u"Adam"_s));

    members.last();
    members.edit();
    dir.db().run(u"UPDATE Clenove SET OBEC = 'Tábor' WHERE CLEN_CISLO = '1'"_s, {});
    members.fieldByName(u"PRIJMENI"_s).setAsString(u"Bárta"_s);
    members.fieldByName(u"JMENO"_s).setAsString(u"Jan"_s);
    members.post();

    Table fresh(dir.db(), u"Clenove.DB"_s);
    fresh.open();
    ASSERT_TRUE(fresh.locate(u"CLEN_CISLO"_s, u"1"_s));
    EXPECT_EQ(fresh.fieldByName(u"PRIJMENI"_s).asString(), u"Bárta"_s);
    EXPECT_EQ(fresh.fieldByName(u"JMENO"_s).asString(), u"Jan"_s);
    EXPECT_EQ(fresh.fieldByName(u"OBEC"_s).asString(), u"Tábor"_s);
    EXPECT_EQ(columnOf(members, u"PRIJMENI"_s), listOf("Adam,Bárta"));

    members.first();
    members.edit();
    members.fieldByName(u"PRIJMENI"_s).setAsString(u"Adam"_s);
    EXPECT_TRUE(members.isModified());
    EXPECT_NO_THROW(members.post());
    EXPECT_EQ(members.state(), DataSet::State::Browse);
    EXPECT_EQ(columnOf(members, u"PRIJMENI"_s), listOf("Adam,Bárta"));
}

} // namespace

// Numbers written by the program itself, not typed, are held to the field's type as well.
TEST(FieldWrites, NumbersOutsideTheirTypeAreRefused)
{
    TestDataDir dir({u"Brigady"_s});
    Table brigades(dir.db(), u"Brigady.DB"_s);
    brigades.open();
    brigades.append();
    brigades.fieldByName(u"CLEN_CISLO"_s).setAsString(u"1"_s);
    Field hours = brigades.fieldByName(u"HODIN"_s);
    EXPECT_THROW(hours.setAsFloat(std::numeric_limits<double>::infinity()), EngineError);
    EXPECT_THROW(hours.setAsFloat(std::numeric_limits<double>::quiet_NaN()), EngineError);
    brigades.post();
    EXPECT_TRUE(brigades.fieldByName(u"HODIN"_s).isNull());

    TestDataDir members({u"Clenove"_s});
    Table table(members.db(), u"Clenove.DB"_s);
    table.open();
    table.append();
    Field year = table.fieldByName(u"CLEN_OD_ROKU"_s);
    EXPECT_THROW(year.setAsInteger(5'000'000'000LL), EngineError);
    EXPECT_THROW(year.setAsFloat(1e20), EngineError);
    year.setAsInteger(-2'147'483'648LL);
    EXPECT_EQ(year.asInteger(), -2'147'483'648LL);
}
