#pragma once

#include <QString>
#include <QStringList>

// Runs one of the test peers (pdftotext, pdftoppm, zbarimg) and returns what it wrote to
// its standard output; a tool that is missing or fails makes the calling test fail.
QString runTool(const QString& program, const QStringList& arguments);
