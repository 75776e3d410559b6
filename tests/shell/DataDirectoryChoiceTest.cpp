#include "DataDirectoryChoice.h"
#include "GuiTestSupport.h"

#include "DataDirectoryInitializer.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Stands in for the directory dialog: answers from a list and notes where each one opened.
class ScriptedAnswers {
public:
    explicit ScriptedAnswers(QStringList answers)
        : m_answers(std::move(answers))
    {
    }
    DataDirectoryChoice::Asker asker()
    {
        return [this](const QString& startFolder) {
            m_startFolders << startFolder;
            return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        };
    }
    const QStringList& startFolders() const { return m_startFolders; }

private:
    QStringList m_answers;
    QStringList m_startFolders;
};

class DataDirectoryChoiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureTestApplication(); }
    void TearDown() override { QDir::setCurrent(m_startedIn); }

    // Canonical, as the current directory is reported.
    QString path(const QString& name) const
    {
        return QDir(QFileInfo(m_dir.path()).canonicalFilePath()).filePath(name);
    }
    QString folder(const QString& name) const
    {
        QDir().mkpath(path(name));
        return path(name);
    }
    QString dataDirectory(const QString& name) const
    {
        DataDirectoryInitializer::create(path(name), {});
        return path(name);
    }
    // Read afresh each time, as the next start of the program would.
    QSettings settings() const { return QSettings(path(u"settings.ini"_s), QSettings::IniFormat); }
    static QString documents()
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }

    QTemporaryDir m_dir;
    const QString m_startedIn = QDir::currentPath();
};

TEST_F(DataDirectoryChoiceTest, TheFirstChoiceIsRememberedAndLaterStartsDoNotAsk)
{
    const QString data = dataDirectory(u"data"_s);
    ScriptedAnswers answers({data});
    {
        QSettings s = settings();
        ASSERT_TRUE(DataDirectoryChoice(s, answers.asker()).enter());
    }
    EXPECT_EQ(answers.startFolders(), QStringList{documents()});
    EXPECT_EQ(QDir::currentPath(), data);

    QDir::setCurrent(m_startedIn);
    QSettings s = settings();
    ASSERT_TRUE(DataDirectoryChoice(s, answers.asker()).enter());
    EXPECT_EQ(answers.startFolders().size(), 1);
    EXPECT_EQ(QDir::currentPath(), data);
}

TEST_F(DataDirectoryChoiceTest, AGoneOrEmptyRememberedDirectoryIsAskedForAgain)
{
    const QString gone = dataDirectory(u"gone"_s);
    const QString empty = folder(u"empty"_s);
    const QString data = dataDirectory(u"data"_s);
    ScriptedAnswers answers({gone, empty, data});
    QSettings s = settings();
    DataDirectoryChoice choice(s, answers.asker());
    ASSERT_EQ(choice.directory(), gone);

    QDir(gone).removeRecursively();
    EXPECT_EQ(choice.directory(), empty);
    // An empty folder is where the user declined new data: the dialog opens there again.
    EXPECT_EQ(choice.directory(), data);
    EXPECT_EQ(choice.directory(), data);
    EXPECT_EQ(answers.startFolders(), (QStringList{documents(), documents(), empty}));
    EXPECT_EQ(settings().value(u"dataDirectory"_s).toString(), data);
}

TEST_F(DataDirectoryChoiceTest, CancellingEndsTheStartAndKeepsTheOldChoice)
{
    ScriptedAnswers answers({});
    QSettings s = settings();
    DataDirectoryChoice choice(s, answers.asker());
    EXPECT_FALSE(choice.enter());
    EXPECT_EQ(QDir::currentPath(), m_startedIn);

    // Cancelled when the remembered directory had gone, the old choice is still offered.
    const QString gone = folder(u"gone"_s);
    s.setValue(u"dataDirectory"_s, gone);
    QDir(gone).removeRecursively();
    EXPECT_FALSE(choice.enter());
    EXPECT_EQ(QDir::currentPath(), m_startedIn);
    EXPECT_EQ(settings().value(u"dataDirectory"_s).toString(), gone);
}

#ifndef Q_OS_WIN
// Elsewhere than Windows the user's native settings are a file that can be sent to a
// temporary folder; on Windows they are the registry, which a test must not touch.
TEST_F(DataDirectoryChoiceTest, OnlyTheMenuOptionAsksAndItsChoiceLivesInTheUsersSettings)
{
    const QString config = folder(u"config"_s);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    const QString data = dataDirectory(u"data"_s);
    ScriptedAnswers answers({data});

    EXPECT_TRUE(DataDirectoryChoice::enterIfRequested({u"zeb-mo"_s}, answers.asker()));
    // The option counts only as an argument, never as the program's own name.
    EXPECT_TRUE(
        DataDirectoryChoice::enterIfRequested({DataDirectoryChoice::option()}, answers.asker()));
    EXPECT_TRUE(answers.startFolders().isEmpty());
    EXPECT_EQ(QDir::currentPath(), m_startedIn);

    const QStringList fromMenu{u"zeb-mo"_s, DataDirectoryChoice::option()};
    ASSERT_TRUE(DataDirectoryChoice::enterIfRequested(fromMenu, answers.asker()));
    EXPECT_EQ(QDir::currentPath(), data);
    QDir::setCurrent(m_startedIn);
    ASSERT_TRUE(DataDirectoryChoice::enterIfRequested(fromMenu, answers.asker()));
    EXPECT_EQ(QDir::currentPath(), data);
    EXPECT_EQ(answers.startFolders().size(), 1);

    QStringList written;
    for (QDirIterator it(config, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        written << it.next();
    ASSERT_EQ(written.size(), 1);
    EXPECT_TRUE(written.constFirst().endsWith(u".conf"_s)) << written.constFirst().toStdString();
}
#endif

} // namespace
