#include "ExchangeFixture.h"

#include "GuiTestSupport.h"
#include "ParadoxTable.h"
#include "Table.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class ExchangePanel : public ExchangeFixture {
protected:
    void typeFolder(const QString& text)
    {
        auto* edit = panel().findChild<QLineEdit*>(u"EditImport"_s);
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
    }
    QString batchShown() { return panel().findChild<QLabel*>(u"LabelPripojeni"_s)->text(); }
};

// "Připojit" twice with the same file: asked each time, the second time told that the rows
// are there already; the batch shown beside the button, the data module's cursor showing
// the rows, the window told to rebuild its overview, the progress bar back at rest.
TEST_F(ExchangePanel, AppendingTwiceShowsBatchOneThenTwo)
{
    const QString file = writeForeign(
        u"SuMP2012.DB"_s, {catchRow(u"000001"_s, u"411001"_s), catchRow(u"000002"_s, u"411001"_s)});
    typeFolder(folder());
    QSignalSpy appended(&panel(), &CatchExchangePanel::yearTableAppended);
    QList<int> progressSeen;
    QObject::connect(&progress(), &QProgressBar::valueChanged,
                     [&](int value) { progressSeen << value; });

    click(u"ButtonPripojit"_s);
    EXPECT_EQ(shownTexts(), QStringList{u"Opravdu připojit MimoPSTRUHOVÝ sumář "_s + file});
    EXPECT_EQ(batchShown(), u"1"_s);
    EXPECT_EQ(data().TableSumar().recordCount(), 2);
    EXPECT_EQ(appended.count(), 1);
    EXPECT_TRUE(progressSeen.contains(2)) << progressSeen.size();
    EXPECT_EQ(progress().value(), 0);

    shown.clear();
    click(u"ButtonPripojit"_s);
    EXPECT_EQ(shownTexts(),
              QStringList{u"Opravdu připojit MimoPSTRUHOVÝ sumář "_s + file +
                          u"\n\rPozor: všechny řádky tohoto sumáře už v tabulce jsou, připojené "
                          u"jako dávka č. 1."_s});
    EXPECT_EQ(batchShown(), u"2"_s);
    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"CISLO_POVOLENKY"_s),
              (QStringList{u"1"_s, u"1"_s, u"2"_s, u"2"_s}));
    EXPECT_EQ(data().TableSumar().recordCount(), 4);
}

TEST_F(ExchangePanel, AnswerNoAppendsNothing)
{
    writeForeign(u"SuMP2012.DB"_s, {catchRow(u"1"_s, u"1"_s)});
    typeFolder(folder());
    answers << Messages::Answer::No;
    click(u"ButtonPripojit"_s);
    EXPECT_TRUE(stored(u"SuMP2012.DB"_s, u"CLEN_CISLO"_s).isEmpty());
    EXPECT_EQ(batchShown(), QString());
}

// The trout switch looks for the trout file of the summary year; a folder typed without the
// final separator is joined with one, and the message shows the path looked for.
TEST_F(ExchangePanel, TroutLooksForSuPSOfTheSummaryYear)
{
    data().switchCatchKind(TDataModule1::Water::PS);
    writeForeign(u"SuMP2012.DB"_s, {catchRow(u"1"_s, u"1"_s)});
    QString typed = folder();
    typed.chop(1);
    typeFolder(typed);
    click(u"ButtonPripojit"_s);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].kind, Messages::Kind::Error);
    EXPECT_EQ(shown[0].text,
              u"PSTRUHOVÝ Sumář "_s + typed + QDir::separator() + u"SuPS2012.DB NENALEZEN !!!"_s);

    shown.clear();
    writeForeign(u"SuPS2012.DB"_s, {catchRow(u"1"_s, u"1"_s, {{u"PSTRUHOVA"_s, true}})});
    click(u"ButtonPripojit"_s);
    EXPECT_EQ(shownTexts(), QStringList{u"Opravdu připojit PSTRUHOVÝ sumář "_s + typed +
                                        QDir::separator() + u"SuPS2012.DB"_s});
    EXPECT_EQ(stored(u"SuPS2012.DB"_s, u"CLEN_CISLO"_s), QStringList{u"1"_s});
    EXPECT_TRUE(stored(u"SuMP2012.DB"_s, u"CLEN_CISLO"_s).isEmpty());
}

// The engine failing half-way through "Připojit": the error is shown, the table and the data
// module's cursor stay as they were, and no batch is shown.
TEST_F(ExchangePanel, AFailureHalfWayIsToldAndAppendsNothing)
{
    QList<QVariantMap> rows;
    for (int i = 1; i <= 5; ++i)
        rows << catchRow(QString::number(i), u"1"_s);
    writeForeign(u"SuMP2012.DB"_s, rows);
    typeFolder(folder());
    EngineFailure failure(db());
    QObject::connect(&progress(), &QProgressBar::valueChanged, [&](int value) {
        if (value == 2)
            failure.arm();
    });
    click(u"ButtonPripojit"_s);
    failure.disarm();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1].kind, Messages::Kind::Error);
    EXPECT_TRUE(shown[1].text.contains(u"nebylo připojeno nic"_s)) << shown[1].text.toStdString();
    EXPECT_TRUE(stored(u"SuMP2012.DB"_s, u"CLEN_CISLO"_s).isEmpty());
    EXPECT_EQ(data().TableSumar().recordCount(), 0);
    EXPECT_EQ(batchShown(), QString());
    EXPECT_EQ(progress().value(), 0);
}

