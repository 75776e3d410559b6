#include "ExpressionNode.h"

#include "DataSet.h"
#include "EngineError.h"
#include "FieldValue.h"

namespace {

using Ptr = ExpressionNode::Ptr;
using Operator = ExpressionNode::Operator;

bool isNumber(const QVariant& v)
{
    return v.typeId() == QMetaType::Double;
}

class Constant : public ExpressionNode {
public:
    explicit Constant(const QVariant& value)
        : m_value(value)
    {
    }
    QVariant evaluate(const DataSetLookup&) const override { return m_value; }

private:
    QVariant m_value;
};

class FieldReference : public ExpressionNode {
public:
    FieldReference(const QString& dataSet, const QString& field)
        : m_dataSet(dataSet)
        , m_field(field)
    {
    }

    QVariant evaluate(const DataSetLookup& data) const override
    {
        DataSet* set = data ? data(m_dataSet) : nullptr;
        if (!set)
            throw EngineError(QStringLiteral("Sestava nezná datovou sadu %1 (výraz %1.%2).")
                                  .arg(m_dataSet, m_field),
                              EngineError::Kind::Missing);
        const Field f = set->fieldByName(m_field);
        switch (f.def().type) {
        case FieldType::Integer:
        case FieldType::Float:
            return f.asFloat();
        case FieldType::Boolean:
            return f.asBoolean();
        default:
            return f.asString();
        }
    }

private:
    QString m_dataSet;
    QString m_field;
};

class Binary : public ExpressionNode {
public:
    Binary(Operator op, Ptr left, Ptr right)
        : m_op(op)
    {
        m_operands.push_back(std::move(left));
        m_operands.push_back(std::move(right));
    }

    QVariant evaluate(const DataSetLookup& data) const override
    {
        const QVariant a = m_operands[0]->evaluate(data);
        const QVariant b = m_operands[1]->evaluate(data);
        if (m_op >= Operator::Equal)
            return compare(a, b);
        if (m_op == Operator::Add && !(isNumber(a) && isNumber(b)))
            return toText(a) + toText(b);
        return arithmetic(toNumber(a), toNumber(b));
    }

private:
    QVariant arithmetic(double a, double b) const
    {
        switch (m_op) {
        case Operator::Add:
            return a + b;
        case Operator::Subtract:
            return a - b;
        case Operator::Multiply:
            return a * b;
        default:
            // A district without attendance has no catch per day; it prints as nothing
            // (zero under the masks) instead of stopping the whole report.
            return b == 0 ? 0.0 : a / b;
        }
    }

    bool compare(const QVariant& a, const QVariant& b) const
    {
        const int order = ordering(a, b);
        switch (m_op) {
        case Operator::Equal:
            return order == 0;
        case Operator::NotEqual:
            return order != 0;
        case Operator::Less:
            return order < 0;
        case Operator::LessOrEqual:
            return order <= 0;
        case Operator::Greater:
            return order > 0;
        default:
            return order >= 0;
        }
    }

    static int ordering(const QVariant& a, const QVariant& b)
    {
        if (!isNumber(a) || !isNumber(b))
            return toText(a).compare(toText(b));
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }

    Operator m_op;
};

class Condition : public ExpressionNode {
public:
    Condition(Ptr test, Ptr whenTrue, Ptr whenFalse)
    {
        m_operands.push_back(std::move(test));
        m_operands.push_back(std::move(whenTrue));
        m_operands.push_back(std::move(whenFalse));
    }

    QVariant evaluate(const DataSetLookup& data) const override
    {
        return m_operands[isTrue(m_operands[0]->evaluate(data)) ? 1 : 2]->evaluate(data);
    }
};

class AggregateNode : public ExpressionNode {
public:
    AggregateNode(Aggregate kind, Ptr argument)
        : m_kind(kind)
    {
        m_operands.push_back(std::move(argument));
    }

    QVariant evaluate(const DataSetLookup&) const override
    {
        if (m_kind == Aggregate::Sum)
            return m_sum;
        return m_count == 0 ? 0.0 : m_sum / m_count;
    }

    void accumulate(const DataSetLookup& data) override
    {
        m_sum += toNumber(m_operands[0]->evaluate(data));
        ++m_count;
    }

    void resetAggregates() override
    {
        m_sum = 0;
        m_count = 0;
    }

private:
    Aggregate m_kind;
    double m_sum = 0;
    int m_count = 0;
};

} // namespace

ExpressionNode::~ExpressionNode() = default;

void ExpressionNode::accumulate(const DataSetLookup& data)
{
    for (const Ptr& operand : m_operands)
        operand->accumulate(data);
}

void ExpressionNode::resetAggregates()
{
    for (const Ptr& operand : m_operands)
        operand->resetAggregates();
}

Ptr ExpressionNode::constant(const QVariant& value)
{
    return std::make_unique<Constant>(value);
}

Ptr ExpressionNode::field(const QString& dataSet, const QString& field)
{
    return std::make_unique<FieldReference>(dataSet, field);
}

Ptr ExpressionNode::binary(Operator op, Ptr left, Ptr right)
{
    return std::make_unique<Binary>(op, std::move(left), std::move(right));
}

Ptr ExpressionNode::condition(Ptr test, Ptr whenTrue, Ptr whenFalse)
{
    return std::make_unique<Condition>(std::move(test), std::move(whenTrue), std::move(whenFalse));
}

Ptr ExpressionNode::aggregate(Aggregate kind, Ptr argument)
{
    return std::make_unique<AggregateNode>(kind, std::move(argument));
}

double ExpressionNode::toNumber(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    if (isNumber(value))
        return value.toDouble();
    double number = 0;
    return FieldValue::parseFloat(value.toString(), &number) ? number : 0;
}

QString ExpressionNode::toText(const QVariant& value)
{
    if (isNumber(value))
        return FieldValue::formatFloat(value.toDouble());
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

bool ExpressionNode::isTrue(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return !value.toString().isEmpty();
    return toNumber(value) != 0;
}
