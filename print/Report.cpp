#include "Report.h"

#include "DataSet.h"

Report::Report(const QString& name)
    : m_name(name)
{
}

Report::~Report() = default;

void Report::setSubjectField(DataSet* dataSet, const QString& field)
{
    m_subjectData = dataSet;
    m_subjectField = field;
}

QString Report::subject() const
{
    if (!m_subjectData || !m_subjectData->isActive() || m_subjectData->isEmpty())
        return {};
    return m_subjectData->fieldByName(m_subjectField).asString().trimmed();
}

ReportBand* Report::addBand(BandKind kind, double height)
{
    m_bands.push_back(std::make_unique<ReportBand>(kind, height));
    return m_bands.back().get();
}

QList<ReportBand*> Report::bands() const
{
    QList<ReportBand*> all;
    for (const auto& band : m_bands)
        all << band.get();
    return all;
}

QList<ReportBand*> Report::bands(BandKind kind) const
{
    QList<ReportBand*> found;
    for (const auto& band : m_bands)
        if (band->kind() == kind)
            found << band.get();
    return found;
}

QList<Printable*> Report::printables() const
{
    QList<Printable*> all;
    for (const auto& band : m_bands)
        for (const auto& item : band->items())
            all << item.get();
    return all;
}

void Report::setDataSet(DataSet* dataSet, const QString& name)
{
    m_dataSet = dataSet;
    if (!name.isEmpty())
        addDataSet(name, dataSet);
}

void Report::addDataSet(const QString& name, DataSet* dataSet)
{
    m_named.insert(name.toLower(), dataSet);
}

DataSet* Report::dataSetNamed(const QString& name) const
{
    return m_named.value(name.toLower());
}

DataSetLookup Report::dataSetLookup() const
{
    return [this](const QString& name) {
        return dataSetNamed(name);
    };
}
