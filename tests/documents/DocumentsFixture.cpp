#include "DocumentsFixture.h"

#include "CzechTranslations.h"
#include "PdfWords.h"
#include "ReportPainter.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

DocumentsFixture::DocumentsFixture()
{
    ensureTestApplication();
    // The program prints in Czech, with decimal commas.
    CzechTranslations::install(*QCoreApplication::instance());
}

void DocumentsFixture::SetUp()
{
    ASSERT_TRUE(pdfDir.isValid());
    runner.setSink(&sink);
    startAnswering();
}

void DocumentsFixture::TearDown()
{
    stopAnswering();
}

void DocumentsFixture::addMember(const QString& number, const QString& surname,
                                 const QVariantMap& more)
{
    QVariantMap values = more;
    values.insert(u"CLEN_CISLO"_s, number);
    values.insert(u"PRIJMENI"_s, surname);
    addRow(u"Clenove"_s, values);
}

void DocumentsFixture::addRow(const QString& table, const QVariantMap& values)
{
    QStringList marks(values.size(), u"?"_s);
    SqlStatement& insert =
        chapter.db().cached(u"INSERT INTO "_s + table + u" ("_s + values.keys().join(u", "_s) +
                            u") VALUES ("_s + marks.join(u", "_s) + u')');
    insert.reset();
    int index = 1;
    for (const QVariant& value : values)
        insert.bind(index++, value);
    insert.run();
    chapter.db().touch(table);
}

QStringList DocumentsFixture::printedWords(const QString& reportName, double fromTop)
{
    const QString path = pdfDir.filePath(reportName + u".pdf"_s);
    ReportPainter::writePdf(sink.last(reportName), path);
    QList<PdfWord> words = pdfWords(path);
    // Words of one printed line differ in top by a fraction of a mm with their font size.
    const auto line = [](const PdfWord& word) {
        return qRound(word.box.bottom());
    };
    std::stable_sort(words.begin(), words.end(), [&](const PdfWord& a, const PdfWord& b) {
        return std::tuple(a.page, line(a), a.box.left()) <
               std::tuple(b.page, line(b), b.box.left());
    });
    QStringList texts;
    for (const PdfWord& word : words)
        if (word.box.top() >= fromTop)
            texts << word.text;
    return texts;
}

int DocumentsFixture::printedPages(const QString& reportName) const
{
    return sink.last(reportName).pageCount();
}

QStringList wordsBetween(const QStringList& words, const QString& after, const QString& before)
{
    const qsizetype from = words.indexOf(after);
    const qsizetype to = words.indexOf(before, from + 1);
    if (from < 0 || to < 0)
        return {};
    return words.mid(from + 1, to - from - 1);
}
