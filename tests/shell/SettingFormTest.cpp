#include "GuiTestSupport.h"
#include "QuietHost.h"

#include "DbEdit.h"
#include "DbNavigator.h"
#include "Messages.h"
#include "ProfileFile.h"
#include "PseudoTerminal.h"
#include "ReadOnlyFolder.h"
#include "SettingsLocation.h"
#include "TDataModule1.h"
#include "TSettingForm.h"
#include "UnicodeForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Button = DbNavigator::Button;
using Offset = TSettingForm::PrintOffset;

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class SettingForm : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureTestApplication(); }

    void SetUp() override
    {
        Messages::setResponder([this](Messages::Kind, const QString& text, Messages::Buttons) {
            messages << text;
            return Messages::Answer::Yes;
        });
        data = std::make_unique<TDataModule1>(chapter.db(), host);
        data->DataModuleCreate();
        messages.clear();
    }

    void TearDown() override
    {
        form.reset();
        Messages::setResponder({});
    }

    QString iniPath() const { return chapter.path() + QStringLiteral("/TALU.ini"); }

    void writeIni(const QByteArray& bytes)
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    ProfileFile writtenIni()
    {
        ProfileFile profile(iniPath());
        profile.load();
        return profile;
    }

    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TSettingForm& open(const QString& path = {})
    {
        form = std::make_unique<TSettingForm>(*data, path.isEmpty() ? iniPath() : path);
        return *form;
    }

    void showActive()
    {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    template <typename T = QWidget> T* find(const char* name)
    {
        T* widget = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void leaveTab(int to) { find<QTabWidget>("PageControl1")->setCurrentIndex(to); }

    // Types into a bound input as the user does and moves the focus on to the tab bar.
    void typeAndLeave(const char* input, const QString& text)
    {
        auto* edit = find<DbEdit>(input);
        edit->setFocus();
        edit->selectAll();
        typeText(edit, text);
        find<QTabWidget>("PageControl1")->setFocus();
        QCoreApplication::processEvents();
    }

    QList<qint64> feeYears()
    {
        QList<qint64> years;
        Table fees(chapter.db(), QStringLiteral("PovolSet.DB"));
        fees.open();
        for (fees.first(); !fees.eof(); fees.next())
            years << fees.fieldByName(QStringLiteral("ROK")).asInteger();
        return years;
    }

    TestChapter chapter;
    QuietHost host;
    std::unique_ptr<TDataModule1> data;
    std::unique_ptr<TSettingForm> form;
    QStringList messages;
};

TEST_F(SettingForm, WithoutAFileEveryInputShowsItsDefaultAndLeavingATabWritesEveryKey)
{
    open();
    EXPECT_EQ(find<QComboBox>("ComboBoxBarCOM")->currentText(), QStringLiteral("COM1"));
    EXPECT_EQ(find<QComboBox>("ComboBoxBarBaud")->currentText(), QStringLiteral("9600"));
    EXPECT_EQ(find<QLineEdit>("EditPosunPrevodkaSloupec")->text(), QStringLiteral("0"));
    EXPECT_TRUE(find<QCheckBox>("CheckBoxBarTisk")->isChecked());
    for (const char* name : {"CheckBoxBarUsing", "CheckBoxRodneCislo", "CheckBoxMIprehled"})
        EXPECT_FALSE(find<QCheckBox>(name)->isChecked()) << name;
    EXPECT_EQ(form->catchReturnEmail(), TSettingForm::defaultCatchReturnEmail());
    EXPECT_FALSE(QFile::exists(iniPath()));

    leaveTab(2);
    const ProfileFile ini = writtenIni();
    const struct {
        const char* section;
        const char* key;
        QString value;
    } expected[] = {
        {"Texty", "Sdeleni_Dochazka", QString()},
        {"Texty", "Sumare_Email", TSettingForm::defaultCatchReturnEmail()},
        {"Posuny", "Posun_Prukaz_Radek", QStringLiteral("0")},
        {"Posuny", "Posun_Prukaz_Sloupec", QStringLiteral("0")},
        {"Posuny", "Posun_Povolenka_Radek", QStringLiteral("0")},
        {"Posuny", "Posun_Povolenka_Sloupec", QStringLiteral("0")},
        {"Posuny", "Posun_Obalka_Radek", QStringLiteral("0")},
        {"Posuny", "Posun_Obalka_Sloupec", QStringLiteral("0")},
        {"Posuny", "Posun_Prevodka_Radek", QStringLiteral("0")},
        {"Posuny", "Posun_Prevodka_Sloupec", QStringLiteral("0")},
        {"Posuny", "Rodne_Cislo", QStringLiteral("0")},
        {"BarCode", "BarCOM", QStringLiteral("COM1")},
        {"BarCode", "BarBaud", QStringLiteral("9600")},
        {"BarCode", "BarUsing", QStringLiteral("0")},
        {"BarCode", "BarTisk", QStringLiteral("1")},
        {"MIpovolenky", "MIprehled", QStringLiteral("0")},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.key);
        const QString section = QLatin1String(e.section);
        const QString key = QLatin1String(e.key);
        EXPECT_TRUE(ini.contains(section, key));
        EXPECT_EQ(ini.readString(section, key, QStringLiteral("?")), e.value);
    }
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Sumare_Email="));
}

