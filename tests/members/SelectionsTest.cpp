#include "MembersWindowFixture.h"

#include "DbGrid.h"
#include "JubileeTab.h"
#include "Query.h"
#include "TFClenove.h"
#include "Table.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

class Selections : public MembersWindowTest {
protected:
    void born(const QString& number, const QString& surname, const QDate& birth,
              const QString& since = u"2000"_s)
    {
        addMember(number, surname, {{u"DATUM_NAROZENI"_s, birth}, {u"CLEN_OD_ROKU"_s, since}});
    }
    void press(const QString& name) { child<QPushButton>(name)->click(); }
    void choose(const char* option, const QString& field = {}, const QString& years = {})
    {
        child<QRadioButton>(QLatin1String(option))->setChecked(true);
        if (!field.isEmpty())
            child<QLineEdit>(field)->setText(years);
        press(u"ButtonVyber"_s);
    }
    QString whereLine() { return window().QueryClenove().sql().value(1); }
    QString caption() { return child<QLabel>(u"StaticTextKdo"_s)->text(); }
    QString count() { return child<QLabel>(u"LabelPocetjubil"_s)->text(); }
    QStringList selected(const char* field = "CLEN_CISLO")
    {
        Query& q = window().QueryClenove();
        QStringList values;
        for (q.first(); !q.eof(); q.next())
            values << q.fieldByName(QLatin1String(field)).asString();
        return values;
    }
};

TEST_F(Selections, JubileeOptionsWriteTheirWhereLineCaptionAndCount)
{
    born(u"1"_s, u"Starý"_s, QDate(1966, 6, 15), u"2006"_s);
    born(u"2"_s, u"Mladší"_s, QDate(1966, 6, 16), u"2007"_s);
    born(u"3"_s, u"Padesátník"_s, QDate(1976, 12, 31));
    born(u"4"_s, u"Mladý"_s, QDate(1977, 1, 1));
    start();
    window().jubileeTab().setToday(QDate(2026, 6, 15));

    choose("RadioClenstvi");
    EXPECT_EQ(window().QueryClenove().sql(),
              (QStringList{u"select * from CLENOVE"_s, u"where CLEN_OD_ROKU <= '2006'"_s,
                           u" ORDER BY PRIJMENI "_s}));
    EXPECT_EQ(caption(), u"Členství nad 20"_s);
    EXPECT_EQ(selected(), (QStringList{u"4"_s, u"3"_s, u"1"_s}));
    EXPECT_EQ(count(), u"3 členů"_s);

    choose("RadioVek");
    EXPECT_EQ(whereLine(), u"where DATUM_NAROZENI <= '15.6.1966'"_s);
    EXPECT_EQ(caption(), u"Věk nad 60"_s);
    EXPECT_EQ(selected(), QStringList{u"1"_s});
    EXPECT_EQ(count(), u"1 členů"_s);

    choose("RadioOslavi");
    EXPECT_EQ(whereLine(),
              u"where DATUM_NAROZENI >= '1.1.1976'and   DATUM_NAROZENI <= '31.12.1976'"_s);
    EXPECT_EQ(caption(), u"Věk 50"_s);
    EXPECT_EQ(selected(), QStringList{u"3"_s});

    press(u"ButtonZrusVyber"_s);
    EXPECT_EQ(window().QueryClenove().sql(),
              (QStringList{u"select * from CLENOVE"_s, u" "_s, u" "_s}));
    EXPECT_EQ(caption(), u"Všichni členové"_s);
    EXPECT_EQ(count(), u"4 členů"_s);
}

TEST_F(Selections, AgeOn29FebruaryTakes28FebruaryOfAYearWithoutIt)
{
    born(u"1"_s, u"Únorový"_s, QDate(1963, 2, 28));
    born(u"2"_s, u"Březnový"_s, QDate(1963, 3, 1));
    start();
    window().jubileeTab().setToday(QDate(2024, 2, 29));
    choose("RadioVek", u"EditVek"_s, u"61"_s);
    EXPECT_EQ(whereLine(), u"where DATUM_NAROZENI <= '28.2.1963'"_s);
    EXPECT_EQ(caption(), u"Věk nad 61"_s);
    EXPECT_EQ(selected(), QStringList{u"1"_s});

    choose("RadioVek", u"EditVek"_s, u"4"_s);
    EXPECT_EQ(whereLine(), u"where DATUM_NAROZENI <= '29.2.2020'"_s) << "2020 has the day";
}

TEST_F(Selections, YearsThatAreNoNumberAreRefusedAndTheSelectionStays)
{
    born(u"1"_s, u"Starý"_s, QDate(1950, 1, 1));
    start();
    press(u"ButtonZrusVyber"_s);
    choose("RadioClenstvi", u"EditClenstvi"_s, u"2x"_s);
    EXPECT_EQ(shownTexts(), QStringList{u"„2x“ není platné celé číslo."_s});
    EXPECT_EQ(whereLine(), u" "_s);
    EXPECT_EQ(caption(), u"Všichni členové"_s);
}

