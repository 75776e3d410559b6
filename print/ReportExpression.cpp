#include "ReportExpression.h"

#include "DisplayMask.h"
#include "Report.h"

ReportExpression::ReportExpression(double left, double top, const QString& expression,
                                   const QString& mask)
    : Printable(left, top)
    , m_expression(expression)
    , m_mask(mask)
{
}

void ReportExpression::setExpression(const QString& expression)
{
    m_expression = Expression(expression);
}

QString ReportExpression::text(const PrintContext& context) const
{
    const QVariant value = m_expression.evaluate(context.report.dataSetLookup());
    if (value.typeId() == QMetaType::Double && !m_mask.isEmpty())
        return DisplayMask::formatNumber(m_mask, value.toDouble());
    return ExpressionNode::toText(value);
}