TEST_F(SettingForm, APartialFileInEitherEncodingIsReadWithItsRules)
{
    const QString message = s("Vraťte sumář do 15. ledna");
    for (const QByteArray& encoded :
         {ProfileEncoding(ProfileEncoding::Kind::CodePage1250).encode(message), message.toUtf8()}) {
        writeIni("[TEXTY]\r\nsdeleni_dochazka=" + encoded +
                 "\r\nSumare_Email=mo@rybari.cz\r\n[posuny]\r\nPOSUN_PRUKAZ_RADEK=12\r\n"
                 "Posun_Obalka_Sloupec=x5\r\nRodne_Cislo=2\r\n[BarCode]\r\nBarUsing=ano\r\n"
                 "BarTisk=0\r\nBarCOM=/dev/ttyUSB0\r\n");
        open();
        EXPECT_EQ(form->attendanceMessage(), message);
        EXPECT_EQ(form->catchReturnEmail(), QStringLiteral("mo@rybari.cz"));
        EXPECT_EQ(form->printOffset(Offset::PrukazRadek), 12);
        EXPECT_EQ(form->printOffset(Offset::ObalkaSloupec), 0);
        EXPECT_EQ(find<QLineEdit>("EditPosunObalkaSloupec")->text(), QStringLiteral("0"));
        EXPECT_TRUE(form->printsBirthNumber());
        EXPECT_FALSE(form->usesScanner());
        EXPECT_FALSE(form->printsBarcode());
        EXPECT_EQ(form->scannerPort(), QStringLiteral("/dev/ttyUSB0"));
        EXPECT_EQ(form->scannerSpeed(), QStringLiteral("9600"));
        EXPECT_FALSE(form->localPermitOverviews());
    }
}

TEST_F(SettingForm, AUnicodeFileKeepsItsValuesAndItsEncodingThroughSaving)
{
    const QString message = s("Vraťte sumář do 15. ledna, Žďár");
    const QString text = s("; uloženo v Poznámkovém bloku\r\n[Texty]\r\nSdeleni_Dochazka=") +
                         message +
                         s("\r\nSumare_Email=mo@žďár.cz\r\n[Posuny]\r\nPosun_Prukaz_Radek=7\r\n");
    for (const UnicodeForm& unicode : UnicodeForm::all()) {
        SCOPED_TRACE(unicode.name());
        writeIni(unicode.encode(text));
        open();
        EXPECT_EQ(form->attendanceMessage(), message);
        EXPECT_EQ(form->catchReturnEmail(), s("mo@žďár.cz"));
        EXPECT_EQ(form->printOffset(Offset::PrukazRadek), 7);
        find<QLineEdit>("EditPosunObalkaRadek")->setText(QStringLiteral("3"));
        EXPECT_TRUE(form->SaveSettings());

        const std::optional<QString> written = unicode.decode(bytesOf(iniPath()));
        ASSERT_TRUE(written);
        EXPECT_TRUE(written->startsWith(s("; uloženo v Poznámkovém bloku\r\n")))
            << written->toStdString();
        open();
        EXPECT_EQ(form->attendanceMessage(), message);
        EXPECT_EQ(form->catchReturnEmail(), s("mo@žďár.cz"));
        EXPECT_EQ(form->printOffset(Offset::PrukazRadek), 7);
        EXPECT_EQ(form->printOffset(Offset::ObalkaRadek), 3);
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
}

TEST_F(SettingForm, AFileThatCannotBeReadIsNamedOnceAndLeftAsItIs)
{
    // The start of a picture saved under the file's name.
    const QByteArray picture =
        QByteArray::fromHex("89504e470d0a1a0a0000000d494844520000010000000100"
                            "0806000000ec5e39d8000000017352474200aece1ce9");
    const QByteArray entry = "[Texty]\r\nSumare_Email=velky@zeb.cz\r\n";
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } rows[] = {
        {"a picture", picture, "neobsahuje text"},
        {"too large", entry + QByteArray(ProfileFile::MaximumSize, ';'), "větší než 1 MB"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeIni(row.bytes);
        messages.clear();
        open();
        showActive();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(iniPath())) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(s(row.reason))) << messages[0].toStdString();
        EXPECT_EQ(form->catchReturnEmail(), TSettingForm::defaultCatchReturnEmail());

        // What is set in the window holds for this run, and the file keeps its bytes.
        find<QLineEdit>("EditSumareEmail")->setText(QStringLiteral("novy@zeb.cz"));
        leaveTab(1);
        leaveTab(2);
        form->close();
        EXPECT_EQ(messages.size(), 1);
        EXPECT_EQ(form->catchReturnEmail(), QStringLiteral("novy@zeb.cz"));
        EXPECT_EQ(bytesOf(iniPath()), row.bytes);
    }
}

