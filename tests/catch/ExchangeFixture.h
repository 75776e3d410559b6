#pragma once

#include "AnsweringMessages.h"
#include "CatchExchangePanel.h"
#include "Database.h"
#include "FieldDef.h"
#include "Messages.h"
#include "RecordingHost.h"
#include "TDataModule1.h"

#include <QProgressBar>
#include <QTemporaryDir>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <memory>

// A started chapter whose summary year is 2012, with the exchange panel on screen, a folder
// for files of other computers, and the message boxes answered here.
class ExchangeFixture : public ::testing::Test, protected AnsweringMessages {
protected:
    void SetUp() override;
    void TearDown() override;

    Database& db() { return *m_db; }
    TDataModule1& data() { return *m_data; }
    CatchExchangePanel& panel() { return *m_panel; }
    QProgressBar& progress() { return *m_progress; }
    QString folder() const { return m_folder; }
    QString dataPath() const;

    // One member's return for one district; more fields as given.
    static QVariantMap catchRow(const QString& number, const QString& district,
                                QVariantMap more = {});
    // Another computer's year catch table in its folder, in today's layout or the given one.
    QString writeForeign(const QString& fileName, const QList<QVariantMap>& rows,
                         const QList<FieldDef>& fields = {});
    // A row typed on this computer.
    void addLocalRow(const QString& table, const QVariantMap& values);
    // The field of every row of the stored table, in stored order; "∅" for a blank.
    QStringList stored(const QString& table, const QString& field);
    void click(const QString& buttonName);
    // Picks the folder in the next folder dialog; an empty folder cancels it.
    void answerFolderDialog(const QString& chosen);

private:
    QTemporaryDir m_dir;
    RecordingHost m_host;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<TDataModule1> m_data;
    std::unique_ptr<QProgressBar> m_progress;
    std::unique_ptr<CatchExchangePanel> m_panel;
    QString m_folder;
};
