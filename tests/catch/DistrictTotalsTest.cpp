#include "TotalsFixture.h"

#include "DistrictTotals.h"
#include "DistrictTotalsPanel.h"
#include "EngineError.h"
#include "TDataModule1.h"
#include "Table.h"

#include <QTimer>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

QStringList districtNumbers(const QList<QVariantMap>& rows)
{
    QStringList numbers;
    for (const QVariantMap& row : rows)
        numbers << row.value(u"REVIR_CISLO"_s).toString();
    return numbers;
}

} // namespace

class DistrictTotalsTest : public TotalsData {
protected:
    // The totals over the districts as the district cursor shows them.
    DistrictTotals rebuild(const QString& kind = u"MP"_s,
                           const DistrictTotals::Progress& progress = {})
    {
        Table districts(db(), u"Reviry"_s + kind + u".DB"_s);
        districts.open();
        DistrictTotals totals(db());
        totals.rebuild(DistrictTotals::districtsOf(districts), u"Su"_s + kind + u"2012.DB"_s,
                       u"CSum"_s + kind + u".DB"_s, progress);
        return totals;
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

    EXPECT_EQ(rebuild().rowsWritten(), 1);

    const QList<QVariantMap> rows = totals();
    ASSERT_EQ(rows.size(), 1);
    const QVariantMap& row = rows[0];
    EXPECT_EQ(row[u"DOCHAZKA"_s].toInt(), 8);
    EXPECT_EQ(row[u"KAPR_KS"_s].toInt(), 3);
    EXPECT_DOUBLE_EQ(row[u"KAPR_KG"_s].toDouble(), 6.5);
    // The last pair, at positions 58 and 59, and a blank pair in between counting as 0.
    EXPECT_EQ(row[u"OSTATNI_KS"_s].toInt(), 4);
    EXPECT_DOUBLE_EQ(row[u"OSTATNI_KG"_s].toDouble(), 1.25);
    EXPECT_EQ(row[u"LIN_KS"_s].toInt(), 0);
    EXPECT_FALSE(row[u"LIN_KS"_s].isNull());
    EXPECT_EQ(row[u"SUMA_KS"_s].toInt(), 7);
    EXPECT_DOUBLE_EQ(row[u"SUMA_KG"_s].toDouble(), 7.75);
    // The leading fields carry the chapter and the district, not a member.
    EXPECT_EQ(row[u"CLEN_CISLO"_s].toString(), u"1234"_s);
    EXPECT_EQ(row[u"PRIJMENI"_s].toString(), u"MO Zeleneč"_s);
    EXPECT_EQ(row[u"EV_CISLO_SUM"_s].toString(), u"2012"_s);
    EXPECT_EQ(row[u"REVIR_CISLO"_s].toString(), u"1"_s);
    EXPECT_EQ(row[u"REVIR_NAZEV"_s].toString(), u"Labe 1"_s);
    EXPECT_TRUE(row[u"CISLO_POVOLENKY"_s].toString().isEmpty());
}

TEST_F(DistrictTotalsTest, RowsFollowTheDistrictTableAndMatchTheNumberExactly)
{
    setDistricts({{u"3"_s, u"Jizera"_s}, {u"2"_s, u"Sázava"_s}, {u"1"_s, u"Labe"_s}});
    for (const QString& number : {u"1"_s, u"3"_s, u"9"_s, u" 1"_s, u"1 "_s, u"01"_s})
        addReturn({{u"REVIR_CISLO"_s, number}, {u"DOCHAZKA"_s, 1}, {u"KAPR_KS"_s, 1}});

    const DistrictTotals run = rebuild();

    // "2" has no return; "9", " 1", "1 " and "01" are no district of the list.
    const QList<QVariantMap> rows = totals();
    EXPECT_EQ(districtNumbers(rows), (QStringList{u"3"_s, u"1"_s}));
    for (const QVariantMap& row : rows)
        EXPECT_EQ(row[u"DOCHAZKA"_s].toInt(), 1) << row[u"REVIR_CISLO"_s].toString().toStdString();
    EXPECT_EQ(run.rowsWritten(), 2);
    EXPECT_FALSE(run.stopped());
}

TEST_F(DistrictTotalsTest, TroutMarkOfEveryRowIsThatOfTheLastReturn)
{
    setDistricts({{u"1"_s, u"Labe"_s}, {u"2"_s, u"Sázava"_s}});
    addReturn({{u"REVIR_CISLO"_s, u"1"_s}, {u"PSTRUHOVA"_s, true}});
    addReturn({{u"REVIR_CISLO"_s, u"2"_s}, {u"PSTRUHOVA"_s, false}});
    rebuild();
    for (const QVariantMap& row : totals())
        EXPECT_FALSE(row[u"PSTRUHOVA"_s].toBool());

    addReturn({{u"REVIR_CISLO"_s, u"7"_s}, {u"PSTRUHOVA"_s, true}});
    rebuild();
    for (const QVariantMap& row : totals())
        EXPECT_TRUE(row[u"PSTRUHOVA"_s].toBool());
}

TEST_F(DistrictTotalsTest, CountsAddInThirtyTwoBitsAndWeightsInRowOrder)
{
    setDistricts({{u"1"_s, u"Labe"_s}});
    addReturn({{u"REVIR_CISLO"_s, u"1"_s},
               {u"KAPR_KS"_s, std::numeric_limits<qint32>::max()},
               {u"LIN_KG"_s, 0.1}});
    addReturn({{u"REVIR_CISLO"_s, u"1"_s}, {u"KAPR_KS"_s, 1}, {u"LIN_KG"_s, 0.2}});
    addReturn({{u"REVIR_CISLO"_s, u"1"_s}, {u"LIN_KG"_s, 0.3}});

    rebuild();

    const QVariantMap row = totals().value(0);
    EXPECT_EQ(row[u"KAPR_KS"_s].toLongLong(), std::numeric_limits<qint32>::min());
    // Plain addition in row order, bit for bit; a compensated sum would give 0.6.
    const double plain = (0.1 + 0.2) + 0.3;
    EXPECT_EQ(row[u"LIN_KG"_s].toDouble(), plain);
    EXPECT_NE(plain, 0.6);
}

TEST_F(DistrictTotalsTest, RunningTwiceReplacesTheTable)
{
    setDistricts({{u"1"_s, u"Labe"_s}, {u"2"_s, u"Sázava"_s}});
    addReturn({{u"REVIR_CISLO"_s, u"1"_s}, {u"DOCHAZKA"_s, 2}});
    addReturn({{u"REVIR_CISLO"_s, u"2"_s}, {u"DOCHAZKA"_s, 4}});
    rebuild();
    const QList<QVariantMap> first = totals();

    rebuild();
    EXPECT_EQ(totals(), first);

    // Returns of a district that has since left the list leave the totals with it.
    setDistricts({{u"2"_s, u"Sázava"_s}});
    rebuild();
    EXPECT_EQ(districtNumbers(totals()), QStringList{u"2"_s});
}

TEST_F(DistrictTotalsTest, StopKeepsTheDistrictsFinishedBeforeIt)
{
    setDistricts({{u"1"_s, u"Labe"_s}, {u"2"_s, u"Sázava"_s}, {u"3"_s, u"Jizera"_s}});
    for (const QString& number : {u"1"_s, u"2"_s, u"3"_s})
        addReturn({{u"REVIR_CISLO"_s, number}, {u"DOCHAZKA"_s, 1}});
    rebuild();

    QList<std::pair<int, int>> told;
    const DistrictTotals run = rebuild(u"MP"_s, [&](int finished, int total) {
        told << std::pair{finished, total};
        return finished < 2;
    });

    EXPECT_TRUE(run.stopped());
    EXPECT_EQ(districtNumbers(totals()), (QStringList{u"1"_s, u"2"_s}));
    EXPECT_EQ(told, (QList<std::pair<int, int>>{{1, 3}, {2, 3}}));
}

TEST_F(DistrictTotalsTest, FailureHalfWayKeepsThePreviousTable)
{
    setDistricts({{u"1"_s, u"Labe"_s}, {u"2"_s, u"Sázava"_s}});
    addReturn({{u"REVIR_CISLO"_s, u"1"_s}, {u"DOCHAZKA"_s, 2}});
    rebuild();
    const QList<QVariantMap> before = totals();
    addReturn({{u"REVIR_CISLO"_s, u"1"_s}, {u"DOCHAZKA"_s, 5}});
    addReturn({{u"REVIR_CISLO"_s, u"2"_s}, {u"DOCHAZKA"_s, 4}});
    failTotalsFromRow(2);

    EXPECT_THROW(rebuild(), EngineError);

    EXPECT_EQ(totals(), before);
}

TEST_F(DistrictTotalsTest, EmptyDistrictListTotalsTheReturnsWithoutDistrict)
{
    addReturn({{u"DOCHAZKA"_s, 2}});
    addReturn({{u"REVIR_CISLO"_s, u"1"_s}, {u"DOCHAZKA"_s, 5}});

    rebuild();

    const QList<QVariantMap> rows = totals();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0][u"REVIR_CISLO"_s].toString().isEmpty());
    EXPECT_EQ(rows[0][u"DOCHAZKA"_s].toInt(), 2);
}

