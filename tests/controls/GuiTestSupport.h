#pragma once

#include "Database.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <ostream>

class QWidget;

// The widget tests' application object, made once for the whole test program.
void ensureTestApplication();

// Types the text into the widget key by key; unlike QTest::keyClicks it takes Czech letters.
void typeText(QWidget* widget, const QString& text);

// A new data directory, as the initializer makes it for a chapter, in a temporary folder.
class TestChapter {
public:
    TestChapter();
    Database& db() { return *m_db; }
    QString path() const { return m_dir.path(); }
    // Members "000001"… with surnames "Člen 000001"…, in one commit.
    void addMembers(int count);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};

// Makes the engine fail for real, through SQLite itself, with no hook in the program:
// while armed, every statement run on the connection is interrupted, so reading a row,
// moving onto a stale view or posting throws the engine's own EngineError.
class EngineFailure {
public:
    explicit EngineFailure(Database& db);
    ~EngineFailure();
    EngineFailure(const EngineFailure&) = delete;
    EngineFailure& operator=(const EngineFailure&) = delete;

    void arm();
    void disarm();
    // What the engine tells the user of an interrupted statement.
    static QString reason() { return QStringLiteral("Práce s daty byla přerušena"); }

private:
    Database& m_db;
};

// Catches what the application object logs of errors that escaped a handler's own guard,
// while it lives: with every edge guarded there are none.
class EscapedErrors {
public:
    EscapedErrors();
    ~EscapedErrors();
    const QStringList& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QStringList m_messages;
    QtMessageHandler m_previous = nullptr;
};

// Catches what the controls report while it lives.
class ReportedErrors {
public:
    ReportedErrors();
    ~ReportedErrors();
    const QStringList& messages() const { return m_messages; }

private:
    QStringList m_messages;
};

void PrintTo(const QString& text, std::ostream* os);
