#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class DataSet;

// Finds a dataset by the name expressions use for it ("TableCSum"); nullptr when unknown.
using DataSetLookup = std::function<DataSet*(const QString& name)>;

// One step of a parsed report expression. Values are numbers (double), texts or truth
// values. Aggregates keep running figures over the detail rows printed so far; every other
// step passes the aggregate calls on to its operands.
class ExpressionNode {
public:
    enum class Operator {
        Add,
        Subtract,
        Multiply,
        Divide,
        Equal,
        NotEqual,
        Less,
        LessOrEqual,
        Greater,
        GreaterOrEqual
    };
    enum class Aggregate { Sum, Average };
    using Ptr = std::unique_ptr<ExpressionNode>;

    virtual ~ExpressionNode();

    virtual QVariant evaluate(const DataSetLookup& data) const = 0;
    virtual void accumulate(const DataSetLookup& data);
    virtual void resetAggregates();

    static Ptr constant(const QVariant& value);
    static Ptr field(const QString& dataSet, const QString& field);
    static Ptr binary(Operator op, Ptr left, Ptr right);
    static Ptr condition(Ptr test, Ptr whenTrue, Ptr whenFalse);
    static Ptr aggregate(Aggregate kind, Ptr argument);

    // The conversions every step uses: a text that is no number counts as 0; a number is
    // shown in its shortest form.
    static double toNumber(const QVariant& value);
    static QString toText(const QVariant& value);
    static bool isTrue(const QVariant& value);

protected:
    std::vector<Ptr> m_operands;
};
