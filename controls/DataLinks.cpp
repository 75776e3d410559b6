#include "DataLinks.h"

#include "DataSet.h"
#include "FieldDataLink.h"

#include <QPointer>

DataLinks::DataLinks(DataSet& dataSet)
    : QObject(&dataSet)
{
    // Any post or move of the cursor, also one the data layer starts on its own (a rule's
    // filter, a locate, the post of pending edits at close), first takes what is typed.
    dataSet.updateRecord = [&dataSet] {
        updateRecord(dataSet);
    };
}

DataLinks* DataLinks::of(DataSet& dataSet, bool create)
{
    auto* links = dataSet.findChild<DataLinks*>(QString(), Qt::FindDirectChildrenOnly);
    if (!links && create)
        links = new DataLinks(dataSet);
    return links;
}

void DataLinks::add(DataSet& dataSet, FieldDataLink* link)
{
    DataLinks* links = of(dataSet, true);
    if (!links->m_links.contains(link))
        links->m_links.append(link);
}

void DataLinks::remove(DataSet& dataSet, FieldDataLink* link)
{
    if (DataLinks* links = of(dataSet, false))
        links->m_links.removeAll(link);
}

void DataLinks::updateRecord(DataSet& dataSet)
{
    const DataLinks* links = of(dataSet, false);
    if (!links)
        return;
    // A write announces the field, and a control may react by binding or unbinding: walk a copy.
    QList<QPointer<FieldDataLink>> current;
    for (FieldDataLink* link : links->m_links)
        current.append(link);
    for (const QPointer<FieldDataLink>& link : current)
        if (link && link->isModified())
            link->updateRecord();
}

bool DataLinks::hasPendingChanges(DataSet& dataSet)
{
    const DataLinks* links = of(dataSet, false);
    if (!links)
        return false;
    for (const FieldDataLink* link : links->m_links)
        if (link->isModified())
            return true;
    return false;
}
