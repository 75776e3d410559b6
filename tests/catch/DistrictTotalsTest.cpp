#include "TotalsFixture.h"

#include "DistrictTotals.h"
#include "DistrictTotalsPanel.h"
#include "TDataModule1.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <limits>

using namespace Qt::StringLiterals;

class DistrictTotalsTest : public TotalsFixture {
protected:
    void addThreeDistricts()
    {
        setDistricts({{u"1"_s, u"Labe"_s}, {u"2"_s, u"Sázava"_s}, {u"3"_s, u"Jizera"_s}});
        for (const QString& number : {u"1"_s, u"2"_s, u"3"_s})
            addReturn({{u"REVIR_CISLO"_s, number}, {u"DOCHAZKA"_s, 1}});
    }
};

TEST_F(DistrictTotalsTest, SumsTheReturnsOfADistrictIntoOneRow)
{
    setDistricts({{u"1"_s, u"Labe 1"_s}});
    addReturn({{u"CLEN_CISLO"_s, u"100"_s},
               {u"REVIR_CISLO"_s, u"1"_s},
               {u"DOCHAZKA"_s, 5},
               {u"KAPR_KS"_s, 2},
               {u"KAPR_KG"_s, 4.5},
               {u"OSTATNI_KS"_s, 4},
               {u"OSTATNI_KG"_s, 1.25},
               {u"CISLO_POVOLENKY"_s, u"7"_s}});
    addReturn({{u"CLEN_CISLO"_s, u"101"_s},
               {u"REVIR_CISLO"_s, u"1"_s},
               {u"DOCHAZKA"_s, 3},
               {u"KAPR_KS"_s, 1},
               {u"KAPR_KG"_s, 2.0}});

    panel->MakeCSum();

    const QList<QVariantMap> rows = totals();
    ASSERT_EQ(rows.size(), 1);
    const QVariantMap& row = rows[0];
    EXPECT_EQ(row[u"DOCHAZKA"_s].toInt(), 8);
    EXPECT_EQ(row[u"KAPR_KS"_s].toInt(), 3);
    EXPECT_DOUBLE_EQ(row[u"KAPR_KG"_s].toDouble(), 6.5);
    // The last pair, at positions 58 and 59, and a blank pair counting as 0.
    EXPECT_EQ(row[u"OSTATNI_KS"_s].toInt(), 4);
    EXPECT_DOUBLE_EQ(row[u"OSTATNI_KG"_s].toDouble(), 1.25);
    EXPECT_FALSE(row[u"LIN_KS"_s].isNull());
    EXPECT_EQ(row[u"SUMA_KS"_s].toInt(), 7);
    EXPECT_DOUBLE_EQ(row[u"SUMA_KG"_s].toDouble(), 7.75);
    // The leading fields carry the chapter and the district, not a member.
    const QStringList leading{u"CLEN_CISLO"_s,  u"PRIJMENI"_s,    u"EV_CISLO_SUM"_s,
                              u"REVIR_CISLO"_s, u"REVIR_NAZEV"_s, u"CISLO_POVOLENKY"_s};
    QStringList texts;
    for (const QString& field : leading)
        texts << row[field].toString();
    EXPECT_EQ(texts,
              (QStringList{u"1234"_s, u"MO Zeleneč"_s, u"2012"_s, u"1"_s, u"Labe 1"_s, QString()}));
    // The cursor shows what was written.
    EXPECT_EQ(data->TableCSum().recordCount(), 1);
}

TEST_F(DistrictTotalsTest, RowsFollowTheDistrictTableAndTheLastReturnsTroutMark)
{
    setDistricts({{u"3"_s, u"Jizera"_s}, {u"2"_s, u"Sázava"_s}, {u"1"_s, u"Labe"_s}});
    for (const QString& number : {u"1"_s, u"3"_s, u"9"_s, u" 1"_s, u"1 "_s, u"01"_s})
        addReturn({{u"REVIR_CISLO"_s, number}, {u"DOCHAZKA"_s, 1}, {u"PSTRUHOVA"_s, true}});
    addReturn({{u"REVIR_CISLO"_s, u"7"_s}, {u"PSTRUHOVA"_s, false}});

    panel->MakeCSum();

    // "2" has no return; "9", " 1", "1 " and "01" are no district of the list.
    EXPECT_EQ(totalsDistricts(), (QStringList{u"3"_s, u"1"_s}));
    for (const QVariantMap& row : totals()) {
        EXPECT_EQ(row[u"DOCHAZKA"_s].toInt(), 1);
        EXPECT_FALSE(row[u"PSTRUHOVA"_s].toBool());
    }
}

