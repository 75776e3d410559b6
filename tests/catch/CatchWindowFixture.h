#pragma once

#include "AnsweringMessages.h"
#include "Messages.h"
#include "TDataModule1.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

class DbEdit;
class ProgramStart;
class TSumarForm;
class Table;

// The whole program on a chapter whose summary year is 2012, with the catch-return window
// shown on screen and Czech number formats; message boxes are answered here.
class CatchWindowTest : public ::testing::Test, protected AnsweringMessages {
protected:
    CatchWindowTest();
    ~CatchWindowTest() override;
    void SetUp() override;
    void TearDown() override;

    // Rows written before start().
    void addRow(const QString& table, const QVariantMap& values);
    void addMember(const QString& number, const QString& surname);
    // A payment row of the year with the kind's return mark.
    void addPayment(const QString& number, int year, const QString& mpMark,
                    const QString& psMark = {});
    void setUsualWeight(const QString& weightField, const QString& name, double min, double max);
    // Runs a statement on the data before start(), such as a trigger that makes a step fail.
    void runSql(const QString& sql);
    void start();

    TSumarForm& window();
    TDataModule1& data();
    ProgramStart& program() { return *m_program; }
    Table& yearTable() { return data().TableSumar(); }
    void select(const QString& number);

    // The species or days input of the return being typed.
    DbEdit* input(const QString& field);
    // A new row for the current member in the first district, as the secretary starts one.
    void startReturn();
    // Types into the input and leaves it with Tab, as the secretary does.
    void typeAndTab(const QString& field, const QString& text);
    void typeInto(const QString& field, const QString& text);
    void press(QWidget* widget, Qt::Key key);
    // The field of every row of a whole table, as stored.
    QStringList stored(const QString& table, const QString& field);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ProgramStart> m_program;
    QLocale m_previousLocale;
};
