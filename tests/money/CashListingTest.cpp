#include "TestDataDir.h"

#include "MoneyOverview.h"
#include "PdfWords.h"
#include "ReportEngine.h"
#include "ReportRunner.h"
#include "TFormTVycet.h"
#include "Table.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QDate firstDay(2024, 3, 1);

class CashListingTest : public ::testing::Test {
protected:
    CashListingTest()
        : data({u"Povol"_s, u"SumPovol"_s, u"VYCETKA"_s, u"Setup"_s})
    {
        data.db().run(u"INSERT INTO Setup (NAZEV_ORGANIZACE) VALUES (?)"_s, {u"MO Lhota"_s});
        for (Table* table : {&listing, &dayTotals, &setup})
            table->open();
    }

    void pay(const QDate& day, const QString& item, int amount)
    {
        data.db().run(
            u"INSERT INTO Povol (CLEN_CISLO, VYDANO, %1, CELKEM_KC) VALUES (?, ?, ?, ?)"_s.arg(
                item),
            {u"1"_s, day, amount, amount});
    }

    QList<PdfWord> printed()
    {
        const QString path = dir.filePath(u"soupiska.pdf"_s);
        ReportRunner::exportPdf(form.report(), path);
        return pdfWords(path);
    }

    static QStringList texts(const QList<PdfWord>& words)
    {
        QStringList all;
        for (const PdfWord& w : words)
            all << w.text;
        return all;
    }

    TestDataDir data;
    Table listing{data.db(), u"VYCETKA.DB"_s};
    Table dayTotals{data.db(), u"SumPovol.DB"_s};
    Table setup{data.db(), u"Setup.DB"_s};
    TFormTVycet form{listing, dayTotals, setup};
    MoneyOverview money{data.db()};
    QTemporaryDir dir;
};

TEST_F(CashListingTest, NamesEachRunOfAKindOnceAndTotalsWhatWasTaken)
{
    pay(firstDay, u"MP_ROCNI"_s, 1500);
    pay(firstDay, u"MP_ROCNI"_s, 900);
    pay(firstDay.addDays(1), u"MP_ROCNI"_s, 1500);
    pay(firstDay.addDays(3), u"ZAPISNE"_s, 200);
    money.compute(firstDay, firstDay.addDays(4));

    const RenderedDocument document = ReportEngine(form.report()).generate();
    EXPECT_EQ(document.textsNamed(u"TYP_PLATBY"_s), QStringList({u"Zápisné"_s, u"MP povolenka"_s}));
    EXPECT_EQ(document.textsNamed(u"HODNOTA"_s), QStringList({u"200"_s, u"900"_s, u"1500"_s}));
    EXPECT_EQ(document.textsNamed(u"Celkem za platbu"_s),
              QStringList({u"200,- Kč"_s, u"900,- Kč"_s, u"3000,- Kč"_s}));
    EXPECT_EQ(document.textsNamed(u"Vybráno celkem"_s), QStringList{u"4100,- Kč"_s});
    EXPECT_EQ(document.textsNamed(u"Obdobi"_s), QStringList{u"Od  1.3.2024  do   4.3.2024"_s});

    const QList<PdfWord> words = printed();
    EXPECT_TRUE(texts(words).contains(u"Soupiska"_s));
    EXPECT_EQ(wordOf(words, u"Lhota"_s).page, 0);
    // The total ends where the amounts of its column end.
    EXPECT_NEAR(document.itemsNamed(u"Vybráno celkem"_s).first()->rect.right(),
                document.itemsNamed(u"Celkem za platbu"_s).first()->rect.right(), 0.5);
}

TEST_F(CashListingTest, ARunTwiceInARowPrintsTheSamePage)
{
    pay(firstDay, u"ZAPISNE"_s, 200);
    pay(firstDay, u"SKOLENI"_s, 50);
    money.computeDay(firstDay);

    const RenderedDocument once = ReportEngine(form.report()).generate();
    const RenderedDocument twice = ReportEngine(form.report()).generate();
    EXPECT_EQ(twice.textsNamed(u"TYP_PLATBY"_s), QStringList({u"Zápisné"_s, u"Školení"_s}));
    EXPECT_EQ(once.textsNamed(u"TYP_PLATBY"_s), twice.textsNamed(u"TYP_PLATBY"_s));
    EXPECT_EQ(twice.textsNamed(u"Obdobi"_s), QStringList{u"Dne  1.3.2024"_s});
    EXPECT_EQ(once.pages.first().items.size(), twice.pages.first().items.size());
}

TEST_F(CashListingTest, WithoutDayTotalsThePeriodIsDneAlone)
{
    money.computeDay(firstDay);

    const RenderedDocument document = ReportEngine(form.report()).generate();
    EXPECT_EQ(document.textsNamed(u"Obdobi"_s), QStringList{u"Dne  "_s});
    EXPECT_EQ(document.textsNamed(u"Vybráno celkem"_s), QStringList{u"0,- Kč"_s});
    EXPECT_TRUE(texts(printed()).contains(u"Dne"_s));
}

} // namespace
