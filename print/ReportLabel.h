#pragma once

#include "Printable.h"

// A fixed text of the layout; the program may change it before or while a report runs.
class ReportLabel : public Printable {
public:
    ReportLabel(double left, double top, const QString& caption);

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }

    QString text(const PrintContext& context) const override;

private:
    QString m_caption;
};
