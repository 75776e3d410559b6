#pragma once

#include "Expression.h"
#include "Printable.h"

// The value of an expression over the report's datasets, named as the report knows them
// ("TableCSum.DOCHAZKA"), through an optional number mask (see DisplayMask).
class ReportExpression : public Printable {
public:
    // Throws EngineError when the text is not an expression.
    ReportExpression(double left, double top, const QString& expression, const QString& mask = {});

    const QString& expressionText() const { return m_expression.text(); }
    void setExpression(const QString& expression);
    const QString& mask() const { return m_mask; }
    void setMask(const QString& mask) { m_mask = mask; }
    Expression& expression() { return m_expression; }

    QString text(const PrintContext& context) const override;

private:
    Expression m_expression;
    QString m_mask;
};