// "Ulož" writes the totals and the year catch table of the kind into the chosen folder and
// says so; a second time it asks before replacing them.
TEST_F(ExchangePanel, SaveWritesBothFilesAndAsksBeforeReplacing)
{
    addLocalRow(u"SuMP2012.DB"_s, catchRow(u"1"_s, u"1"_s));
    const QString target = QDir(folder()).filePath(u"disketa"_s);
    QDir().mkpath(target);
    const QString totals = QDir::toNativeSeparators(QDir(target).filePath(u"CSumMP.DB"_s));
    const QString returns = QDir::toNativeSeparators(QDir(target).filePath(u"SuMP2012.DB"_s));

    answerFolderDialog(target);
    click(u"ButtonUloz"_s);
    EXPECT_EQ(shownTexts(), QStringList{u"Zapsány soubory:\n\r"_s + totals + u"\n\r"_s + returns});
    EXPECT_EQ(ParadoxTable(returns).recordCount(), 1);

    addLocalRow(u"SuMP2012.DB"_s, catchRow(u"2"_s, u"1"_s));
    shown.clear();
    answers << Messages::Answer::No;
    answerFolderDialog(target);
    click(u"ButtonUloz"_s);
    EXPECT_EQ(shownTexts(), QStringList{u"Ve složce už jsou soubory\n\r"_s + totals + u"\n\r"_s +
                                        returns + u"\n\rPřepsat je?"_s});
    EXPECT_EQ(ParadoxTable(returns).recordCount(), 1);

    shown.clear();
    answerFolderDialog(target);
    click(u"ButtonUloz"_s);
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(ParadoxTable(returns).recordCount(), 2);

    shown.clear();
    answerFolderDialog({});
    click(u"ButtonUloz"_s);
    EXPECT_TRUE(shown.isEmpty());
}

// Runs with PATH set to the folder alone, so the system's own mail hand-over is not found.
class PathOnly {
public:
    explicit PathOnly(const QString& folder)
        : m_saved(qgetenv("PATH"))
    {
        qputenv("PATH", folder.toLocal8Bit());
    }
    ~PathOnly() { qputenv("PATH", m_saved); }
    PathOnly(const PathOnly&) = delete;
    PathOnly& operator=(const PathOnly&) = delete;

private:
    QByteArray m_saved;
};

// "Odešli" writes the two files and hands a mail with them to the desktop's mail program,
// addressed as the setting says.
TEST_F(ExchangePanel, SendHandsTheFilesToTheMailProgram)
{
    const QString bin = QDir(folder()).filePath(u"bin"_s);
    const QString record = QDir(folder()).filePath(u"arguments.txt"_s);
    QDir().mkpath(bin);
    QFile script(QDir(bin).filePath(u"xdg-email"_s));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                 record.toLocal8Bit() + ".part\"\nmv \"" + record.toLocal8Bit() + ".part\" \"" +
                 record.toLocal8Bit() + "\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    const QString target = QDir(folder()).filePath(u"out"_s);
    QDir().mkpath(target);
    panel().setMailAddress([] { return u"sumare@zeb.cz"_s; });
    data().switchCatchKind(TDataModule1::Water::PS);

    const PathOnly path(bin + u":/bin:/usr/bin"_s);
    answerFolderDialog(target);
    click(u"ButtonOdesli"_s);
    EXPECT_TRUE(shown.isEmpty()) << shownTexts().join(u'|').toStdString();
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(record) && waited.elapsed() < 10000)
        QTest::qWait(20);
    QFile recorded(record);
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(recorded.readAll()).split(u'\n', Qt::SkipEmptyParts),
              (QStringList{u"--subject"_s, u"Sumáře PS za rok 2012"_s, u"--attach"_s,
                           QDir(target).filePath(u"CSumPS.DB"_s), u"--attach"_s,
                           QDir(target).filePath(u"SuPS2012.DB"_s), u"sumare@zeb.cz"_s}));
}

// Without a mail program the files are written all the same, and the user is told where they
// are and where to send them.
TEST_F(ExchangePanel, WithoutAMailProgramSendTellsWhereTheFilesAre)
{
    const QString empty = QDir(folder()).filePath(u"empty"_s);
    QDir().mkpath(empty);
    const QString target = QDir(folder()).filePath(u"out"_s);
    QDir().mkpath(target);
    panel().setMailAddress([] { return u"sumare@zeb.cz"_s; });

    const PathOnly path(empty);
    answerFolderDialog(target);
    click(u"ButtonOdesli"_s);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, u"Poštovní program se nepodařilo otevřít. Soubory jsou ve složce "_s +
                                 QDir::toNativeSeparators(target) + u"\n\r"_s +
                                 QDir::toNativeSeparators(QDir(target).filePath(u"CSumMP.DB"_s)) +
                                 u"\n\r"_s +
                                 QDir::toNativeSeparators(QDir(target).filePath(u"SuMP2012.DB"_s)) +
                                 u"\n\rPošlete je prosím na adresu sumare@zeb.cz."_s);
    EXPECT_TRUE(QFile::exists(QDir(target).filePath(u"SuMP2012.DB"_s)));
}

} // namespace
