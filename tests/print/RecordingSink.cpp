#include "RecordingSink.h"

#include <gtest/gtest.h>

QStringList RecordingSink::names() const
{
    QStringList n;
    for (const Delivery& d : deliveries)
        n << d.name;
    return n;
}

const RenderedDocument& RecordingSink::last(const QString& name) const
{
    for (qsizetype i = deliveries.size() - 1; i >= 0; --i)
        if (deliveries[i].name == name)
            return deliveries[i].document;
    static const RenderedDocument none;
    ADD_FAILURE() << "nothing printed as " << name.toStdString();
    return none;
}
