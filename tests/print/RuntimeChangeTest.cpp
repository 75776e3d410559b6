#include "ReportTestData.h"

#include "Report.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportShape.h"
#include "Table.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double Margin = 10;

// The membership card: one title band of items the program changes between prints.
class MembershipCard : public ::testing::Test {
protected:
    MembershipCard()
        : members(data.db(), u"Clenove.DB"_s)
        , report(u"TFormTPrukaz"_s)
    {
        data.append(u"Clenove.DB"_s, {{u"CLEN_CISLO"_s, u"1234"_s},
                                      {u"PRIJMENI"_s, u"Dvořák"_s},
                                      {u"CISLO_LEGITIMACE"_s, u"L-77"_s},
                                      {u"RODNE_CISLO"_s, u"700109/1234"_s},
                                      {u"DATUM_NAROZENI"_s, QDate(1970, 1, 9)}});
        members.open();
        report.page().orientation = QPageLayout::Landscape;
        title = report.addBand(BandKind::Title, 120);
        card = title->add<ReportField>(101.6, 59.8, &members, u"CISLO_LEGITIMACE"_s);
        card->setName(u"card"_s);
        card->setFontSize(12);
        birth = title->add<ReportField>(101.6, 74.6, &members, u"DATUM_NAROZENI"_s);
        birth->setName(u"birth"_s);
        note = title->add<ReportLabel>(38.1, 84.7, u"Čestný člen"_s);
        note->setName(u"note"_s);
    }

    const RenderedDocument::Item& only(const RenderedDocument& doc, const QString& name)
    {
        const auto items = doc.itemsNamed(name);
        EXPECT_EQ(items.size(), 1) << name.toStdString();
        static const RenderedDocument::Item none;
        return items.isEmpty() ? none : *items.first();
    }

    ReportTestData data;
    Table members;
    Report report;
    ReportBand* title;
    ReportField* card;
    ReportField* birth;
    ReportLabel* note;
};

TEST_F(MembershipCard, DisabledOrHiddenItemsStayOffThePaperUntilSwitchedBack)
{
    note->setEnabled(false);
    birth->setVisible(false);
    RenderedDocument doc = generate(report);
    EXPECT_TRUE(doc.itemsNamed(u"note"_s).isEmpty());
    EXPECT_TRUE(doc.itemsNamed(u"birth"_s).isEmpty());
    EXPECT_EQ(pageTexts(doc, 0), QStringList{u"L-77"_s});

    note->setEnabled(true);
    birth->setVisible(true);
    doc = generate(report);
    EXPECT_EQ(only(doc, u"note"_s).text, u"Čestný člen"_s);
    EXPECT_EQ(only(doc, u"birth"_s).text, u"9.1.1970"_s);
}

TEST_F(MembershipCard, ChangesBeforeAndDuringPrintingShowInThatPrint)
{
    // As the program does at the start of each print: shift by the offsets, rebind the
    // birth item to the birth number, set the caption and the size.
    report.beforePrint = [this](Report&) {
        for (Printable* item : report.printables())
            item->moveTo(item->left() - 2, item->top() + 3);
        birth->setField(u"RODNE_CISLO"_s);
        note->setCaption(u"Jubilant"_s);
        card->setFontSize(14);
    };
    QString seen;
    card->onPrint = [&seen](Printable&, QString& text) {
        seen = text;
        text = u"č. "_s + text;
    };
    const RenderedDocument doc = generate(report);
    const RenderedDocument::Item& printedCard = only(doc, u"card"_s);
    EXPECT_DOUBLE_EQ(printedCard.rect.left(), Margin + 99.6);
    EXPECT_DOUBLE_EQ(printedCard.rect.top(), Margin + 62.8);
    EXPECT_EQ(printedCard.font.size, 14);
    EXPECT_EQ(seen, u"L-77"_s);
    EXPECT_EQ(printedCard.text, u"č. L-77"_s);
    EXPECT_EQ(only(doc, u"birth"_s).text, u"700109/1234"_s);
    EXPECT_EQ(only(doc, u"note"_s).text, u"Jubilant"_s);
}

TEST_F(MembershipCard, TextsAlignWithinTheirWidthAndAreCutAtIt)
{
    note->setWidth(60);
    note->setAlignment(Printable::Align::Right);
    card->setWidth(40);
    card->setAlignment(Printable::Align::Centre);
    birth->setWidth(5);
    RenderedDocument doc = generate(report);
    EXPECT_NEAR(only(doc, u"note"_s).rect.right(), Margin + 38.1 + 60, 0.001);
    EXPECT_NEAR(only(doc, u"card"_s).rect.center().x(), Margin + 101.6 + 20, 0.001);
    EXPECT_TRUE(only(doc, u"card"_s).clip.isNull());
    const RenderedDocument::Item& cut = only(doc, u"birth"_s);
    EXPECT_DOUBLE_EQ(cut.clip.left(), Margin + 101.6);
    EXPECT_DOUBLE_EQ(cut.clip.width(), 5.0);
    EXPECT_GT(cut.rect.width(), 5.0);
}

int topLines(const RenderedDocument& doc)
{
    int lines = 0;
    for (const RenderedDocument::Item& item : doc.pages[0].items)
        lines += item.kind == RenderedDocument::Item::Kind::Line && item.name.isEmpty() &&
                 item.rect.height() == 0;
    return lines;
}

// The cash listing: a payment kind opens with a line along the top of its first row.
TEST(CashListingLines, BandTopLineFollowsTheBeforePrintEvent)
{
    ReportTestData data;
    for (const char* kind : {"Povolenky", "Povolenky", "Známky", "Povolenky"})
        data.append(u"VYCETKA.db"_s, {{u"TYP_PLATBY"_s, QString::fromUtf8(kind)}});
    Table listing(data.db(), u"VYCETKA.db"_s);
    listing.open();
    Report report(u"TFormTVycet"_s);
    report.setDataSet(&listing);
    ReportBand* detail = report.addBand(BandKind::Detail, 6);
    auto* kind = detail->add<ReportField>(0.0, 0.0, &listing, u"TYP_PLATBY"_s);
    kind->setName(u"kind"_s);
    detail->add<ReportShape>(ReportShape::Kind::VerticalLine, 50.0, 0.0, 0.0, 6.0)
        ->setName(u"rule"_s);
    QString previous;
    report.beforePrint = [&previous](Report&) {
        previous.clear();
    };
    detail->beforePrint = [&](ReportBand& band, bool&) {
        const QString current = listing.fieldByName(u"TYP_PLATBY"_s).asString();
        band.setTopFrame(current != previous);
        kind->setEnabled(current != previous);
        previous = current;
    };

    for (int run = 0; run < 2; ++run) {
        const RenderedDocument doc = generate(report);
        EXPECT_EQ(doc.textsNamed(u"kind"_s),
                  (QStringList{u"Povolenky"_s, u"Známky"_s, u"Povolenky"_s}));
        EXPECT_EQ(topLines(doc), 3);
        EXPECT_EQ(doc.itemsNamed(u"rule"_s).size(), 4);
    }
}

} // namespace
