#include "ReportBenchmark.h"

#include "Stopwatch.h"

#include "CzechCollation.h"
#include "Database.h"
#include "EngineError.h"
#include "Query.h"
#include "Report.h"
#include "ReportEngine.h"
#include "ReportField.h"
#include "ReportLabel.h"
#include "ReportPainter.h"
#include "ReportShape.h"
#include "ReportSystemData.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const char* const Columns[] = {"CLEN_CISLO",     "PRIJMENI",    "JMENO", "TITUL",
                               "ULICE",          "PSC",         "OBEC",  "KATEGORIE",
                               "DATUM_NAROZENI", "CLEN_OD_ROKU"};
const double ColumnLefts[] = {0, 13, 40, 62, 74, 110, 122, 148, 166, 182};

QString selectMembers(int rows, const QString& order)
{
    QStringList names;
    for (const char* c : Columns)
        names << QLatin1String(c);
    return QStringLiteral("SELECT %1 FROM Clenove ORDER BY %2 LIMIT %3")
        .arg(names.join(QStringLiteral(", ")), order)
        .arg(rows);
}

// The peak resident memory of the process in MB since the last reset; Linux only.
double peakMemoryMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace

ReportBenchmark::ReportBenchmark(const QString& dataDirectory)
    : m_db(std::make_unique<Database>(dataDirectory))
{
    const QString path = QDir(dataDirectory).filePath(QLatin1String(Database::FileName));
    if (sqlite3_open_v2(path.toUtf8().constData(), &m_plain, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        throw EngineError(QStringLiteral("Nelze otevřít %1 přímo.").arg(path));
    CzechCollation::registerOn(m_plain);
}

ReportBenchmark::~ReportBenchmark()
{
    sqlite3_close_v2(m_plain);
}

QList<BenchmarkResult> ReportBenchmark::runAll()
{
    return {memberListToPdf(5000)};
}

std::unique_ptr<Report> ReportBenchmark::memberList(Query& rows) const
{
    auto report = std::make_unique<Report>(QStringLiteral("TFormTAdresar"));
    report->page().framed = true;
    report->setDataSet(&rows);
    ReportBand* header = report->addBand(BandKind::PageHeader, 16);
    header->frame().bottom = true;
    header->add<ReportLabel>(2.0, 2.0, QStringLiteral("Adresář členů"))->setFontSize(14);
    header->add<ReportSystemData>(120.0, 3.0, ReportSystemData::Kind::Date);
    header->add<ReportSystemData>(170.0, 3.0, ReportSystemData::Kind::PageNumber,
                                  QStringLiteral("Strana "));
    ReportBand* detail = report->addBand(BandKind::Detail, 4.5);
    for (int i = 0; i < 10; ++i) {
        auto* field =
            detail->add<ReportField>(ColumnLefts[i], 0.5, &rows, QLatin1String(Columns[i]));
        field->setFontSize(8);
        field->setBold(i == 1);
        if (i >= 8) {
            field->setWidth(14);
            field->setAlignment(Printable::Align::Right);
            field->setMask(i == 8 ? QStringLiteral("dd.mm.yyyy") : QStringLiteral("###0"));
        }
        if (i > 0)
            detail->add<ReportShape>(ReportShape::Kind::VerticalLine, ColumnLefts[i] - 1, 0.0, 0.0,
                                     4.5);
    }
    report->addBand(BandKind::Summary, 8)
        ->add<ReportLabel>(2.0, 2.0, QStringLiteral("Konec adresáře"));
    return report;
}

BenchmarkResult ReportBenchmark::memberListToPdf(int rows)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("adresar.pdf"));
    const auto run = [&] {
        Query query(*m_db);
        query.setSql({selectMembers(rows, QStringLiteral("PRIJMENI"))});
        query.open();
        const std::unique_ptr<Report> report = memberList(query);
        const RenderedDocument document = ReportEngine(*report).generate();
        ReportPainter::writePdf(document, pdf);
        return document.pageCount();
    };
    run(); // warms the page cache and the font cache, as a second print in a session would
    resetPeakMemory();
    int pages = 0;
    BenchmarkResult r{QString(),
                      Stopwatch::medianOf(Stopwatch::minimumRuns, [&] { pages = run(); }),
                      Stopwatch::medianOf(Stopwatch::minimumRuns, [&] { plainRead(rows); })};
    r.name = QStringLiteral("member list of %1 rows, 10 columns, to PDF (%2 pages, peak %3 MB)")
                 .arg(rows)
                 .arg(pages)
                 .arg(peakMemoryMb(), 0, 'f', 0);
    return r;
}

void ReportBenchmark::plainRead(int rows)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray sql =
        selectMembers(rows, QStringLiteral("PRIJMENI COLLATE CZECH, CLEN_CISLO COLLATE CZECH"))
            .toUtf8();
    if (sqlite3_prepare_v2(m_plain, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        throw EngineError(QString::fromUtf8(sqlite3_errmsg(m_plain)));
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            m_sink += text ? QString::fromUtf8(text, sqlite3_column_bytes(st, c)).size() : 0;
        }
    }
    sqlite3_finalize(st);
}
