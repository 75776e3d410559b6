#pragma once

#include "AnsweringMessages.h"
#include "GuiTestSupport.h"
#include "RecordingSink.h"
#include "ReportRunner.h"

#include <QTemporaryDir>
#include <QVariantMap>

#include <gtest/gtest.h>

// A chapter as the initializer makes it, with the members a test writes; the reports run
// into a recording sink, and what they delivered is read back from a real PDF.
class DocumentsFixture : public ::testing::Test, protected AnsweringMessages {
protected:
    DocumentsFixture();
    void SetUp() override;
    void TearDown() override;

    void addMember(const QString& number, const QString& surname, const QVariantMap& more = {});
    void addRow(const QString& table, const QVariantMap& values);
    // The words of the last document delivered under the name, as pdftotext reads them back,
    // line by line from the top and left to right within a line; optionally only those
    // below a height (mm from the paper's top, on any page).
    QStringList printedWords(const QString& reportName, double fromTop = 0);
    int printedPages(const QString& reportName) const;

    TestChapter chapter;
    QTemporaryDir pdfDir;
    RecordingSink sink;
    ReportRunner runner;
};

// The words between the first occurrences of the two, both left out.
QStringList wordsBetween(const QStringList& words, const QString& after, const QString& before);
