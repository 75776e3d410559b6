#pragma once

#include "ExpressionNode.h"

#include <QString>
#include <QVariant>

// A report expression, read once when it is set. SUM and AVERAGE in it run over the detail
// rows the report has printed so far: the engine resets them when a generation starts and
// lets every printed detail row add to them.
class Expression {
public:
    Expression() = default;
    // Throws EngineError when the text is not an expression.
    explicit Expression(const QString& text);

    const QString& text() const { return m_text; }
    // An empty expression evaluates to an empty text.
    QVariant evaluate(const DataSetLookup& data) const;
    void accumulate(const DataSetLookup& data);
    void resetAggregates();

private:
    QString m_text;
    ExpressionNode::Ptr m_root;
};
