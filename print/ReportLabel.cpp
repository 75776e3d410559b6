#include "ReportLabel.h"

ReportLabel::ReportLabel(double left, double top, const QString& caption)
    : Printable(left, top)
    , m_caption(caption)
{
}

QString ReportLabel::text(const PrintContext&) const
{
    return m_caption;
}
