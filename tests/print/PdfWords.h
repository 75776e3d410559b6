#pragma once

#include <QList>
#include <QRectF>
#include <QString>

// A word of a PDF as poppler reads it back: the page (from 0) and its box in mm from the
// paper's top left corner.
struct PdfWord {
    int page = 0;
    QString text;
    QRectF box;
};

QList<PdfWord> pdfWords(const QString& path);
// The first word with that text; a missing word fails the calling test.
PdfWord wordOf(const QList<PdfWord>& words, const QString& text);
