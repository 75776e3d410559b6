#include "CashDeskFixture.h"

#include "ExternalTool.h"
#include "PdfWords.h"

#include "ReportPainter.h"
#include "Table.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

constexpr double tolerance = 0.01; // mm
constexpr double margin = 10;

void expectAt(const RenderedDocument& document, const QString& name, double left, double top)
{
    const QPointF at = positionOf(document, name);
    EXPECT_NEAR(at.x(), margin + left, tolerance) << name.toStdString();
    EXPECT_NEAR(at.y(), margin + top, tolerance) << name.toStdString();
}

// Every item of the second document lies at the first's place moved by the offsets.
void expectMovedBy(const RenderedDocument& base, const RenderedDocument& moved, double down,
                   double right)
{
    ASSERT_EQ(base.pages.size(), 1);
    ASSERT_EQ(moved.pages.size(), 1);
    const auto& a = base.pages[0].items;
    const auto& b = moved.pages[0].items;
    ASSERT_EQ(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        EXPECT_NEAR(b[i].rect.left() - a[i].rect.left(), right, tolerance)
            << a[i].name.toStdString();
        EXPECT_NEAR(b[i].rect.top() - a[i].rect.top(), down, tolerance) << a[i].name.toStdString();
    }
}

} // namespace

class Documents : public CashDesk {
protected:
    void setCardOffsets(int down, int right)
    {
        chapter->db().execute(
            u"UPDATE Setup SET DOCH_DRAD = %1, DOCH_DSLOUP = %2"_s.arg(down).arg(right));
        chapter->db().touch(u"Setup"_s);
    }
    void rename(const QString& first, const QString& last)
    {
        members().edit();
        members().fieldByName(u"JMENO"_s).setAsString(first);
        members().fieldByName(u"PRIJMENI"_s).setAsString(last);
        members().post();
    }
};

TEST_F(Documents, AttendanceCardLayoutAndOffsetsOnEveryPrint)
{
    issueCard();
    const RenderedDocument base = sink.last(u"TFormTiskDochMP"_s);
    EXPECT_EQ(base.page.paper, PageSetup::Paper::A5);
    EXPECT_EQ(base.page.orientation, QPageLayout::Landscape);
    expectAt(base, u"CLEN_CISLO"_s, 112.7, 57.2);
    expectAt(base, u"PlatiOd"_s, 74.1, 74.1);
    expectAt(base, u"Jmeno"_s, 84.7, 82.3);
    expectAt(base, u"PSC"_s, 127.5, 99.0);
    expectAt(base, u"Datum"_s, 122.8, 135.5);
    EXPECT_EQ(textOf(base, u"Jmeno"_s), u"Ing.  Jan  Novák"_s);
    EXPECT_EQ(textOf(base, u"Sdeleni"_s), settings.message);
    EXPECT_EQ(textOf(base, u"NAZEV_ORGANIZACE"_s), u"MO Zeleneč"_s);
    EXPECT_EQ(textOf(base, u"Datum"_s), QDate::currentDate().toString(u"d.M.yyyy"_s));
    ASSERT_EQ(base.itemsNamed(u"CarovyKod"_s).size(), 1);
    EXPECT_EQ(base.itemsNamed(u"CarovyKod"_s).first()->kind, RenderedDocument::Item::Kind::Image);

    setCardOffsets(5, -3);
    for (int print = 0; print < 2; ++print) {
        click(u"ButtonOpakovatTisk"_s);
        expectMovedBy(base, sink.last(u"TFormTiskDochMP"_s), 5, -3);
    }

    settings.barcode = false;
    click(u"ButtonOpakovatTisk"_s);
    EXPECT_TRUE(sink.last(u"TFormTiskDochMP"_s).itemsNamed(u"CarovyKod"_s).isEmpty())
        << "no stale barcode from the card before";
}

TEST_F(Documents, MembershipCardWithOffsetsTwiceAndBirthSetting)
{
    click(u"ButtonTiskPrukazu"_s);
    const RenderedDocument base = sink.last(u"TFormTPrukaz"_s);
    EXPECT_EQ(base.page.orientation, QPageLayout::Landscape);
    expectAt(base, u"CISLO_LEGITIMACE"_s, 101.6, 59.8);
    expectAt(base, u"Narozen"_s, 101.6, 74.6);
    expectAt(base, u"Adresa"_s, 38.1, 92.3);
    expectAt(base, u"NAZEV_ORGANIZACE"_s, 95.2, 101.6);
    EXPECT_EQ(textOf(base, u"Narozen"_s), u"4.3.1970"_s);
    EXPECT_EQ(textOf(base, u"Jmeno"_s), u"Ing.  Jan  Novák"_s);
    EXPECT_EQ(textOf(base, u"Adresa"_s), u"Lipová 7     25091  Zeleneč"_s);
    EXPECT_EQ(base.itemsNamed(u"CISLO_LEGITIMACE"_s).first()->font.size, 12);

    settings.rows[int(PrintSettings::Document::MembershipCard)] = 3;
    settings.columns[int(PrintSettings::Document::MembershipCard)] = -2;
    for (int print = 0; print < 2; ++print) {
        click(u"ButtonTiskPrukazu"_s);
        expectMovedBy(base, sink.last(u"TFormTPrukaz"_s), 3, -2);
    }

    settings.birthNumber = true;
    selectMember(u"101"_s);
    click(u"ButtonTiskPrukazu"_s);
    EXPECT_EQ(textOf(sink.last(u"TFormTPrukaz"_s), u"Narozen"_s), u"500102/111"_s);
    EXPECT_EQ(textOf(sink.last(u"TFormTPrukaz"_s), u"Jmeno"_s), u"  Petr  Dvořák"_s)
        << "no title still leaves the two blanks";
}

