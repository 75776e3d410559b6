#pragma once

#include "Printable.h"

class DataSet;

// The value of a field in the current row of a dataset, through an optional display mask
// (see DisplayMask): numbers and dates take it, texts print as they are. A blank number
// under a mask prints as zero does; a blank date prints nothing.
class ReportField : public Printable {
public:
    ReportField(double left, double top, DataSet* dataSet, const QString& field,
                const QString& mask = {});

    DataSet* dataSet() const { return m_dataSet; }
    void setDataSet(DataSet* dataSet) { m_dataSet = dataSet; }
    const QString& field() const { return m_field; }
    void setField(const QString& field) { m_field = field; }
    const QString& mask() const { return m_mask; }
    void setMask(const QString& mask) { m_mask = mask; }

    // Empty while the dataset is closed. Throws EngineError for a field it does not have.
    QString text(const PrintContext& context) const override;

private:
    DataSet* m_dataSet;
    QString m_field;
    QString m_mask;
};
