#include "MembersWindowFixture.h"

#include "JubileeTab.h"
#include "PrintTab.h"
#include "RecordingSink.h"
#include "ReportCsv.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class ListPrintsTest : public MembersWindowTest {
protected:
    void SetUp() override
    {
        MembersWindowTest::SetUp();
        addMember(u"101"_s, u"Novák"_s, {{u"ULICE"_s, u"Hlavní 1"_s}});
        addMember(u"205"_s, u"Adamec"_s);
        addRow(u"Vyznam.db"_s,
               {{u"CLEN_CISLO"_s, u"205"_s}, {u"DRUH_VYZNAMENANI"_s, u"Za zásluhy"_s}});
    }
    void startWithSink()
    {
        start();
        reports().setSink(&sink);
    }

    RecordingSink sink;
};

TEST_F(ListPrintsTest, EveryListButtonOfThePrintTabsRunsItsReport)
{
    startWithSink();
    window().printTab().findChild<QLineEdit*>(u"EditSkupina"_s)->setText(u"1"_s);
    for (const char* name :
         {"ButtonTiskAdresare", "ButtonTiskSkupiny", "ButtonVolnaCisla", "ButtonTiskBrigad"})
        child<QPushButton>(QString::fromLatin1(name))->click();
    child<QPushButton>(u"ButtonTiskVyznamenanych"_s)->click();

    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'\n').toStdString();
    // Each list can go to a spreadsheet as it printed.
    const QString csv = QString::fromUtf8(ReportCsv::toCsv(sink.last(u"TFormTAdresar"_s).table));
    EXPECT_TRUE(csv.contains(u"Novák"_s)) << csv.toStdString();
    EXPECT_TRUE(csv.contains(u"Hlavní 1"_s)) << csv.toStdString();
    EXPECT_EQ(sink.names(), (QStringList{u"TFormTAdresar"_s, u"TFormTAdresar"_s, u"TFormFreeNum"_s,
                                         u"TFormTBrig"_s, u"TFormVyznam"_s}));
}

TEST_F(ListPrintsTest, AnEmptyGroupPrintsNoGroupListAndABadBrigadeYearIsRefused)
{
    startWithSink();
    child<QPushButton>(u"ButtonTiskSkupiny"_s)->click();
    EXPECT_TRUE(sink.deliveries.isEmpty());

    window().setEvaluatedBrigadeYear(u"20x2"_s);
    child<QPushButton>(u"ButtonTiskBrigad"_s)->click();
    EXPECT_EQ(shownTexts(), QStringList{u"„20x2“ není platné celé číslo."_s});
    EXPECT_TRUE(sink.deliveries.isEmpty());
}

class EnvelopeTest : public ListPrintsTest {
protected:
    void addEnvelope(const QString& surname, int enclosed, bool made)
    {
        addRow(u"ZPRAVOD.db"_s, {{u"PRIJMENI"_s, surname},
                                 {u"ULICE"_s, u"Polní 7"_s},
                                 {u"OBEC"_s, u"Lhota"_s},
                                 {u"PSC"_s, u"252 01"_s},
                                 {u"PRILOHA"_s, enclosed},
                                 {u"VYTISKNUTO"_s, made}});
    }
    void printBatch(const QString& count)
    {
        window().printTab().findChild<QLineEdit*>(u"Edit_Kolik"_s)->setText(count);
        child<QPushButton>(u"ButtonTiskObalek"_s)->click();
    }
    QString remaining() { return child<QLineEdit>(u"EditZbyva"_s)->text(); }
};

TEST_F(EnvelopeTest, ABatchMakesTheUnmadeEnvelopesAtMostAHundredAndMarksThem)
{
    addEnvelope(u"Dvořák"_s, 2, false);
    addEnvelope(u"Malý"_s, 0, true);
    for (int i = 0; i < 120; ++i)
        addEnvelope(u"Člen %1"_s.arg(i), 0, false);
    startWithSink();
    printBatch(u"250"_s);

    ASSERT_EQ(sink.names(), QStringList{u"TFormTAdr"_s});
    const RenderedDocument& batch = sink.last(u"TFormTAdr"_s);
    EXPECT_EQ(batch.pages.size(), 100);
    EXPECT_EQ(batch.textsNamed(u"PRIJMENI"_s).value(0), u"Dvořák"_s);
    EXPECT_FALSE(batch.textsNamed(u"PRIJMENI"_s).contains(u"Malý"_s));
    EXPECT_EQ(batch.textsNamed(u"Priloha"_s).value(0), u"příloha 3 x"_s);
    EXPECT_EQ(batch.textsNamed(u"MO_NAZEV_ORGANIZACE"_s).size(), 100);
    EXPECT_EQ(remaining(), u"21"_s);

    // The next batch goes on where this one stopped; nothing left makes nothing.
    printBatch(u"100"_s);
    EXPECT_EQ(sink.last(u"TFormTAdr"_s).pages.size(), 21);
    EXPECT_EQ(remaining(), u"0"_s);
    printBatch(u"100"_s);
    EXPECT_EQ(sink.deliveries.size(), 2);
}

TEST_F(EnvelopeTest, NoCountMakesNothingAndASingleEnvelopeLeavesItsMark)
{
    addEnvelope(u"Dvořák"_s, 0, true);
    addEnvelope(u"Malý"_s, 0, false);
    startWithSink();
    printBatch(u"-1"_s);
    printBatch(u"0"_s);
    EXPECT_TRUE(sink.deliveries.isEmpty());
    printBatch(u"pět"_s);
    EXPECT_EQ(shownTexts(), QStringList{u"„pět“ není platné celé číslo."_s});

    window().printTab().findChild<QCheckBox*>(u"CheckBoxAdresaMO"_s)->setChecked(false);
    data().TableZpravod().first();
    window().printTab().envelopeRequested();
    ASSERT_EQ(sink.deliveries.size(), 1);
    const RenderedDocument& single = sink.last(u"TFormTAdr"_s);
    EXPECT_EQ(single.pages.size(), 1);
    EXPECT_EQ(single.textsNamed(u"PRIJMENI"_s), QStringList{u"Dvořák"_s});
    EXPECT_TRUE(single.textsNamed(u"MO_NAZEV_ORGANIZACE"_s).isEmpty());
    EXPECT_EQ(stored(u"ZPRAVOD.db"_s, u"VYTISKNUTO"_s), (QStringList{u"True"_s, u"False"_s}));
}

TEST_F(EnvelopeTest, TheMailingListGoesToASpreadsheetOneLinePerEnvelope)
{
    addEnvelope(u"Dvořák; syn"_s, 2, false);
    addEnvelope(u"Malý"_s, 0, true);
    start();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"adresar.csv"_s);
    window().printTab().saveMailingListCsv(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], u"PRIJMENI;JMENO;TITUL;ULICE;PSC;OBEC;PRILOHA;VYTISKNUTO"_s);
    EXPECT_TRUE(lines[1].startsWith(u"\"Dvořák; syn\";;;Polní 7;252 01;Lhota;2;"_s))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(u"Malý;"_s));
}

} // namespace