TEST_F(DistrictTotalsTest, CountsAddInThirtyTwoBitsAndWeightsInRowOrder)
{
    setDistricts({{u"1"_s, u"Labe"_s}});
    addReturn({{u"REVIR_CISLO"_s, u"1"_s},
               {u"KAPR_KS"_s, std::numeric_limits<qint32>::max()},
               {u"LIN_KG"_s, 0.1}});
    addReturn({{u"REVIR_CISLO"_s, u"1"_s}, {u"KAPR_KS"_s, 1}, {u"LIN_KG"_s, 0.2}});
    addReturn({{u"REVIR_CISLO"_s, u"1"_s}, {u"LIN_KG"_s, 0.3}});

    panel->MakeCSum();

    const QVariantMap row = totals().value(0);
    EXPECT_EQ(row[u"KAPR_KS"_s].toLongLong(), std::numeric_limits<qint32>::min());
    // Plain addition in row order, bit for bit; a compensated sum would give 0.6.
    EXPECT_EQ(row[u"LIN_KG"_s].toDouble(), (0.1 + 0.2) + 0.3);
}

TEST_F(DistrictTotalsTest, RunningTwiceReplacesTheTable)
{
    addThreeDistricts();
    panel->MakeCSum();
    const QList<QVariantMap> first = totals();
    panel->MakeCSum();
    EXPECT_EQ(totals(), first);
}

TEST_F(DistrictTotalsTest, StopDuringTheRunKeepsTheFirstDistrict)
{
    addThreeDistricts();
    bool stopShown = false;
    bool othersEnabled = true;
    int progressSeen = -1;
    // Runs at the first chance the computation gives the window: after the first district.
    QTimer::singleShot(0, panel, [&] {
        stopShown = button(u"ButtonStop"_s)->isVisibleTo(panel);
        for (const char* name : {"ButtonVypocet", "ButtonProhlizeni", "ButtonTisk"})
            othersEnabled = othersEnabled && button(QLatin1String(name))->isEnabled();
        progressSeen = progress->value();
        // Through the window, as the user's click comes, past the input held off meanwhile.
        QPushButton* stop = button(u"ButtonStop"_s);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          stop->mapTo(window.get(), stop->rect().center()));
    });

    button(u"ButtonVypocet"_s)->click();

    EXPECT_TRUE(stopShown);
    EXPECT_FALSE(othersEnabled);
    EXPECT_EQ(progressSeen, 1);
    EXPECT_EQ(totalsDistricts(), QStringList{u"1"_s});
    EXPECT_FALSE(button(u"ButtonStop"_s)->isVisibleTo(panel));
    EXPECT_TRUE(button(u"ButtonVypocet"_s)->isEnabled());
    EXPECT_EQ(progress->value(), 0);
    // The next run starts afresh, without the old stop.
    button(u"ButtonVypocet"_s)->click();
    EXPECT_EQ(totals().size(), 3);
}

TEST_F(DistrictTotalsTest, FailureHalfWayIsShownAndKeepsTheTotals)
{
    addThreeDistricts();
    panel->MakeCSum();
    const QList<QVariantMap> before = totals();
    addReturn({{u"REVIR_CISLO"_s, u"3"_s}, {u"DOCHAZKA"_s, 9}});
    failTotalsFromRow(3);

    button(u"ButtonVypocet"_s)->click();

    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(u"Úprava dat se nepodařila"_s)) << messages[0].toStdString();
    EXPECT_EQ(totals(), before);
    EXPECT_TRUE(button(u"ButtonVypocet"_s)->isEnabled());
}
