#pragma once

#include "ReportSink.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QPrinter;
class RenderedDocument;
class Report;

// Sends reports to the printer, the preview or a PDF file. The rule whether a print button
// prints or previews lives here and nowhere else. With no printer attached, the user is told
// so and gets the preview, from which the report can still be printed or saved.
class ReportRunner {
public:
    using MessageHook = std::function<void(const QString& text)>;

    // Dialogs (preview, progress, messages) open over the parent.
    explicit ReportRunner(QWidget* dialogParent = nullptr);

    // The program's message boxes; without a hook a plain warning box shows the text.
    void setMessageHook(MessageHook hook) { m_message = std::move(hook); }
    // Reports go to the sink instead of the printer and the windows; nullptr ends that.
    void setSink(ReportSink* sink) { m_sink = sink; }

    // A print button: straight to the default printer when the chapter says one is
    // attached (TISK of Setup.db, which the caller reads), otherwise the preview.
    void run(Report& report, bool printsDirectly);
    // The buttons that say "Ukázat".
    void preview(Report& report);
    // Throws EngineError when the file cannot be written.
    static void exportPdf(Report& report, const QString& path);

    // "Náhled – Potvrzení o zaplacení".
    static QString previewTitle(const RenderedDocument& document);
    // Where "Uložit jako PDF" starts: the user's documents folder and a name telling the
    // document, its member and the day.
    static QString suggestedPdfPath(const RenderedDocument& document);
    // The same for "Uložit jako CSV", with the ending .csv.
    static QString suggestedCsvPath(const RenderedDocument& document);
    // The message shown when a print finds no printer.
    static QString noPrinterMessage(const QString& reportName);

private:
    void deliver(const RenderedDocument& document, ReportSink::Mode mode);
    bool printerAttached() const;
    void print(const RenderedDocument& document);
    void show(const RenderedDocument& document);
    void tell(const QString& text);

    QPointer<QWidget> m_parent;
    MessageHook m_message;
    ReportSink* m_sink = nullptr;
};
