#pragma once

#include "AnsweringMessages.h"
#include "DataModuleHost.h"
#include "Messages.h"
#include "ReportRunner.h"
#include "TDataModule1.h"
#include "TFClenove.h"
#include "TFormBrigada.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

class Database;
class Table;

// Forwards the data module's calls to the members window, as the program's shell does.
class WindowHost : public DataModuleHost {
public:
    TFClenove* window = nullptr;

    void setUpgradeNotice(bool, const QString&) override {}
    void setEvaluatedBrigadeYear(const QString& year) override;
    void setMemberCount(int count) override;
    void setAwardKinds(const QStringList& kinds) override;
    void showAllMembers() override;
    void markCatchOverviewStale() override {}
    void showMemberFigures(const MemberFigures& figures) override;
    QString evaluatedBrigadeYear() const override;
    void setMemberEditable(bool on) override;
    void setHonoraryPermitShown(bool shown) override;
    void setRemovedCount(int count) override;
    void printStornoReceipt() override {}
    bool issueInProgress() const override;
    void showError(const QString& text) override { Messages::error(text); }
    void confirmWithOk(const QString& text) override { Messages::confirmWithOk(text); }
};

// A chapter whose summary year is 2012, with the rows a test writes, started with the
// members window and the brigade dialog shown on screen; message boxes are answered here.
class MembersWindowTest : public ::testing::Test, protected AnsweringMessages {
protected:
    void SetUp() override;
    void TearDown() override;

    // Rows written before start().
    void addRow(const QString& table, const QVariantMap& values);
    void addMember(const QString& number, const QString& surname, QVariantMap more = {});
    void start();
    // Back to the members window after a dialog of its own.
    void activateWindow();

    TFClenove& window() { return *m_window; }
    TFormBrigada& brigadeDialog() { return *m_brigade; }
    TDataModule1& data() { return *m_data; }
    ReportRunner& reports() { return *m_reports; }
    Database& database() { return *m_db; }
    Table& members();
    // The field of every row of a whole table, as stored.
    QStringList stored(const QString& table, const QString& field);
    QString current(const QString& field);
    void select(const QString& number);

    template <class W> W* child(const QString& name)
    {
        W* w = m_window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QPushButton* buttonCaptioned(const QString& caption);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
    WindowHost m_host;
    std::unique_ptr<ReportRunner> m_reports;
    std::unique_ptr<TFClenove> m_window;
    std::unique_ptr<TFormBrigada> m_brigade;
    std::unique_ptr<TDataModule1> m_data;
};