TEST_F(SettingForm, WithBothFoldersReadOnlyTheFileBesideTheProgramIsReadAndKept)
{
    const QDir dir(chapter.path());
    const QString program = dir.filePath(QStringLiteral("program"));
    const QString user = dir.filePath(QStringLiteral("user"));
    ASSERT_TRUE(dir.mkpath(program) && dir.mkpath(user));
    const QString beside = QDir(program).filePath(SettingsLocation::fileName());
    const QByteArray original =
        "[Texty]\r\nSumare_Email=mo@zeb.cz\r\n[Posuny]\r\nPosun_Prukaz_Radek=5\r\n";
    {
        QFile file(beside);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(original);
    }
    const ReadOnlyFolder lockedProgram(program);
    const ReadOnlyFolder lockedUser(user);
    if (!lockedProgram.refusesFiles() || !lockedUser.refusesFiles())
        GTEST_SKIP() << "the folders cannot be made read-only here";

    const QString path = SettingsLocation::iniPath(program, user);
    EXPECT_EQ(path, beside);
    open(path);
    EXPECT_EQ(form->catchReturnEmail(), QStringLiteral("mo@zeb.cz"));
    EXPECT_EQ(form->printOffset(Offset::PrukazRadek), 5);

    find<QLineEdit>("EditSumareEmail")->setText(QStringLiteral("novy@zeb.cz"));
    leaveTab(2);
    EXPECT_EQ(messages, QStringList({s("Nastavení nelze uložit do souboru ") + beside +
                                     QStringLiteral(" !!!")}));
    EXPECT_EQ(form->catchReturnEmail(), QStringLiteral("novy@zeb.cz"));
    EXPECT_EQ(bytesOf(beside), original);
}

TEST_F(SettingForm, AnOffsetIsWrittenAsTypedAndTheFileInCodePage1250)
{
    open();
    find<QLineEdit>("EditPosunPrukazRadek")->setText(QStringLiteral("12a"));
    find<QLineEdit>("EditPosunPovolenkaSloupec")->setText(QStringLiteral("-4"));
    find<QLineEdit>("EditSdeleniDochazka")->setText(s("Žádáme o vrácení"));
    form->SaveSettings();
    EXPECT_EQ(
        writtenIni().readString(QStringLiteral("Posuny"), QStringLiteral("Posun_Prukaz_Radek"), {}),
        QStringLiteral("12a"));
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        file.readAll().contains("Sdeleni_Dochazka=\x8E\xE1\x64\xE1me o vr\xE1\x63\x65n\xED"));

    form->LoadSettings();
    EXPECT_EQ(find<QLineEdit>("EditPosunPrukazRadek")->text(), QStringLiteral("0"));
    EXPECT_EQ(form->printOffset(Offset::PrukazRadek), 0);
    EXPECT_EQ(form->printOffset(Offset::PovolenkaSloupec), -4);
    EXPECT_EQ(form->attendanceMessage(), s("Žádáme o vrácení"));
}

TEST_F(SettingForm, SavingTheChapterDataGivesEveryFeeRowTheWorkingYear)
{
    open();
    showActive();
    const qint64 year = data->workingYear() + 1;
    typeAndLeave("DBEditPRACOVNI_ROK", QString::number(year));
    find<DbNavigator>("DBNavigatorMO")->click(Button::Post);
    EXPECT_EQ(data->workingYear(), year);
    const QList<qint64> years = feeYears();
    ASSERT_FALSE(years.isEmpty());
    EXPECT_EQ(years, QList<qint64>(years.size(), year));

    // Hiding the window saves a pending change with the same rule.
    typeAndLeave("DBEditPRACOVNI_ROK", QString::number(year + 1));
    form->hide();
    EXPECT_EQ(data->TableSetup().state(), DataSet::State::Browse);
    EXPECT_EQ(feeYears(), QList<qint64>(years.size(), year + 1));
}

