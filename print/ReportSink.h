#pragma once

#include <QString>

class RenderedDocument;

// Takes generated reports in place of the printer and the preview window. A test installs
// one on the runner to see what a button would have printed or shown.
class ReportSink {
public:
    enum class Mode { Print, Preview };

    virtual ~ReportSink() = default;

    // Stands in for "a default printer is attached"; without one a print becomes a preview.
    virtual bool hasPrinter() const { return true; }
    virtual void deliver(const QString& reportName, Mode mode,
                         const RenderedDocument& document) = 0;
};