// ---- the panel ------------------------------------------------------------------------------

class DistrictTotalsPanelTest : public TotalsPanelFixture {
protected:
    void addThreeDistricts(const QString& kind = u"MP"_s)
    {
        setDistricts({{u"1"_s, u"Labe"_s}, {u"2"_s, u"Sázava"_s}, {u"3"_s, u"Jizera"_s}}, kind);
        for (const QString& number : {u"1"_s, u"2"_s, u"3"_s})
            addReturn({{u"REVIR_CISLO"_s, number}, {u"DOCHAZKA"_s, 1}}, kind);
        data->TableReviry().refresh();
    }
};

TEST_F(DistrictTotalsPanelTest, ComputationShowsTheTotalsInTheDataModule)
{
    addThreeDistricts();
    data->TableCSum().open();
    EXPECT_EQ(data->TableCSum().recordCount(), 0);

    click(u"ButtonVypocet"_s);

    EXPECT_EQ(data->TableCSum().recordCount(), 3);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_FALSE(shown(u"ButtonStop"_s));
    EXPECT_EQ(progress->value(), 0);
}

TEST_F(DistrictTotalsPanelTest, TroutKindTotalsTheTroutReturns)
{
    addThreeDistricts(u"PS"_s);
    data->switchCatchKind(TDataModule1::Water::PS);

    panel->MakeCSum();

    EXPECT_EQ(totals(u"PS"_s).size(), 3);
    EXPECT_TRUE(totals(u"MP"_s).isEmpty());
}

