#include "ProgramStart.h"
#include "DataBackups.h"
#include "DataDamage.h"
#include "DataDirectoryInitializer.h"
#include "Database.h"
#include "GuardedApplication.h"
#include "GuiTestSupport.h"
#include "Messages.h"
#include "TDataModule1.h"
#include "TMainForm.h"
#include "Table.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void ensureApplication()
{
    ensureTestApplication();
}

// Answers every message box with its first button and remembers the texts.
class AnsweredMessages {
public:
    AnsweredMessages()
    {
        Messages::setResponder([this](Messages::Kind, const QString& text, Messages::Buttons b) {
            texts << text;
            return b == Messages::Buttons::Ok ? Messages::Answer::Ok : Messages::Answer::Yes;
        });
    }
    ~AnsweredMessages() { Messages::setResponder({}); }
    QStringList texts;
};

class WholeProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        DataDirectoryInitializer::Options options;
        options.demo = true;
        options.members = 60;
        DataDirectoryInitializer::create(dataDir(), options);
    }
    QString dataDir() const { return m_dir.filePath(u"data"_s); }

    QTemporaryDir m_dir;
    AnsweredMessages messages;
};

QPushButton* buttonOf(QWidget& window, const QString& caption)
{
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

// Clicks a launcher button and closes whatever modal window it opened; returns that
// window's name.
QString openAndClose(TMainForm& form, const QString& caption)
{
    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal->objectName();
            modal->close();
        }
    });
    QPushButton* button = buttonOf(form, caption);
    if (!button)
        return u"no button "_s + caption;
    button->click();
    return opened;
}

} // namespace

TEST_F(WholeProgram, StartsOpensEveryWindowAndKeepsThePendingEditAtTheEnd)
{
    auto program = std::make_unique<ProgramStart>(dataDir(), u"/opt/ryby/DATA"_s,
                                                  m_dir.filePath(u"TALU.ini"_s));
    ASSERT_TRUE(program->start()) << messages.texts.join(u'\n').toStdString();
    TMainForm& form = program->mainForm();
    form.show();
    EXPECT_EQ(form.windowTitle(), u"ZEB -  MO administrativa V 5.20 - DATA"_s);
    EXPECT_FALSE(form.LabelUpgrade()->isVisible());

    EXPECT_EQ(openAndClose(form, u"&Členové"_s), u"TFClenove"_s);
    EXPECT_EQ(openAndClose(form, u"&Sumáře"_s), u"TSumarForm"_s);
    EXPECT_EQ(openAndClose(form, u"&Nastavení"_s), u"TSettingForm"_s);

    Table& members = program->dataModule().TableClenove();
    members.first();
    const QString number = members.fieldByName(u"CLEN_CISLO"_s).asString();
    members.edit();
    members.fieldByName(u"TELEFON"_s).setAsString(u"777 123 456"_s);
    buttonOf(form, u"&Uložit data"_s)->click();
    EXPECT_TRUE(members.isEditing()) << "saving the data leaves the pending edit alone";

    messages.texts.clear();
    buttonOf(form, u"&Záloha dat"_s)->click();
    const QStringList backups = QDir(dataDir() + u"/Zaloha"_s).entryList({u"zeb-*.sqlite"_s});
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(messages.texts.value(0).contains(backups.first()))
        << "the user is told where it went";

    EXPECT_TRUE(form.close());
    program.reset();
    Database db(dataDir());
    Table check(db, u"Clenove.DB"_s);
    check.open();
    ASSERT_TRUE(check.locate(u"CLEN_CISLO"_s, number));
    EXPECT_EQ(check.fieldByName(u"TELEFON"_s).asString(), u"777 123 456"_s);
}

TEST_F(WholeProgram, FolderSuffixIsTheLastComponentOfTheProgramDirectory)
{
    EXPECT_EQ(TMainForm::folderSuffixOf(u"/opt/ryby/DATA"_s), u" - DATA"_s);
    EXPECT_EQ(TMainForm::folderSuffixOf(u"C:\\ZEB\\MO1"_s), u" - MO1"_s);
    EXPECT_EQ(TMainForm::folderSuffixOf(u"ZEB"_s), u" - ZEB"_s);
}

// Data a program on another computer did not close are the user's to judge: declined, the
// program does not start on them; agreed, it takes them over.
TEST_F(WholeProgram, DataLeftOpenByAnotherComputerAreTakenOverOnlyWhenAgreed)
{
    QFile lock(QDir(dataDir()).filePath(u"zeb.sqlite.lock"_s));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("zeb-mo\nhost=pokladna-2\npid=42\n");
    lock.close();
    for (const Messages::Answer answer : {Messages::Answer::No, Messages::Answer::Yes}) {
        QStringList asked;
        Messages::setResponder([&](Messages::Kind, const QString& text, Messages::Buttons) {
            asked << text;
            return answer;
        });
        ProgramStart program(dataDir(), m_dir.path(), m_dir.filePath(u"TALU.ini"_s));
        EXPECT_EQ(program.start(), answer == Messages::Answer::Yes);
        ASSERT_FALSE(asked.isEmpty());
        EXPECT_TRUE(asked.first().contains(u"pokladna-2"_s));
        EXPECT_TRUE(asked.first().endsWith(u"Převzít data?"_s));
    }
    Messages::setResponder({});
}

// Damage is told once, at start, before anything is written, with the backup to restore;
// the restore replaces the data and ends the program without writing the old cursors back.
TEST_F(WholeProgram, DamagedDataAreToldAtStartAndABackupRestoresThem)
{
    QString backup;
    {
        ProgramStart program(dataDir(), m_dir.path(), m_dir.filePath(u"TALU.ini"_s));
        ASSERT_TRUE(program.start());
        program.backupData();
        backup = DataBackups(dataDir()).newest();
        ASSERT_FALSE(backup.isEmpty());
        program.mainForm().close();
    }
    zeroAPageOf(dataDir());
    messages.texts.clear();
    {
        ProgramStart program(dataDir(), m_dir.path(), m_dir.filePath(u"TALU.ini"_s));
        ASSERT_TRUE(program.start());
        ASSERT_FALSE(messages.texts.isEmpty());
        EXPECT_TRUE(messages.texts.first().contains(u"je poškozený"_s));
        EXPECT_EQ(messages.texts.filter(QFileInfo(backup).fileName()).size(), 1)
            << "told once, naming the backup to restore";

        program.mainForm().show();
        EXPECT_TRUE(program.restoreData(backup));
        EXPECT_FALSE(program.mainForm().isVisible()) << "the program ends after a restore";
    }
    Database restored(dataDir());
    EXPECT_TRUE(restored.integrityProblems(false).isEmpty());
}
