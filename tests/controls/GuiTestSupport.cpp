#include "GuiTestSupport.h"

#include "ControlErrors.h"
#include "DataDirectoryInitializer.h"
#include "GuardedApplication.h"

#include <QTest>

#include <sqlite3.h>

#include <stdexcept>

void ensureTestApplication()
{
    if (QApplication::instance())
        return;
    // Qt's dialogs keep their history and the program its settings under the user's home:
    // tests get a home of their own, which goes when the test program ends.
    static QTemporaryDir home;
    for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, home.path().toUtf8());
    static int argc = 1;
    static char name[] = "zeb-gui-test";
    static char* argv[] = {name, nullptr};
    new GuardedApplication(argc, argv);
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

TestChapter::TestChapter()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary directory");
    DataDirectoryInitializer::create(m_dir.path(), {});
    m_db = std::make_unique<Database>(m_dir.path());
}

void TestChapter::addMembers(int count)
{
    m_db->execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                 "WHERE i < ") +
                  QString::number(count) +
                  QStringLiteral(") INSERT INTO Clenove (CLEN_CISLO, PRIJMENI) SELECT "
                                 "printf('%06d', i), 'Člen ' || printf('%06d', i) FROM n"));
    m_db->touch(QStringLiteral("Clenove"));
}

EngineFailure::EngineFailure(Database& db)
    : m_db(db)
{
}

EngineFailure::~EngineFailure()
{
    disarm();
}

void EngineFailure::arm()
{
    // SQLite asks it every virtual-machine step of a running statement; a non-zero answer
    // interrupts the statement.
    sqlite3_progress_handler(
        m_db.handle(), 1, [](void*) { return 1; }, nullptr);
}

void EngineFailure::disarm()
{
    sqlite3_progress_handler(m_db.handle(), 0, nullptr, nullptr);
}

namespace {
EscapedErrors* listeningForEscapes = nullptr;
}

EscapedErrors::EscapedErrors()
{
    listeningForEscapes = this;
    m_previous = qInstallMessageHandler(&EscapedErrors::record);
}

EscapedErrors::~EscapedErrors()
{
    qInstallMessageHandler(m_previous);
    listeningForEscapes = nullptr;
}

void EscapedErrors::record(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (listeningForEscapes && qstrcmp(context.category, "zeb.edge.escaped") == 0)
        listeningForEscapes->m_messages << text;
    else if (listeningForEscapes && listeningForEscapes->m_previous)
        listeningForEscapes->m_previous(type, context, text);
}

ReportedErrors::ReportedErrors()
{
    ControlErrors::setHandler([this](const QString& message) { m_messages << message; });
}

ReportedErrors::~ReportedErrors()
{
    ControlErrors::setHandler({});
}

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
