#include "CatchWindowFixture.h"

#include "CatchEntryTab.h"
#include "DataDirectoryInitializer.h"
#include "Database.h"
#include "DbEdit.h"
#include "DbNavigator.h"
#include "GuiTestSupport.h"
#include "ProgramStart.h"
#include "RowWriter.h"
#include "TSumarForm.h"
#include "Table.h"

#include <QComboBox>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString dataPath(const QTemporaryDir& dir)
{
    return dir.filePath(u"data"_s);
}
} // namespace

CatchWindowTest::CatchWindowTest() = default;
CatchWindowTest::~CatchWindowTest() = default;

void CatchWindowTest::SetUp()
{
    ensureTestApplication();
    m_previousLocale = QLocale();
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    DataDirectoryInitializer::Options options;
    options.year = 2012;
    DataDirectoryInitializer::create(dataPath(m_dir), options);
    startAnswering();
}

void CatchWindowTest::TearDown()
{
    m_program.reset();
    stopAnswering();
    QLocale::setDefault(m_previousLocale);
}

void CatchWindowTest::addRow(const QString& table, const QVariantMap& values)
{
    Database db(dataPath(m_dir));
    RowWriter(db, table).appendRow(values);
}

void CatchWindowTest::addMember(const QString& number, const QString& surname)
{
    addRow(u"Clenove.DB"_s,
           {{u"CLEN_CISLO"_s, number}, {u"PRIJMENI"_s, surname}, {u"KATEGORIE"_s, u"dospělý"_s}});
}

void CatchWindowTest::addPayment(const QString& number, int year, const QString& mpMark,
                                 const QString& psMark)
{
    addRow(u"Povol.DB"_s, {{u"CLEN_CISLO"_s, number},
                           {u"ROK"_s, year},
                           {u"MP_VRACENO"_s, mpMark},
                           {u"PS_VRACENO"_s, psMark}});
}

void CatchWindowTest::runSql(const QString& sql)
{
    Database db(dataPath(m_dir));
    db.run(sql, {});
}

void CatchWindowTest::setUsualWeight(const QString& weightField, const QString& name, double min,
                                     double max)
{
    Database db(dataPath(m_dir));
    db.run(u"DELETE FROM %1 WHERE DB_NAME = ?"_s.arg(
               Database::quoteIdentifier(db.requireTable(u"VAHY"_s))),
           {weightField});
    RowWriter(db, u"VAHY"_s)
        .appendRow({{u"DB_NAME"_s, weightField},
                    {u"USER_NAME"_s, name},
                    {u"KG_MIN"_s, min},
                    {u"KG_MAX"_s, max}});
}

void CatchWindowTest::start()
{
    m_program = std::make_unique<ProgramStart>(dataPath(m_dir), m_dir.filePath(u"program"_s),
                                               m_dir.filePath(u"TALU.ini"_s));
    ASSERT_TRUE(m_program->start()) << shownTexts().join(u'\n').toStdString();
    shown.clear();
    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
}

TSumarForm& CatchWindowTest::window()
{
    return m_program->catchWindow();
}

TDataModule1& CatchWindowTest::data()
{
    return m_program->dataModule();
}

void CatchWindowTest::select(const QString& number)
{
    ASSERT_TRUE(data().TableClenove().locate(u"CLEN_CISLO"_s, number));
}

DbEdit* CatchWindowTest::input(const QString& field)
{
    for (DbEdit* edit : window().entryTab().findChildren<DbEdit*>(u"DBEdit"_s + field))
        if (edit->link().dataSet() == &yearTable())
            return edit;
    ADD_FAILURE() << "no input " << field.toStdString();
    return nullptr;
}

void CatchWindowTest::startReturn()
{
    window().entryTab().navigator().click(DbNavigator::Button::Insert);
    auto* district = window().findChild<QComboBox*>(u"ComboRevirNazev"_s);
    ASSERT_TRUE(district->hasFocus());
    press(district, Qt::Key_Tab);
    ASSERT_TRUE(input(u"DOCHAZKA"_s)->hasFocus());
}

void CatchWindowTest::typeInto(const QString& field, const QString& text)
{
    DbEdit* edit = input(field);
    edit->setFocus(Qt::OtherFocusReason);
    typeText(edit, text);
}

void CatchWindowTest::typeAndTab(const QString& field, const QString& text)
{
    typeInto(field, text);
    press(input(field), Qt::Key_Tab);
}

void CatchWindowTest::press(QWidget* widget, Qt::Key key)
{
    QTest::keyClick(widget, key);
    // The checks and copies that follow a focus change run once it has settled.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QStringList CatchWindowTest::stored(const QString& table, const QString& field)
{
    Table t(data().database(), table);
    t.open();
    QStringList values;
    for (t.first(); !t.eof(); t.next())
        values << t.fieldByName(field).asString();
    return values;
}