TEST_F(SettingForm, LeavingTheSummaryYearMakesItsCatchTables)
{
    open();
    showActive();
    typeAndLeave("DBEditPRACOVNI_ROK_SUM", QStringLiteral("2035"));
    EXPECT_EQ(messages, QStringList({s("Sumář SuMP2035.DB neexistuje, VYTVOŘIT ? "),
                                     s("Sumář SuPS2035.DB neexistuje, VYTVOŘIT ? ")}));
    EXPECT_TRUE(chapter.db().fileExists(QStringLiteral("SuMP2035.DB")));
    EXPECT_TRUE(chapter.db().fileExists(QStringLiteral("SuPS2035.DB")));
    EXPECT_EQ(
        data->TableSumar().tableName().compare(QStringLiteral("SuMP2035.DB"), Qt::CaseInsensitive),
        0);

    messages.clear();
    typeAndLeave("DBEditPRACOVNI_ROK_SUM", QStringLiteral("1989"));
    EXPECT_EQ(messages, QStringList({s("Chyba v letopočtu")}));
}

TEST_F(SettingForm, LeavingTheWorkingYearOrAnAttendanceOffsetSetsTheEvaluatedBrigadeYear)
{
    open();
    showActive();
    QSignalSpy years(form.get(), &TSettingForm::evaluatedBrigadeYearChanged);
    const QString summary = QString::number(data->summaryYear());
    typeAndLeave("DBEditPRACOVNI_ROK", QStringLiteral("2031"));
    typeAndLeave("DBEditDOCH_DRAD", QStringLiteral("3"));
    typeAndLeave("DBEditDOCH_DSLOUP", QStringLiteral("2"));
    ASSERT_EQ(years.count(), 3);
    EXPECT_EQ(years.at(0).at(0).toString(), summary);
}

TEST_F(SettingForm, TheCategoryIsWritableOnlyForANewRow)
{
    open();
    auto* category = find<DbEdit>("DBEditKATEGORIE");
    auto* navigator = find<DbNavigator>("DBNavigatorKategorie");
    EXPECT_TRUE(category->isReadOnly());
    navigator->click(Button::Edit);
    EXPECT_TRUE(category->isReadOnly());
    navigator->click(Button::Cancel);
    navigator->click(Button::Insert);
    EXPECT_FALSE(category->isReadOnly());
    navigator->click(Button::Cancel);
    EXPECT_TRUE(category->isReadOnly());

    const int before = data->TablePovolSet().recordCount();
    navigator->click(Button::Delete);
    EXPECT_EQ(messages, QStringList({s("Zrušit tuto kategorii ?")}));
    EXPECT_EQ(data->TablePovolSet().recordCount(), before - 1);
}

