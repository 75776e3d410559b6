#pragma once

#include "BandKind.h"
#include "Database.h"
#include "RenderedDocument.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

#include <memory>
#include <ostream>
#include <string>

class Report;
class Table;

// A data directory in a temporary folder with the members, awards and cash-listing tables,
// empty until a test writes the rows its reasoning depends on.
class ReportTestData {
public:
    ReportTestData();

    Database& db() { return *m_db; }
    QString path() const { return m_dir.path(); }
    void append(const QString& table, const QVariantMap& values);
    // Cash-listing rows HODNOTA 1 … count, POCET 2 each.
    void appendPayments(int count);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};

// Generates the report on a fixed day.
RenderedDocument generate(Report& report);
// The kinds of band as letters, easy to compare in one line: H(eader) T(itle) D(etail)
// S(ub-detail) U (summary).
QString bandLetters(const RenderedDocument& document);
// The texts of one page in the order they were printed.
QStringList pageTexts(const RenderedDocument& document, int page);

// Test names for cases whose values hold characters a test name cannot: their position.
struct CaseNumber {
    template <class Info> std::string operator()(const Info& info) const
    {
        return "case" + std::to_string(info.index);
    }
};

void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);
