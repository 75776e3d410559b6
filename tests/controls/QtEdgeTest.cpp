#include "GuiTestSupport.h"

#include "DbEdit.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "GuardedApplication.h"
#include "Table.h"

#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

DataSetColumn column(const char* field)
{
    DataSetColumn c;
    c.field = QLatin1String(field);
    return c;
}

// A handler that forgot its guard: it reads the last member whenever it gets a user event.
class UnguardedReader : public QObject {
    Q_OBJECT
public:
    explicit UnguardedReader(Table& table)
        : m_table(table)
    {
    }
    const QString& lastRead() const { return m_lastRead; }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        m_table.last();
        m_lastRead = m_table.fieldByName(QStringLiteral("PRIJMENI")).asString();
        return true;
    }

private:
    Table& m_table;
    QString m_lastRead;
};

// The engine failing under each kind of place where Qt calls the controls: the program goes
// on, the error is told with the engine's message, and all works again once the engine does.
class EngineErrorsAtTheEdge : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureTestApplication(); }

    void SetUp() override
    {
        chapter.addMembers(3);
        members.open();
    }

    void TearDown() override
    {
        EXPECT_TRUE(escaped.messages().isEmpty())
            << "caught only by the application: " << escaped.messages().join(u'\n').toStdString();
    }

    // What was told once the event loop had its turns (a posted event, then its telling).
    QStringList toldAfterwards()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return errors.messages();
    }

    static bool toldOnceWithTheEnginesMessage(const QStringList& told)
    {
        return told.size() == 1 && told[0].contains(EngineFailure::reason());
    }

    TestChapter chapter;
    Table members{chapter.db(), QStringLiteral("Clenove.DB")};
    EngineFailure failure{chapter.db()};
    ReportedErrors errors;
    EscapedErrors escaped;
};

TEST_F(EngineErrorsAtTheEdge, GridPaintingRowsItCannotReadShowsThemBlankAndTellsOnceAfterwards)
{
    members.next();
    DbGrid grid;
    grid.setColumns({column("CLEN_CISLO"), column("PRIJMENI")});
    grid.setDataSet(&members);
    grid.resize(400, 200);
    failure.arm();

    EXPECT_EQ(grid.model()->index(0, 1).data(), QVariant());
    EXPECT_TRUE(errors.messages().isEmpty()) << "no box may open while a view reads";
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    for (int i = 0; i < 3; ++i)
        grid.viewport()->repaint();
    const QStringList told = toldAfterwards();
    EXPECT_TRUE(toldOnceWithTheEnginesMessage(told)) << told.join(u'\n').toStdString();
    EXPECT_EQ(members.position(), 1) << "a failed read leaves the cursor where it stood";

    failure.disarm();
    grid.viewport()->repaint();
    EXPECT_EQ(grid.model()->index(0, 1).data().toString(), s("Člen 000001"));
    members.next();
    EXPECT_EQ(grid.currentIndex().row(), 2);
    EXPECT_EQ(toldAfterwards().size(), 1);
}

TEST_F(EngineErrorsAtTheEdge, KeyPressThatCannotOpenTheRecordIsToldAtOnceAndTypingWorksAgain)
{
    QWidget window;
    auto* edit = new DbEdit(&window);
    (new QVBoxLayout(&window))->addWidget(edit);
    edit->bind(&members, QStringLiteral("PRIJMENI"));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(edit, Qt::Key_End);
    failure.arm();

    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_TRUE(toldOnceWithTheEnginesMessage(errors.messages()));
    EXPECT_EQ(members.state(), DataSet::State::Browse);
    EXPECT_EQ(edit->text(), s("Člen 000001")) << "the keystroke the record refused is gone";

    failure.disarm();
    QTest::keyClicks(edit, QStringLiteral("x"));
    QTest::keyClick(edit, Qt::Key_Return);
    members.post();
    EXPECT_EQ(members.fieldByName(QStringLiteral("PRIJMENI")).asString(), s("Člen 000001x"));
    EXPECT_EQ(toldAfterwards().size(), 1);
}

TEST_F(EngineErrorsAtTheEdge, ControlsThatCannotShowTheNewRecordLetTheMoveFinishAndTellAfterwards)
{
    DbEdit edit;
    edit.bind(&members, QStringLiteral("PRIJMENI"));
    DbNavigator navigator;
    navigator.setDataSet(&members);
    failure.arm();

    EXPECT_NO_THROW(members.next()) << "a control's error must not break into the move";
    EXPECT_EQ(members.position(), 1);
    EXPECT_TRUE(errors.messages().isEmpty()) << "no box may open inside an announcement";
    EXPECT_TRUE(toldOnceWithTheEnginesMessage(toldAfterwards()));

    failure.disarm();
    members.next();
    EXPECT_EQ(edit.text(), s("Člen 000003"));
    EXPECT_EQ(toldAfterwards().size(), 1);
}

TEST_F(EngineErrorsAtTheEdge, AnErrorEscapingAHandlerIsToldByTheApplicationAndEventsGoOn)
{
    ASSERT_NE(qobject_cast<GuardedApplication*>(QCoreApplication::instance()), nullptr);
    UnguardedReader reader(members);
    failure.arm();

    QCoreApplication::postEvent(&reader, new QEvent(QEvent::User));
    EXPECT_TRUE(toldOnceWithTheEnginesMessage(toldAfterwards()));
    ASSERT_EQ(escaped.messages().size(), 1);
    EXPECT_TRUE(escaped.messages()[0].contains(QStringLiteral("UnguardedReader")))
        << "the log names the handler that lacks its guard";
    escaped.clear();

    failure.disarm();
    QCoreApplication::postEvent(&reader, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(reader.lastRead(), s("Člen 000003"));
    EXPECT_EQ(toldAfterwards().size(), 1);
}

} // namespace

#include "QtEdgeTest.moc"
