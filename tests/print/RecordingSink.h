#pragma once

#include "RenderedDocument.h"
#include "ReportSink.h"

#include <QList>
#include <QStringList>

// What went to the printer or the preview, in order.
struct RecordingSink : ReportSink {
    struct Delivery {
        QString name;
        Mode mode;
        RenderedDocument document;
    };
    QList<Delivery> deliveries;

    void deliver(const QString& name, Mode mode, const RenderedDocument& document) override
    {
        deliveries.append({name, mode, document});
    }
    QStringList names() const;
    // The last document delivered under the name; a test failure when there is none.
    const RenderedDocument& last(const QString& name) const;
};
