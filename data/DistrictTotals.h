#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <functional>

class Database;
class DataSet;
struct FieldDef;

// The chapter's yearly report to the union: one row per fishing district with the summed
// fishing days and, per species, the summed count and weight of the year's catch returns,
// written into the district totals table (CSumMP / CSumPS). The table is always rebuilt
// whole, in one transaction: a stop keeps the districts finished before it, an error or a
// killed program keeps the table as it was.
class DistrictTotals {
public:
    struct District {
        QString number;
        QString name;
    };
    // Told after each district: how many are finished, of how many. False stops the rebuild
    // after that district.
    using Progress = std::function<bool(int finished, int total)>;

    static constexpr int SpeciesCount = 26;
    // Species pair i is the count at position FirstSpeciesField + 2i and the weight after it,
    // in the year catch table and in the totals alike.
    static constexpr int FirstSpeciesField = 8;

    explicit DistrictTotals(Database& db);

    // The districts of a cursor's view in its order; the cursor does not move.
    static QList<District> districtsOf(DataSet& districts);

    // Totals of the returns of the year catch table (a file name such as "SuMP2012.DB") into
    // the totals table ("CSumMP.DB"), one row per district with returns, in the order given.
    // A return of a district not given is counted nowhere. Throws EngineError; the totals
    // table is then unchanged.
    void rebuild(const QList<District>& districts, const QString& yearCatchFile,
                 const QString& totalsFile, const Progress& progress = {});

    int rowsWritten() const { return m_rowsWritten; }
    bool stopped() const { return m_stopped; }

private:
    // Counts add up in 32 bits, wrapping as the union's programs do; weights in doubles, in
    // the table's row order, so every program that totals the same returns gets the same
    // figures to the last bit.
    struct Sums {
        qint32 days = 0;
        std::array<qint32, SpeciesCount> counts{};
        std::array<double, SpeciesCount> weights{};
    };
    // What every totals row repeats: the chapter from Setup.db and the kind of water.
    struct Chapter {
        QString number;
        QString name;
        QString year;
        bool trout = false;
    };

    QHash<QString, Sums> sumReturns(const QString& yearTable) const;
    bool lastReturnIsTrout(const QString& yearTable) const;
    Chapter readChapter() const;
    void writeRow(const QString& totalsTable, const QList<FieldDef>& fields, const Chapter& chapter,
                  const District& district, const Sums& sums) const;

    Database& m_db;
    int m_rowsWritten = 0;
    bool m_stopped = false;
};
