#pragma once

#include "Database.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

#include <memory>
#include <ostream>

class DataSet;
class Table;

// A new data directory in a temporary folder holding the named tables of the data model,
// all empty: each test writes the rows its reasoning depends on.
class TestDataDir {
public:
    explicit TestDataDir(const QStringList& tables = {});

    Database& db() { return *m_db; }
    QString path() const { return m_dir.path(); }
    void createTable(const QString& name);
    // Lets a test reopen the directory or put a foreign file in place of the database.
    void closeDatabase() { m_db.reset(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};

// Appends one row through an open cursor and posts it.
void appendRow(Table& table, const QVariantMap& values);

// A member row: number, surname and whatever else the test needs.
QVariantMap member(const QString& number, const QString& surname, QVariantMap more = {});

// The field of every row of the view as text, walking from the first row to the end.
QStringList columnOf(DataSet& data, const QString& field);

// Expectations read better in case tables as one text: values separated by commas, or by
// bars when the values themselves hold decimal commas.
QStringList listOf(const char* separated);

// Readable failure output for Qt strings.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);
