#include "CashDeskFixture.h"

#include "ExternalTool.h"
#include "PdfWords.h"
#include "ReportPainter.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

// Every document printed through a PDF with long, real addresses: each text must come out on
// the paper, as its own words, and inside the frame the layout draws around it.
namespace {

constexpr double Slack = 0.2; // mm: poppler's boxes against ours

// The letters of a page's texts, sorted: cut or lost text shows, while an amount may meet its
// currency (",- Kč") as the layouts mean it to.
QString lettersOfTexts(const RenderedDocument& document, int page, const QStringList& left)
{
    QString letters;
    for (const RenderedDocument::Item& item : document.pages[page].items)
        if (item.kind == RenderedDocument::Item::Kind::Text && !left.contains(item.text))
            letters += item.text;
    letters.remove(u' ');
    std::sort(letters.begin(), letters.end());
    return letters;
}

QString lettersOnPage(const QList<PdfWord>& words, int page)
{
    QString letters;
    for (const PdfWord& w : words)
        if (w.page == page)
            letters += w.text;
    std::sort(letters.begin(), letters.end());
    return letters;
}

// The words of the first page whose line starts at that top, from left to right.
QList<PdfWord> lineAt(const QList<PdfWord>& words, double top)
{
    QList<PdfWord> line;
    for (const PdfWord& w : words)
        if (w.page == 0 && std::abs(w.box.top() - top) < 0.5)
            line << w;
    std::sort(line.begin(), line.end(),
              [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
    return line;
}

QString pdfTitle(const QString& pdf)
{
    for (const QString& line : runTool(u"pdfinfo"_s, {pdf}).split(u'\n'))
        if (line.startsWith(u"Title:"_s))
            return line.mid(6).trimmed();
    return {};
}

bool inside(const QRectF& frame, const QRectF& box)
{
    return frame.adjusted(-Slack, -Slack, Slack, Slack).contains(box);
}

QList<PdfWord> wordsIn(const QList<PdfWord>& words, const QRectF& area)
{
    QList<PdfWord> found;
    for (const PdfWord& w : words)
        if (area.intersects(w.box))
            found << w;
    return found;
}

} // namespace

class DocumentPages : public CashDesk {
protected:
    void SetUp() override
    {
        CashDesk::SetUp();
        chapter->db().execute(u"UPDATE Setup SET NAZEV_ORGANIZACE = 'MO Lhota nad Sázavou', "
                              "ULICE = 'Náměstí Svobody 1234', PSC = '257 01', "
                              "OBEC = 'Lhota nad Sázavou'"_s);
        chapter->db().touch(u"Setup"_s);
        members().edit();
        members().fieldByName(u"TITUL"_s).setAsString(u"Ing."_s);
        members().fieldByName(u"JMENO"_s).setAsString(u"Jaroslav"_s);
        members().fieldByName(u"PRIJMENI"_s).setAsString(u"Novotný-Procházka"_s);
        members().fieldByName(u"ULICE"_s).setAsString(u"Nábřeží Kapitána Jaroše 1234"_s);
        members().fieldByName(u"PSC"_s).setAsString(u"257 01"_s);
        members().fieldByName(u"OBEC"_s).setAsString(u"Lhota nad Sázavou"_s);
        members().post();
    }

    // Writes the document as the printer would get it and reads it back.
    QList<PdfWord> throughPdf(const RenderedDocument& document)
    {
        m_pdf = m_dir.filePath(document.reportName + u".pdf"_s);
        ReportPainter::writePdf(document, m_pdf);
        return pdfWords(m_pdf);
    }

    // Every letter of every text comes out, and all of it on the paper. A text the layout
    // puts past the paper's edge is left out.
    void expectWholeOnPaper(const RenderedDocument& document, const QList<PdfWord>& words,
                            const QStringList& keptOffPaper = {})
    {
        const QRectF paper(QPointF(0, 0), document.page.paperSize());
        for (int page = 0; page < document.pageCount(); ++page)
            EXPECT_EQ(lettersOnPage(words, page), lettersOfTexts(document, page, keptOffPaper))
                << document.reportName.toStdString();
        for (const PdfWord& w : words) {
            EXPECT_TRUE(inside(paper, w.box))
                << document.reportName.toStdString() << ": " << w.text.toStdString() << " at "
                << w.box.left() << "," << w.box.top() << " to " << w.box.right() << ","
                << w.box.bottom();
        }
    }

    // The page as a picture at 150 dpi.
    QImage picture()
    {
        runTool(u"pdftoppm"_s,
                {u"-r"_s, u"150"_s, u"-png"_s, u"-singlefile"_s, m_pdf, m_dir.filePath(u"p"_s)});
        return QImage(m_dir.filePath(u"p.png"_s));
    }

    QTemporaryDir m_dir;
    QString m_pdf;
};

TEST_F(DocumentPages, StationeryCardsKeepEveryTextOnThePaper)
{
    click(u"ButtonTiskPrukazu"_s);
    click(u"ButtonTiskPovolenky"_s);
    settings.birthNumber = true;
    click(u"ButtonTiskPrevodky"_s);
    for (const char* name : {"TFormTPrukaz", "TFormTPovol", "TFormTPrevodka"}) {
        const RenderedDocument& document = sink.last(QLatin1String(name));
        expectWholeOnPaper(document, throughPdf(document));
    }
}

TEST_F(DocumentPages, AttendanceCardKeepsItsTextsOnTheCard)
{
    issueCard();
    const RenderedDocument& card = sink.last(u"TFormTiskDochMP"_s);
    const QList<PdfWord> words = throughPdf(card);
    // The date's line starts 2.5 mm above the card's bottom edge, where the card's layout
    // puts it, so most of it is cut; it stays there for the cards already printed.
    const QString date = textOf(card, u"Datum"_s);
    expectWholeOnPaper(card, words, {date});
    EXPECT_NEAR(positionOf(card, u"Datum"_s).y(), card.page.paperSize().height() - 2.5, 0.01);
}

TEST_F(DocumentPages, ReceiptTextsStayInsideTheirFrames)
{
    settings.birthNumber = false;
    click(u"CheckBoxMasterPOPL"_s);
    insert();
    save();
    const RenderedDocument& receipt = sink.last(u"TFormPotvr"_s);
    const QList<PdfWord> words = throughPdf(receipt);
    expectWholeOnPaper(receipt, words);

    // The chapter's address line apart word by word, and within the page's margin.
    const QList<PdfWord> address = lineAt(words, 10 + 8.5);
    QStringList texts;
    for (const PdfWord& w : address)
        texts << w.text;
    EXPECT_EQ(texts.join(u' '), u"Náměstí Svobody 1234 257 01 Lhota nad Sázavou"_s);
    for (qsizetype i = 1; i < address.size(); ++i)
        EXPECT_LT(address[i - 1].box.right(), address[i].box.left()) << texts[i].toStdString();
    EXPECT_LE(address.last().box.right(), 200 + Slack);

    // The first half above the line that ends its band, and the payer's data inside its box.
    const double margin = 10;
    for (const PdfWord& w : words) {
        if (w.box.top() < margin + 135.2) {
            EXPECT_LT(w.box.bottom(), margin + 135.2 + Slack) << w.text.toStdString();
        }
    }
    const QRectF payerBox(margin, margin + 21.2, 190, 13.0);
    const QRectF totalBox(margin + 122.8, margin + 79.1, 59.5, 6.6);
    for (const QRectF& frame : {payerBox, totalBox}) {
        // The caption on the payer box's top line begins above it: the frame's own.
        for (const PdfWord& w : wordsIn(words, frame)) {
            if (w.box.top() >= frame.top()) {
                EXPECT_TRUE(inside(frame, w.box)) << w.text.toStdString();
            }
        }
    }

    // The box's caption stands on its top line like a group's title: the line stops at it.
    const PdfWord data = wordOf(words, u"Data"_s);
    const PdfWord payer = wordOf(words, u"plátce"_s);
    const QImage page = picture();
    ASSERT_FALSE(page.isNull());
    const double dotsPerMm = 150 / 25.4;
    const QPoint gap(int((data.box.right() + payer.box.left()) / 2 * dotsPerMm),
                     int((margin + 21.2) * dotsPerMm));
    EXPECT_EQ(page.pixelColor(gap), QColor(Qt::white));
    const QPoint lineBeforeCaption(int((margin + 2) * dotsPerMm), gap.y());
    EXPECT_NE(page.pixelColor(lineBeforeCaption), QColor(Qt::white)) << "the frame is drawn";
}

TEST_F(DocumentPages, DocumentsCarryTheirNamesAsASecretarySaysThem)
{
    issueCard();
    click(u"ButtonTiskPrukazu"_s);
    click(u"ButtonTiskPovolenky"_s);
    click(u"ButtonTiskPrevodky"_s);
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QList<std::pair<QString, QString>> expected{{u"TFormTiskDochMP"_s, u"Docházka"_s},
                                                      {u"TFormPotvr"_s, u"Potvrzení o zaplacení"_s},
                                                      {u"TFormTPrukaz"_s, u"Členský průkaz"_s},
                                                      {u"TFormTPovol"_s, u"Povolenka"_s},
                                                      {u"TFormTPrevodka"_s, u"Převodka"_s}};
    for (const auto& [name, title] : expected) {
        const RenderedDocument& document = sink.last(name);
        EXPECT_EQ(ReportRunner::previewTitle(document), u"Náhled – "_s + title);
        throughPdf(document);
        EXPECT_EQ(pdfTitle(m_pdf), title);
    }
    EXPECT_EQ(sink.last(u"TFormPotvr"_s).pdfFileName(),
              u"Potvrzeni-o-zaplaceni-100-"_s + today + u".pdf"_s);
    EXPECT_EQ(sink.last(u"TFormTPrukaz"_s).pdfFileName(),
              u"Clensky-prukaz-100-"_s + today + u".pdf"_s);
}
