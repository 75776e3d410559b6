#include "ExternalTool.h"
#include "ReportTestData.h"

#include "Code128.h"
#include "Report.h"
#include "ReportImage.h"
#include "ReportRunner.h"

#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int DotsPerMeter96 = 3780;

// The picture of the attendance card's barcode box (55.3 x 8.7 mm at 96 dpi), white, with
// the member number drawn from 1,1 as the card does.
QImage cardBarcode(const QString& number)
{
    QImage canvas(209, 33, QImage::Format_RGB32);
    canvas.setDotsPerMeterX(DotsPerMeter96);
    canvas.setDotsPerMeterY(DotsPerMeter96);
    canvas.fill(Qt::white);
    Code128::draw(canvas, number, QPoint(1, 1), 1, 2.0, 33);
    return canvas;
}

struct Decoded {
    QString type;
    QString modifiers;
    QString data;
};

// What zbar reads from a page image.
QList<Decoded> decode(const QString& image)
{
    QList<Decoded> found;
    QXmlStreamReader xml(runTool(u"zbarimg"_s, {u"-q"_s, u"--xml"_s, image}));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != "symbol"_L1)
            continue;
        Decoded d{xml.attributes().value("type"_L1).toString(),
                  xml.attributes().value("modifiers"_L1).toString(),
                  {}};
        while (!(xml.readNext() == QXmlStreamReader::StartElement && xml.name() == "data"_L1))
            ;
        d.data = xml.readElementText();
        found << d;
    }
    return found;
}

class CardBarcode : public ::testing::TestWithParam<const char*> {};

// Through the whole path a card takes: the image printable of an A5 card, the PDF, a
// 300 dpi rendering of it, and a scanner's decoder.
TEST_P(CardBarcode, PrintedSymbolDecodesToTheMemberNumber)
{
    const QString number = QString::fromLatin1(GetParam());
    Report card(u"TFormTiskDochMP"_s);
    card.page().paper = PageSetup::Paper::A5;
    card.page().orientation = QPageLayout::Landscape;
    card.page().margins = QMarginsF(10, 10, 0, 0);
    auto* image = card.addBand(BandKind::Title, 138)->add<ReportImage>(93.1, 122.8, 55.3, 8.7);
    image->setCentred(true);
    image->setPicture(cardBarcode(number));

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"karta.pdf"_s);
    ReportRunner::exportPdf(card, pdf);
    const QString page = dir.filePath(u"karta"_s);
    runTool(u"pdftoppm"_s, {u"-r"_s, u"300"_s, u"-png"_s, u"-singlefile"_s, pdf, page});

    const QList<Decoded> symbols = decode(page + u".png"_s);
    ASSERT_EQ(symbols.size(), 1);
    EXPECT_EQ(symbols[0].type, u"CODE-128"_s);
    // zbar names a Code 128 that opens with FNC1 by its GS1 modifier and leaves the FNC1
    // out of the data.
    EXPECT_EQ(symbols[0].modifiers, u"GS1"_s);
    EXPECT_EQ(symbols[0].data, number);
}

INSTANTIATE_TEST_SUITE_P(MemberNumbers, CardBarcode,
                         ::testing::Values("123", "0456", "105", "A12", "Ab-9"), CaseNumber());

TEST(Code128Symbol, StartsAtTheGivenCornerWithFixedModulesAndHeight)
{
    const QImage image = cardBarcode(u"123"_s);
    // Start A, FNC1, three characters and the check value take 11 modules each, the stop 13.
    const int modules = 6 * 11 + 13;
    auto dark = [&image](int x, int y) {
        return qGray(image.pixel(x, y)) < 128;
    };
    for (int x = 0; x < image.width(); ++x)
        EXPECT_FALSE(dark(x, 0)) << "row 0 stays white";
    for (int y = 0; y < image.height(); ++y)
        EXPECT_FALSE(dark(0, y)) << "column 0 stays white";
    EXPECT_TRUE(dark(1, 1));
    EXPECT_TRUE(dark(1, 32));
    EXPECT_TRUE(dark(modules, 1)) << "the stop's last bar";
    for (int x = modules + 1; x < image.width(); ++x)
        EXPECT_FALSE(dark(x, 16));
}

TEST(Code128Symbol, TextOutsideAsciiDrawsNothing)
{
    QImage image = cardBarcode(QString());
    const QImage before = image;
    EXPECT_FALSE(Code128::draw(image, u"Č12"_s, QPoint(1, 1)));
    EXPECT_EQ(image, before);
    EXPECT_TRUE(Code128::image(u"Č12"_s).isNull());
    EXPECT_FALSE(Code128::image(u"12"_s).isNull());
}

} // namespace