TEST_F(SettingForm, ClosingRunsTheFocusedInputsExitRuleAndEscapeCloses)
{
    open();
    showActive();
    leaveTab(1);
    auto* summaryYear = find<DbEdit>("DBEditPRACOVNI_ROK_SUM");
    summaryYear->setFocus();
    summaryYear->selectAll();
    typeText(summaryYear, QStringLiteral("2036"));
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(data->summaryYear(), 2036);
    EXPECT_TRUE(chapter.db().fileExists(QStringLiteral("SuPS2036.DB")));

    showActive();
    QTest::keyClick(find<DbEdit>("DBEditOBEC"), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(SettingForm, ShowsEveryCaptionAndHint)
{
    open();
    EXPECT_EQ(form->objectName(), QStringLiteral("TSettingForm"));
    EXPECT_EQ(form->windowTitle(), s("Výchozí  nastavení"));
    auto* tabs = find<QTabWidget>("PageControl1");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), s("Členské kategorie"));
    EXPECT_EQ(tabs->tabText(1), s("Základní nastavení"));
    EXPECT_EQ(tabs->tabText(2), s("Čarkový kod"));

    QStringList shown;
    for (const QLabel* label : form->findChildren<QLabel*>())
        shown << label->text();
    for (const QGroupBox* box : form->findChildren<QGroupBox*>())
        shown << box->title();
    for (const QCheckBox* box : form->findChildren<QCheckBox*>())
        shown << box->text();
    for (const char* caption : {"Kategorie:",
                                "pro rok:",
                                "Základní poplatky",
                                "Zápisné:",
                                "Poštovné :",
                                "Mimopstruhová povolenka",
                                "Čtrnáctidenní:",
                                "Ryb. řád MP",
                                "Pstruhová povolenka",
                                "Ryb. řád PS",
                                "Brigáda",
                                "hodin",
                                "Místní povolenka",
                                " Nastavení časového období ",
                                "Povolenky na  rok :",
                                "Sumáře z roku :",
                                " Data místní organizace ",
                                "Číslo MO",
                                "Adresa MO",
                                "  Nastavení  tiskárny  ",
                                "Posun tisku  [mm]        řádek  sloupec",
                                "Docházka",
                                "Členský průkaz",
                                "Kartička povolenky",
                                "Obálky",
                                "Převodky",
                                "Používat rodná čísla v tisku",
                                "Tiskárna připojena",
                                "přehledy s místními povolenkami",
                                "Text sdělení na docházku ",
                                " Odesílání sumářů na ZEB ",
                                " Záloha dat ",
                                "Tisknout čárkový kód na docházku",
                                "Používat snímač čárkového kódu",
                                "Čtečka připojena na",
                                "Rychlost  [Baud]"})
        EXPECT_TRUE(shown.contains(s(caption))) << caption;
    EXPECT_EQ(find<QCheckBox>("CheckBoxRodneCislo")->toolTip(), s("Používat rodné číslo v tisku"));

    const auto hints = [](DbNavigator* navigator) {
        QStringList texts;
        for (Button b : navigator->visibleButtons())
            texts << navigator->button(b)->toolTip();
        return texts;
    };
    EXPECT_EQ(hints(find<DbNavigator>("DBNavigatorKategorie")),
              QStringList({s("Předcházející"), s("Následující"),
                           s("Nová kategorie (vloží se před tuto)"), s("Zrušit tuto kategorii"),
                           s("Oprava kategorie"), s("Uložit změny"), s("Zrušit změny")}));
    EXPECT_EQ(hints(find<DbNavigator>("DBNavigatorMO")),
              QStringList({s("Oprava kategorie"), s("Uložit změny"), s("Zrušit změny"),
                           s("Refresh data")}));
}

} // namespace

// One rule for every window: Esc closes it and keeps what was typed.
TEST_F(SettingForm, EscKeepsAnOffsetTypedButNotYetLeft)
{
    open();
    showActive();
    auto* offset = find<DbEdit>("DBEditDOCH_DRAD");
    offset->setFocus();
    offset->selectAll();
    typeText(offset, QStringLiteral("7"));
    QTest::keyClick(offset, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    Table setup(chapter.db(), QStringLiteral("Setup.db"));
    setup.open();
    EXPECT_EQ(setup.fieldByName(QStringLiteral("DOCH_DRAD")).asInteger(), 7);
}

// A year the window refuses is never stored, so the next start does not refuse it again.
TEST_F(SettingForm, ARefusedSummaryYearGoesBackAndIsNeverStored)
{
    const qint64 stored = data->summaryYear();
    open();
    showActive();
    typeAndLeave("DBEditPRACOVNI_ROK_SUM", QStringLiteral("2051"));
    EXPECT_EQ(messages, QStringList({s("Chyba v letopočtu")}));
    EXPECT_EQ(find<DbEdit>("DBEditPRACOVNI_ROK_SUM")->text(), QString::number(stored));
    form->reject();
    Table setup(chapter.db(), QStringLiteral("Setup.db"));
    setup.open();
    EXPECT_EQ(setup.fieldByName(QStringLiteral("PRACOVNI_ROK_SUM")).asInteger(), stored);
}

// The scanner of the file is opened when the settings are read, and opened anew each time
// they are applied; the list offers the COM names first.
TEST_F(SettingForm, TheScannerOfTheSettingsIsOpenedWhenTheyAreRead)
{
    PseudoTerminal scanner;
    ASSERT_TRUE(scanner.isOpen());
    writeIni("[BarCode]\r\nBarUsing=1\r\nBarCOM=" + scanner.device().toUtf8() +
             "\r\nBarBaud=9600\r\n");
    open();
    EXPECT_TRUE(data->scanner().isOpen());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    auto* ports = find<QComboBox>("ComboBoxBarCOM");
    EXPECT_EQ(ports->itemText(0), QStringLiteral("COM1"));
    EXPECT_EQ(ports->itemText(3), QStringLiteral("COM4"));
    EXPECT_EQ(ports->currentText(), scanner.device());

    data->scanner().release();
    showActive();
    find<QTabWidget>("PageControl1")->setCurrentIndex(1);
    find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    EXPECT_TRUE(data->scanner().isOpen()) << "leaving the first tabs applies the settings";
}
