#include "Expression.h"

#include "ExpressionParser.h"

Expression::Expression(const QString& text)
    : m_text(text)
    , m_root(text.trimmed().isEmpty() ? nullptr : ExpressionParser::parse(text))
{
}

QVariant Expression::evaluate(const DataSetLookup& data) const
{
    return m_root ? m_root->evaluate(data) : QVariant(QString());
}

void Expression::accumulate(const DataSetLookup& data)
{
    if (m_root)
        m_root->accumulate(data);
}

void Expression::resetAggregates()
{
    if (m_root)
        m_root->resetAggregates();
}
