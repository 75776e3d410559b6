#include "DocumentsFixture.h"

#include "TFormTBrig.h"
#include "Table.h"

using namespace Qt::StringLiterals;

namespace {

class BrigadeReportTest : public DocumentsFixture {
protected:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        chapter.db().execute(u"DELETE FROM PovolSet"_s);
        addRow(u"PovolSet"_s, {{u"KATEGORIE"_s, u"dospělý"_s}, {u"BRIG_HODIN"_s, 10}});
        addRow(u"PovolSet"_s, {{u"KATEGORIE"_s, u"mládež"_s}, {u"BRIG_HODIN"_s, 0}});
        addMember(u"100"_s, u"Adam"_s, {{u"KATEGORIE"_s, u"dospělý"_s}});
        addMember(u"150"_s, u"Bílý"_s, {{u"KATEGORIE"_s, u"dospělý"_s}});
        addMember(u"200"_s, u"Černý"_s, {{u"KATEGORIE"_s, u"mládež"_s}});
        addMember(u"1000"_s, u"Dvořák"_s, {{u"KATEGORIE"_s, u"dospělý"_s}});
        work(u"100"_s, u"2012-04-01"_s, 4);
        work(u"100"_s, u"2012-09-15"_s, 6.5);
        work(u"150"_s, u"2012-04-01"_s, 3);
        work(u"150"_s, u"2011-04-01"_s, 20);
    }

    void work(const QString& number, const QString& day, double hours)
    {
        addRow(u"Brigady"_s, {{u"CLEN_CISLO"_s, number}, {u"DATUM"_s, day}, {u"HODIN"_s, hours}});
    }

    QStringList named(const QString& item) const
    {
        return sink.last(u"TFormTBrig"_s).textsNamed(item);
    }

    QStringList surnames()
    {
        QStringList found;
        for (const QString& word : printedWords(u"TFormTBrig"_s))
            if (QStringList({u"Adam"_s, u"Bílý"_s, u"Černý"_s, u"Dvořák"_s}).contains(word))
                found << word;
        return found;
    }

    Table setup{chapter.db(), u"Setup.db"_s};
    TFormTBrig report{chapter.db(), setup};
};

TEST_F(BrigadeReportTest, CompleteListMarksWhoWorkedTheirHours)
{
    report.run(runner, QString(), 2012, true, true, false);
    EXPECT_EQ(surnames(), QStringList({u"Adam"_s, u"Bílý"_s, u"Černý"_s, u"Dvořák"_s}));
    EXPECT_EQ(named(u"Splnil"_s), QStringList({u"OK"_s, u"  "_s, u"OK"_s, u"  "_s}));
    EXPECT_EQ(named(u"Titulek"_s).value(0), u"Brigády  2012"_s);
    EXPECT_EQ(named(u"Vyber"_s).value(0), u"Všichni"_s);
    EXPECT_EQ(named(u"Pocet"_s).value(0), u"4 členů"_s);
    const QStringList words = printedWords(u"TFormTBrig"_s);
    EXPECT_EQ(wordsBetween(words, u":"_s, u"Zbývá"_s),
              QStringList({u"2"_s, u"/"_s, u"2"_s, u"členů"_s}));
    EXPECT_EQ(wordsBetween(words, u"odpracovat"_s, u"hodin"_s), QStringList{u"17"_s});
    EXPECT_TRUE(words.contains(u"10,5"_s));
    EXPECT_TRUE(words.contains(u"Pož/Odp."_s));
}

TEST_F(BrigadeReportTest, ShortListPrintsOnlyMembersShortOfHoursButCountsAll)
{
    report.run(runner, QString(), 2012, false, false, false);
    EXPECT_EQ(surnames(), QStringList({u"Dvořák"_s, u"Bílý"_s}));
    EXPECT_EQ(named(u"Vyber"_s).value(0), u"Všichni - bez BRIG"_s);
    EXPECT_EQ(named(u"Splnilo"_s).value(0), u"Celkem   splnilo / nesplnilo : 2 / 2 členů"_s);
    EXPECT_EQ(named(u"Zbyva"_s).value(0), u"Zbývá odpracovat 17 hodin"_s);
}

TEST_F(BrigadeReportTest, GroupAndYearNarrowTheList)
{
    report.run(runner, u"1"_s, 2011, true, true, false);
    EXPECT_EQ(surnames(), QStringList({u"Adam"_s, u"Bílý"_s, u"Dvořák"_s}));
    EXPECT_EQ(named(u"Vyber"_s).value(0), u"Sekce 1"_s);
    EXPECT_EQ(named(u"Pocet"_s).value(0), u"3 členů"_s);
    EXPECT_EQ(named(u"Splnilo"_s).value(0), u"Celkem   splnilo / nesplnilo : 1 / 2 členů"_s);
    EXPECT_EQ(named(u"Zbyva"_s).value(0), u"Zbývá odpracovat 20 hodin"_s);
    // Run again without the group: the counters start afresh and the filter is gone.
    report.run(runner, QString(), 2011, true, true, false);
    EXPECT_EQ(named(u"Splnilo"_s).value(0), u"Celkem   splnilo / nesplnilo : 2 / 2 členů"_s);
}

TEST(BrigadeQuery, TheStoredQueryKeepsItsLines)
{
    const QStringList lines = TFormTBrig::storedQuery();
    ASSERT_EQ(lines.size(), 18);
    EXPECT_EQ(lines.at(14), u"       and (C.\"kategorie\"=P.\"kategorie\"))"_s);
    EXPECT_EQ(lines.at(17), u"ORDER BY Prijmeni"_s);
}

} // namespace
