#pragma once

#include "BandKind.h"
#include "ExpressionNode.h"
#include "PageSetup.h"
#include "ReportBand.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class DataSet;
class Printable;

// A report definition: the paper, the bands with their printables, the datasets it reads
// and the events its program handles. It is made once when the program starts and run as
// often as the user asks; everything in it may be changed between and during runs.
//
// The detail band prints once per row of the dataset, from its first row, in the
// dataset's current filter and order. A report without a dataset asks for each detail
// through the need-data event; with neither, and with an empty dataset, it prints each of
// its bands once.
class Report {
public:
    explicit Report(const QString& name);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    const QString& name() const { return m_name; }
    // The document's name as a secretary says it ("Potvrzení o zaplacení"); the report's
    // name where none is given.
    QString title() const { return m_title.isEmpty() ? m_name : m_title; }
    void setTitle(const QString& title) { m_title = title; }
    // Whose document it is, read at each generation: the field's value in its current row.
    void setSubjectField(DataSet* dataSet, const QString& field);
    QString subject() const;
    PageSetup& page() { return m_page; }
    const PageSetup& page() const { return m_page; }

    // Bands print in the order they were added within their kind; the report owns them.
    ReportBand* addBand(BandKind kind, double height);
    QList<ReportBand*> bands() const;
    QList<ReportBand*> bands(BandKind kind) const;
    // Every printable of every band.
    QList<Printable*> printables() const;

    // The dataset of the detail band; with a name, expressions can read it too.
    void setDataSet(DataSet* dataSet, const QString& name = {});
    DataSet* dataSet() const { return m_dataSet; }
    // Names a dataset for expressions ("TableCSum" in "SUM(TableCSum.KAPR_KS)").
    void addDataSet(const QString& name, DataSet* dataSet);
    // Letter case of the name does not matter; nullptr for a name the report does not know.
    DataSet* dataSetNamed(const QString& name) const;
    DataSetLookup dataSetLookup() const;

    // A list: its detail rows can also be saved as a table for a spreadsheet.
    void setListReport(bool list) { m_list = list; }
    bool isListReport() const { return m_list; }

    // Once at the start of each generation, before any band.
    std::function<void(Report& report)> beforePrint;
    // Asked for each detail of a report without dataset: the engine sets moreData true and
    // asks once; while the answer is true it prints the detail, sets moreData false and
    // asks again.
    std::function<void(bool& moreData)> onNeedData;

private:
    QString m_name;
    QString m_title;
    DataSet* m_subjectData = nullptr;
    QString m_subjectField;
    PageSetup m_page;
    bool m_list = false;
    std::vector<std::unique_ptr<ReportBand>> m_bands;
    DataSet* m_dataSet = nullptr;
    QHash<QString, DataSet*> m_named; // by lower-case name
};
