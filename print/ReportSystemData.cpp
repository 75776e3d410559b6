#include "ReportSystemData.h"

#include "DateText.h"

ReportSystemData::ReportSystemData(double left, double top, Kind kind, const QString& prefix)
    : Printable(left, top)
    , m_kind(kind)
    , m_prefix(prefix)
{
}

QString ReportSystemData::text(const PrintContext& context) const
{
    if (m_kind == Kind::PageNumber)
        return m_prefix + QString::number(context.pageNumber);
    return m_prefix + DateText::format(context.today);
}