TEST_F(Selections, ResidenceTextsAreQuotedAndSelectByTownAndStreetStart)
{
    addMember(u"1"_s, u"Horák"_s, {{u"OBEC"_s, u"Ústí n'L"_s}, {u"ULICE"_s, u"Hlavní 5"_s}});
    addMember(u"2"_s, u"Dolák"_s, {{u"OBEC"_s, u"Ústí n'L"_s}, {u"ULICE"_s, u"Polní 1"_s}});
    addMember(u"3"_s, u"Lesák"_s, {{u"OBEC"_s, u"Lhota"_s}, {u"ULICE"_s, u"Hlavní 7"_s}});
    start();
    child<QLineEdit>(u"EditObec"_s)->setText(u"Ústí n'L"_s);
    child<QLineEdit>(u"EditUlice"_s)->setText(u"Hlav"_s);
    press(u"ButtonVyberBydliste"_s);
    EXPECT_EQ(window().QueryClenove().sql(),
              (QStringList{u"select * from CLENOVE"_s,
                           u"where OBEC = 'Ústí n''L' and ULICE LIKE 'Hlav%'"_s,
                           u" ORDER BY PRIJMENI "_s}));
    EXPECT_EQ(selected(), QStringList{u"1"_s});
    EXPECT_EQ(caption(), u"podle bydliště"_s);
    EXPECT_EQ(count(), u"1 členů"_s);

    child<QLineEdit>(u"EditObec"_s)->clear();
    press(u"ButtonVyberBydliste"_s);
    EXPECT_EQ(whereLine(), u"where ULICE LIKE 'Hlav%'"_s);
    EXPECT_EQ(selected(), (QStringList{u"1"_s, u"3"_s}));

    child<QLineEdit>(u"EditUlice"_s)->setText(u"x' or '1'='1"_s);
    press(u"ButtonVyberBydliste"_s);
    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
    EXPECT_TRUE(selected().isEmpty());
}

TEST_F(Selections, UnpaidMembersOfTheSummaryYearLeaveTheCountAlone)
{
    addMember(u"1"_s, u"Platič"_s, {{u"LAST_CLENSTVI"_s, 2012}});
    addMember(u"2"_s, u"Dlužník"_s, {{u"LAST_CLENSTVI"_s, 2011}});
    addMember(u"3"_s, u"Nový"_s);
    start();
    press(u"ButtonZrusVyber"_s);
    press(u"ButtonNezaplatili"_s);
    EXPECT_EQ(window().QueryClenove().sql(),
              (QStringList{u"select * from CLENOVE"_s,
                           u"where (LAST_CLENSTVI<2012) or (LAST_CLENSTVI is null)"_s,
                           u"ORDER BY PRIJMENI "_s}));
    EXPECT_EQ(caption(), u"Nezaplatili členství 2012"_s);
    EXPECT_EQ(selected(), (QStringList{u"2"_s, u"3"_s}));
    EXPECT_EQ(count(), u"3 členů"_s);
}

TEST_F(Selections, AwardedMembersAreListedOnceAndGetOneEnvelopeEach)
{
    addMember(u"1"_s, u"Zasloužilý"_s, {{u"ULICE"_s, u"Hlavní 1"_s}});
    addMember(u"2"_s, u"Bez"_s);
    addMember(u"3"_s, u"Čestný"_s, {{u"ULICE"_s, u"Polní 2"_s}});
    addRow(u"Vyznam.db"_s, {{u"CLEN_CISLO"_s, u"1"_s}, {u"DRUH_VYZNAMENANI"_s, u"čestné"_s}});
    addRow(u"Vyznam.db"_s, {{u"CLEN_CISLO"_s, u"1"_s}, {u"DRUH_VYZNAMENANI"_s, u"zlaté"_s}});
    addRow(u"Vyznam.db"_s, {{u"CLEN_CISLO"_s, u"3"_s}, {u"DRUH_VYZNAMENANI"_s, u"stříbrné"_s}});
    start();
    choose("RadioVyznamenani");
    EXPECT_EQ(caption(), u"Vyznamenaní členové"_s);
    EXPECT_EQ(selected(), (QStringList{u"3"_s, u"1"_s}));
    EXPECT_EQ(count(), u"2 členů"_s);

    press(u"ButtonAdresar"_s);
    EXPECT_EQ(stored(u"ZPRAVOD.db"_s, u"PRIJMENI"_s), (QStringList{u"Čestný"_s, u"Zasloužilý"_s}));
}

TEST_F(Selections, TheGridsShowTheSelectionAndTheMailingList)
{
    born(u"7"_s, u"Kos"_s, QDate(1980, 3, 4));
    start();
    press(u"ButtonZrusVyber"_s);
    const auto titles = [](QAbstractItemModel* model) {
        QStringList texts;
        for (int i = 0; i < model->columnCount(); ++i)
            texts << model->headerData(i, Qt::Horizontal).toString();
        return texts;
    };
    QAbstractItemModel* selection = child<DbGrid>(u"DBGridJubilea"_s)->model();
    EXPECT_EQ(titles(selection),
              (QStringList{u"Člen číslo"_s, u"Příjmení"_s, u"Jméno"_s, u"Narozen"_s,
                           u"Člen od roku"_s, u"Ulice"_s, u"PSČ"_s, u"Obec"_s}));
    ASSERT_EQ(selection->rowCount(), 1);
    EXPECT_EQ(selection->index(0, 3).data().toString(), u"4.3.1980"_s);
    EXPECT_TRUE(selection->index(0, 3).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);

    QAbstractItemModel* envelopes = child<DbGrid>(u"DBGridZpravod"_s)->model();
    EXPECT_EQ(titles(envelopes), (QStringList{u"PRIJMENI"_s, u"JMENO"_s, u"ULICE"_s, u"PSČ"_s,
                                              u"OBEC"_s, u"př."_s, u"Výtisk"_s}));
    press(u"ButtonAdresar"_s);
    EXPECT_EQ(envelopes->rowCount(), 1);
}

} // namespace
