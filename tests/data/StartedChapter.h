#pragma once

#include "Database.h"
#include "RecordingHost.h"
#include "TDataModule1.h"

#include <QTemporaryDir>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

class Table;

// A started data module over an empty chapter whose summary year is 2012, with helpers
// that write the rows a test reasons about.
class StartedChapter : public ::testing::Test {
protected:
    void SetUp() override;

    Table& members() { return m_data->TableClenove(); }
    TDataModule1& data() { return *m_data; }
    Database& db() { return *m_db; }

    void addMember(const QString& number, const QString& category = QStringLiteral("dospělý"),
                   QVariantMap more = {});
    void addPayment(const QString& number, QVariantMap values);
    void addRow(const QString& table, const QVariantMap& values);
    // CLEN_CISLO of every row of the table, in stored order.
    QStringList numbersIn(const QString& table);
    // Makes the member current, which runs the member-change rule.
    void select(const QString& number);
    // Every row of every table, and every table's layout, as text: two states are the same
    // data exactly when their dumps are equal.
    QString dump();

    QTemporaryDir m_dir;
    RecordingHost host;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<TDataModule1> m_data;
};
