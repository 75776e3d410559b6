#include "ReportField.h"

#include "DataSet.h"
#include "DisplayMask.h"

ReportField::ReportField(double left, double top, DataSet* dataSet, const QString& field,
                         const QString& mask)
    : Printable(left, top)
    , m_dataSet(dataSet)
    , m_field(field)
    , m_mask(mask)
{
}

QString ReportField::text(const PrintContext&) const
{
    if (!m_dataSet || !m_dataSet->isActive())
        return {};
    const Field f = m_dataSet->fieldByName(m_field);
    if (m_mask.isEmpty())
        return f.asString();
    switch (f.def().type) {
    case FieldType::Integer:
    case FieldType::Float:
        return DisplayMask::formatNumber(m_mask, f.asFloat());
    case FieldType::Date:
        return DisplayMask::formatDate(m_mask, f.asDate());
    default:
        return f.asString();
    }
}
