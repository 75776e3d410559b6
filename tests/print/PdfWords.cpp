#include "PdfWords.h"

#include "ExternalTool.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
constexpr double MmPerPoint = 25.4 / 72;
} // namespace

QList<PdfWord> pdfWords(const QString& path)
{
    QList<PdfWord> words;
    QXmlStreamReader xml(runTool(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s}));
    int page = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == "page"_L1) {
            ++page;
            continue;
        }
        if (xml.name() != "word"_L1)
            continue;
        const auto a = xml.attributes();
        const QPointF topLeft(a.value("xMin"_L1).toDouble(), a.value("yMin"_L1).toDouble());
        const QPointF bottomRight(a.value("xMax"_L1).toDouble(), a.value("yMax"_L1).toDouble());
        words << PdfWord{page, xml.readElementText(),
                         QRectF(topLeft * MmPerPoint, bottomRight * MmPerPoint)};
    }
    return words;
}

PdfWord wordOf(const QList<PdfWord>& words, const QString& text)
{
    for (const PdfWord& w : words)
        if (w.text == text)
            return w;
    ADD_FAILURE() << "no word " << text.toStdString() << " in the PDF";
    return {};
}
