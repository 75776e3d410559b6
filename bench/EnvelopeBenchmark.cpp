#include "EnvelopeBenchmark.h"

#include "Database.h"
#include "PlainSqlite.h"
#include "ReportPainter.h"
#include "ReportRunner.h"
#include "ReportSink.h"
#include "Stopwatch.h"
#include "TFormTAdr.h"
#include "Table.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

constexpr int envelopes = 5000;

// Every batch goes to a PDF file, as "Uložit jako PDF" would write it.
class PdfSink : public ReportSink {
public:
    explicit PdfSink(const QString& path)
        : m_path(path)
    {
    }
    void deliver(const QString&, Mode, const RenderedDocument& document) override
    {
        ReportPainter::writePdf(document, m_path);
    }

private:
    QString m_path;
};

} // namespace

BenchmarkResult EnvelopeBenchmark::run(const QString& dataDirectory)
{
    BenchmarkResult r{QStringLiteral("%1 envelopes made in batches of %2, to PDF")
                          .arg(envelopes)
                          .arg(TFormTAdr::batchLimit),
                      0, 0};
    QTemporaryDir scratch;
    Database db(dataDirectory);
    const QString stored = db.requireTable(QStringLiteral("ZPRAVOD"));
    const QString list = Database::quoteIdentifier(stored);
    Table mailingList(db, QStringLiteral("ZPRAVOD.db"));
    Table setup(db, QStringLiteral("Setup.db"));
    mailingList.open();
    setup.open();
    TFormTAdr envelope(mailingList, setup);
    PdfSink sink(scratch.filePath(QStringLiteral("obalky.pdf")));
    ReportRunner runner;
    runner.setSink(&sink);
    int made = 0;
    const auto markNothingPrinted = [&] {
        db.run(QStringLiteral("UPDATE %1 SET VYTISKNUTO = 0").arg(list), {});
        db.touch(stored);
        mailingList.refresh();
    };
    r.oursMs = Stopwatch::medianOf(3, markNothingPrinted, [&] {
        made = 0;
        while (made < envelopes) {
            const int batch = envelope.printBatch(runner, TFormTAdr::batchLimit, true, false);
            if (batch == 0)
                break;
            made += batch;
        }
    });
    if (made < envelopes)
        r.name += QStringLiteral(" (UNEXPECTED: only %1 rows)").arg(made);
    const QByteArray plain =
        QStringLiteral("SELECT * FROM %1 LIMIT %2").arg(list).arg(envelopes).toUtf8();
    r.sqliteMs = Stopwatch::medianOf(3, [&] {
        PlainSqlite::exec(QDir(dataDirectory).filePath(QLatin1String(Database::FileName)),
                          plain.constData());
    });
    return r;
}
