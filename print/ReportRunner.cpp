#include "ReportRunner.h"

#include "EngineError.h"
#include "Report.h"
#include "ReportEngine.h"
#include "ReportPainter.h"
#include "SafeFileDialog.h"

#include "ReportCsv.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QToolBar>

namespace {

void setUpPrinter(QPrinter& printer, const RenderedDocument& document)
{
    printer.setDocName(document.title);
    printer.setFullPage(true);
    ReportPainter::setUp(printer, document);
}

} // namespace

ReportRunner::ReportRunner(QWidget* dialogParent)
    : m_parent(dialogParent)
{
}

QString ReportRunner::previewTitle(const RenderedDocument& document)
{
    return QStringLiteral("Náhled – %1").arg(document.title);
}

QString ReportRunner::suggestedPdfPath(const RenderedDocument& document)
{
    // Saved copies are the secretary's papers, not the chapter's data: they go where the
    // user keeps documents.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(document.pdfFileName());
}

QString ReportRunner::suggestedCsvPath(const RenderedDocument& document)
{
    const QFileInfo pdf(suggestedPdfPath(document));
    return pdf.dir().filePath(pdf.completeBaseName() + QStringLiteral(".csv"));
}

QString ReportRunner::noPrinterMessage(const QString& reportName)
{
    return QStringLiteral("Tiskárna není připojena.\nSestava „%1“ se proto zobrazí v náhledu, "
                          "odkud ji lze vytisknout nebo uložit jako PDF.")
        .arg(reportName);
}

void ReportRunner::run(Report& report, bool printsDirectly)
{
    deliver(ReportEngine(report).generate(),
            printsDirectly ? ReportSink::Mode::Print : ReportSink::Mode::Preview);
}

void ReportRunner::preview(Report& report)
{
    deliver(ReportEngine(report).generate(), ReportSink::Mode::Preview);
}

void ReportRunner::exportPdf(Report& report, const QString& path)
{
    ReportPainter::writePdf(ReportEngine(report).generate(), path);
}

void ReportRunner::deliver(const RenderedDocument& document, ReportSink::Mode mode)
{
    if (mode == ReportSink::Mode::Print && !printerAttached()) {
        tell(noPrinterMessage(document.title));
        mode = ReportSink::Mode::Preview;
    }
    if (m_sink)
        m_sink->deliver(document.reportName, mode, document);
    else if (mode == ReportSink::Mode::Print)
        print(document);
    else
        show(document);
}

bool ReportRunner::printerAttached() const
{
    if (m_sink)
        return m_sink->hasPrinter();
    return !QPrinterInfo::defaultPrinter().isNull();
}

void ReportRunner::tell(const QString& text)
{
    if (m_message)
        m_message(text);
    else
        QMessageBox::warning(m_parent, QStringLiteral("Tisk"), text);
}

void ReportRunner::print(const RenderedDocument& document)
{
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    setUpPrinter(printer, document);
    QProgressDialog progress(QStringLiteral("Tisk sestavy „%1“…").arg(document.title),
                             QStringLiteral("Přerušit"), 0, document.pageCount(), m_parent);
    progress.setWindowTitle(QStringLiteral("Tisk"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    const bool done = ReportPainter::paint(document, printer, [&](int page) {
        progress.setValue(page);
        QApplication::processEvents();
        if (progress.wasCanceled())
            printer.abort();
        return !progress.wasCanceled();
    });
    if (!done && !progress.wasCanceled()) {
        tell(QStringLiteral("Tiskárna %1 sestavu „%2“ nepřijala; zobrazí se náhled.")
                 .arg(printer.printerName(), document.title));
        show(document);
    }
}

void ReportRunner::show(const RenderedDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, document);
    QPrintPreviewDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(previewTitle(document));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* target) { ReportPainter::paint(document, *target); });
    // The preview's own print dialog can print into a file too, but a secretary looks for
    // a plain "save as PDF".
    if (auto* toolBar = dialog.findChild<QToolBar*>()) {
        QAction* save = toolBar->addAction(QStringLiteral("Uložit jako PDF…"));
        QObject::connect(save, &QAction::triggered, &dialog, [&dialog, &document, this] {
            const QString path =
                SafeFileDialog::saveFile(&dialog, QStringLiteral("Uložit jako PDF"),
                                         suggestedPdfPath(document), QStringLiteral("PDF (*.pdf)"));
            if (path.isEmpty())
                return;
            try {
                ReportPainter::writePdf(document, path);
            } catch (const EngineError& e) {
                tell(e.message());
            }
        });
    }
    if (auto* toolBar = dialog.findChild<QToolBar*>(); toolBar && document.listReport) {
        QAction* save = toolBar->addAction(QStringLiteral("Uložit jako CSV…"));
        QObject::connect(save, &QAction::triggered, &dialog, [&dialog, &document, this] {
            const QString path =
                SafeFileDialog::saveFile(&dialog, QStringLiteral("Uložit jako CSV"),
                                         suggestedCsvPath(document), QStringLiteral("CSV (*.csv)"));
            if (path.isEmpty())
                return;
            try {
                ReportCsv::save(document, path);
            } catch (const EngineError& e) {
                tell(e.message());
            }
        });
    }
    dialog.exec();
}