struct NameCase {
    const char16_t* first;
    const char16_t* last;
    double points;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << (QString::fromUtf16(c.first) + u' ' + QString::fromUtf16(c.last)).size() << "_chars";
}

class PermitCardName : public Documents, public ::testing::WithParamInterface<NameCase> {};

TEST_P(PermitCardName, LongNamesPrintSmaller)
{
    rename(QString::fromUtf16(GetParam().first), QString::fromUtf16(GetParam().last));
    click(u"ButtonTiskPovolenky"_s);
    const RenderedDocument& card = sink.last(u"TFormTPovol"_s);
    ASSERT_EQ(card.itemsNamed(u"Jmeno"_s).size(), 1);
    EXPECT_EQ(card.itemsNamed(u"Jmeno"_s).first()->font.size, GetParam().points);
    expectAt(card, u"Jmeno"_s, 76.7, 4.2);
    expectAt(card, u"CISLO_LEGITIMACE"_s, 50.8, 4.2);
}

INSTANTIATE_TEST_SUITE_P(Documents, PermitCardName,
                         ::testing::Values(NameCase{u"Jan", u"Novák", 10},        // 9
                                           NameCase{u"Ota", u"Šťastnýová", 10},   // 14
                                           NameCase{u"Otto", u"Šťastnýová", 8})); // 15

TEST_F(Documents, TransferFormCarriesNotesYearAndToday)
{
    settings.rows[int(PrintSettings::Document::TransferForm)] = 1;
    click(u"ButtonTiskPrevodky"_s);
    const RenderedDocument& form = sink.last(u"TFormTPrevodka"_s);
    EXPECT_EQ(form.textsNamed(u"ZAZNAMY"_s),
              (QStringList{u"Převzal čl. průkaz"_s, u"Dluží brigádu"_s}));
    EXPECT_EQ(textOf(form, u"PRACOVNI_ROK"_s), u"2026"_s);
    EXPECT_EQ(textOf(form, u"Datum"_s), QDate::currentDate().toString(u"d.M.yyyy"_s));
    expectAt(form, u"Jmeno"_s, 80.4, 29.6 + 1);
    expectAt(form, u"PRACOVNI_ROK"_s, 101.6, 103.2 + 1);
    EXPECT_TRUE(form.itemsNamed(u"RODNE_CISLO"_s).isEmpty());

    settings.birthNumber = true;
    click(u"ButtonTiskPrevodky"_s);
    EXPECT_EQ(textOf(sink.last(u"TFormTPrevodka"_s), u"RODNE_CISLO"_s), u"700304/1234"_s);
}

TEST_F(Documents, ReceiptHasTwoEqualPartsTheSecondLower)
{
    click(u"CheckBoxMasterPOPL"_s);
    insert();
    save();
    const RenderedDocument& receipt = sink.last(u"TFormPotvr"_s);
    ASSERT_EQ(receipt.pageCount(), 1);
    const double part2 = 135.2 + 10.6;
    expectAt(receipt, u"Nadpis_1"_s, 4.2, 4.2);
    expectAt(receipt, u"Nadpis_2"_s, 4.2, 4.2 + part2);
    expectAt(receipt, u"CLEN_CISLO_1"_s, 25.7, 23.3);
    expectAt(receipt, u"CLEN_CISLO_2"_s, 25.7, 23.3 + part2);
    expectAt(receipt, u"Cast_1"_s, 171.4, 25.4);
    expectAt(receipt, u"Cast_2"_s, 171.4, 25.4 + part2);
    EXPECT_EQ(textOf(receipt, u"Cast_1"_s), u"Část  1"_s);
    EXPECT_EQ(textOf(receipt, u"Cast_2"_s), u"Část  2"_s);
    // Row 8 of the first column, and amounts right-aligned in their box.
    EXPECT_NEAR(positionOf(receipt, u"POSTOVNE_1"_s).y(), margin + 40.2 + 7 * 6.35, tolerance);
    const QRectF amount = receipt.itemsNamed(u"CLEN_PRISP_1"_s).first()->rect;
    EXPECT_NEAR(amount.right(), margin + 29.6 + 8.7, 0.05);
    EXPECT_EQ(textOf(receipt, u"CLEN_PRISP_1"_s), QString::number(fee(u"CLEN_PRISP"_s)));
    EXPECT_EQ(textOf(receipt, u"ZAPISNE_2"_s), u"0"_s);
    EXPECT_EQ(textOf(receipt, u"Rok_1"_s), u"2026"_s);
}

// The card through the real print path: a PDF as the printer would get it, read back by
// poppler for the text and by a barcode reader for the symbol.
TEST_F(Documents, AttendanceCardThroughPdf)
{
    setCardOffsets(5, -3);
    issueCard();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"karta.pdf"_s);
    ReportPainter::writePdf(sink.last(u"TFormTiskDochMP"_s), pdf);

    EXPECT_NEAR(wordOf(pdfWords(pdf), u"31.12.2026"_s).box.left(), margin + 116.4 - 3, 0.5);

    runTool(u"pdftoppm"_s, {u"-r"_s, u"300"_s, u"-png"_s, pdf, dir.filePath(u"karta"_s)});
    const QStringList pages = QDir(dir.path()).entryList({u"karta*.png"_s});
    ASSERT_EQ(pages.size(), 1);
    const QString decoded =
        runTool(u"zbarimg"_s, {u"-q"_s, u"--raw"_s, dir.filePath(pages.first())});
    EXPECT_TRUE(decoded.contains(u"100"_s)) << decoded.toStdString();
}
