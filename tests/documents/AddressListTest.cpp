#include "DocumentsFixture.h"

#include "Query.h"
#include "TFormTAdresar.h"
#include "Table.h"

using namespace Qt::StringLiterals;

namespace {

class AddressListTest : public DocumentsFixture {
protected:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        addMember(u"200"_s, u"Zeman"_s, {{u"OBEC"_s, u"Brno"_s}});
        addMember(u"100"_s, u"Adam"_s,
                  {{u"JMENO"_s, u"Karel"_s},
                   {u"ULICE"_s, u"Polní 5"_s},
                   {u"PSC"_s, u"60200"_s},
                   {u"OBEC"_s, u"Brno"_s},
                   {u"DATUM_NAROZENI"_s, u"1960-03-05"_s}});
        addMember(u"1000"_s, u"Bílý"_s, {{u"OBEC"_s, u"Tišnov"_s}});
        addMember(u"150"_s, u"Černý"_s, {{u"OBEC"_s, u"Brno"_s}});
        selection.setSql({u"select * from CLENOVE"_s, u" "_s, u" "_s});
        selection.open();
    }

    // Member numbers in the order printed.
    QStringList printedNumbers()
    {
        QStringList numbers;
        for (const QString& word : printedWords(u"TFormTAdresar"_s))
            if (QStringList({u"100"_s, u"150"_s, u"200"_s, u"1000"_s}).contains(word))
                numbers << word;
        return numbers;
    }

    // The box at the right of the header: the selection and its count.
    QStringList caption() const
    {
        const RenderedDocument& list = sink.last(u"TFormTAdresar"_s);
        return list.textsNamed(u"Vyber"_s).mid(0, 1) + list.textsNamed(u"Pocet"_s).mid(0, 1);
    }

    Query selection{chapter.db()};
    Table setup{chapter.db(), u"Setup.db"_s};
    TFormTAdresar report{selection, setup};
};

TEST_F(AddressListTest, WholeListInTheChosenOrderWithHeadingsAndCaption)
{
    report.printAll(runner, u"Všichni členové"_s, true, false);
    EXPECT_EQ(printedNumbers(), QStringList({u"100"_s, u"1000"_s, u"150"_s, u"200"_s}));
    const QStringList words = printedWords(u"TFormTAdresar"_s);
    for (const QString& expected :
         {u"Adresář"_s, u"ke"_s, u"Čl."_s, u"číslo"_s, u"Příjmení"_s, u"Jméno"_s, u"Adresa"_s,
          u"nar."_s, u"Strana"_s, u"Karel"_s, u"Polní"_s, u"60200"_s, u"05.03.1960"_s,
          u"......................."_s})
        EXPECT_TRUE(words.contains(expected)) << expected.toStdString();
    EXPECT_EQ(caption(), QStringList({u"Všichni členové"_s, u"4 členů"_s}));
    EXPECT_EQ(selection.sql().at(2), u"ORDER BY PRIJMENI,CLEN_CISLO"_s);

    // Membership numbers are texts and sort as such.
    report.printAll(runner, u"Všichni členové"_s, false, false);
    EXPECT_EQ(printedNumbers(), QStringList({u"100"_s, u"1000"_s, u"150"_s, u"200"_s}));
    EXPECT_EQ(selection.sql().at(2), u"ORDER BY CLEN_CISLO"_s);
}

TEST_F(AddressListTest, GroupOneListsOnlyNumbersBeginningWithOne)
{
    report.printGroup(runner, u"Všichni členové"_s, u"1"_s, QString(), false, false);
    EXPECT_EQ(printedNumbers(), QStringList({u"100"_s, u"1000"_s, u"150"_s}));
    EXPECT_EQ(caption(), QStringList({u"Všichni členové skup.1"_s, u"3 členů"_s}));
    // The selection is whole again, and the next list has no group caption.
    EXPECT_FALSE(selection.isFiltered());
    EXPECT_EQ(selection.recordCount(), 4);
    report.printAll(runner, u"Obec"_s, false, false);
    EXPECT_EQ(caption(), QStringList({u"Obec"_s, u"4 členů"_s}));
}

TEST_F(AddressListTest, GroupIsNarrowedByTheDisplayFilter)
{
    report.printGroup(runner, u"Výběr"_s, u"1"_s, u"OBEC='Brno'"_s, true, false);
    EXPECT_EQ(printedNumbers(), QStringList({u"100"_s, u"150"_s}));
}

TEST_F(AddressListTest, AnEmptyGroupPrintsNothingAndAQuoteIsJustAText)
{
    report.printGroup(runner, u"Výběr"_s, QString(), QString(), true, false);
    EXPECT_TRUE(sink.deliveries.isEmpty());
    report.printGroup(runner, u"Výběr"_s, u"1' or CLEN_CISLO<>'"_s, QString(), true, false);
    EXPECT_TRUE(printedNumbers().isEmpty());
    EXPECT_TRUE(shownTexts().isEmpty());
}

} // namespace