TEST_F(DistrictTotalsPanelTest, StopDuringTheRunKeepsTheFirstDistrict)
{
    addThreeDistricts();
    bool stopShown = false;
    bool othersEnabled = true;
    int progressSeen = -1;
    // Runs at the first chance the computation gives the window, after the first district.
    QTimer::singleShot(0, panel, [&] {
        stopShown = shown(u"ButtonStop"_s);
        othersEnabled = enabled(u"ButtonVypocet"_s) || enabled(u"ButtonProhlizeni"_s) ||
                        enabled(u"ButtonTisk"_s);
        progressSeen = progress->value();
        click(u"ButtonStop"_s);
    });

    click(u"ButtonVypocet"_s);

    EXPECT_TRUE(stopShown);
    EXPECT_FALSE(othersEnabled);
    EXPECT_EQ(progressSeen, 1);
    EXPECT_EQ(districtNumbers(totals()), QStringList{u"1"_s});
    EXPECT_FALSE(shown(u"ButtonStop"_s));
    EXPECT_TRUE(enabled(u"ButtonVypocet"_s) && enabled(u"ButtonProhlizeni"_s) &&
                enabled(u"ButtonTisk"_s));

    // The next run starts afresh, without the old stop.
    click(u"ButtonVypocet"_s);
    EXPECT_EQ(totals().size(), 3);
}

TEST_F(DistrictTotalsPanelTest, FailureIsShownAndKeepsTheTotals)
{
    addThreeDistricts();
    panel->MakeCSum();
    const QList<QVariantMap> before = totals();
    addReturn({{u"REVIR_CISLO"_s, u"3"_s}, {u"DOCHAZKA"_s, 9}});
    failTotalsFromRow(3);

    click(u"ButtonVypocet"_s);

    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(u"Úprava dat se nepodařila"_s)) << messages[0].toStdString();
    EXPECT_EQ(totals(), before);
    EXPECT_FALSE(shown(u"ButtonStop"_s));
    EXPECT_TRUE(enabled(u"ButtonVypocet"_s));
}

TEST_F(DistrictTotalsPanelTest, MissingYearTableIsShown)
{
    db().execute(u"UPDATE Setup SET PRACOVNI_ROK_SUM = 1995"_s);
    db().touch(u"Setup"_s);

    panel->MakeCSum();

    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(u"SuMP1995"_s, Qt::CaseInsensitive))
        << messages[0].toStdString();
}

TEST_F(DistrictTotalsPanelTest, ShowsTheSummaryYear)
{
    auto* year = panel->findChild<QWidget*>(u"LabelSummaryYear"_s);
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(year->property("text").toString(), u"2012"_s);
}
