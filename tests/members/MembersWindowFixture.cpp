#include "MembersWindowFixture.h"

#include "ControlErrors.h"
#include "DataDirectoryInitializer.h"
#include "Database.h"
#include "GuiTestSupport.h"
#include "PermitIssueTab.h"
#include "ReportRunner.h"
#include "RowWriter.h"
#include "TDataModule1.h"
#include "TFClenove.h"
#include "TFormBrigada.h"
#include "Table.h"

#include <QTest>

void WindowHost::setEvaluatedBrigadeYear(const QString& year)
{
    window->setEvaluatedBrigadeYear(year);
}

void WindowHost::setMemberCount(int count)
{
    window->setMemberCount(count);
}

void WindowHost::setAwardKinds(const QStringList& kinds)
{
    window->setAwardKinds(kinds);
}

void WindowHost::showAllMembers()
{
    window->runDisplayFilter(DisplayFilter::Kind::All);
}

void WindowHost::showMemberFigures(const MemberFigures& figures)
{
    window->showMemberFigures(figures);
}

QString WindowHost::evaluatedBrigadeYear() const
{
    return window->evaluatedBrigadeYear();
}

void WindowHost::setMemberEditable(bool on)
{
    window->SetMemberEditable(on);
}

void WindowHost::setHonoraryPermitShown(bool shown)
{
    window->setHonoraryPermitShown(shown);
}

void WindowHost::setRemovedCount(int count)
{
    window->setRemovedCount(count);
}

void MembersWindowTest::SetUp()
{
    ensureTestApplication();
    DataDirectoryInitializer::Options options;
    options.year = 2012;
    DataDirectoryInitializer::create(m_dir.filePath(QStringLiteral("data")), options);
    m_db = std::make_unique<Database>(m_dir.filePath(QStringLiteral("data")));
    // As in the program: what the controls catch is shown in the error box.
    ControlErrors::setHandler([](const QString& message) { Messages::error(message); });
    startAnswering();
}

void MembersWindowTest::TearDown()
{
    // Windows go before the data module whose cursors they show.
    m_brigade.reset();
    m_window.reset();
    m_data.reset();
    stopAnswering();
    ControlErrors::setHandler({});
}

void MembersWindowTest::addRow(const QString& table, const QVariantMap& values)
{
    RowWriter(*m_db, table).appendRow(values);
}

void MembersWindowTest::addMember(const QString& number, const QString& surname, QVariantMap more)
{
    more.insert(QStringLiteral("CLEN_CISLO"), number);
    more.insert(QStringLiteral("PRIJMENI"), surname);
    if (!more.contains(QStringLiteral("KATEGORIE")))
        more.insert(QStringLiteral("KATEGORIE"), QStringLiteral("dospělý"));
    addRow(QStringLiteral("Clenove.DB"), more);
}

void MembersWindowTest::start()
{
    m_reports = std::make_unique<ReportRunner>();
    m_window = std::make_unique<TFClenove>();
    m_host.window = m_window.get();
    m_data = std::make_unique<TDataModule1>(*m_db, m_host);
    m_window->attach(*m_data, *m_reports);
    m_data->DataModuleCreate();
    m_brigade = std::make_unique<TFormBrigada>();
    m_brigade->attach(*m_data);
    m_window->setBrigadeDialog(m_brigade.get());
    m_window->show();
    activateWindow();
    ASSERT_TRUE(shown.isEmpty()) << shownTexts().join(QLatin1Char('\n')).toStdString();
}

void MembersWindowTest::activateWindow()
{
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
}

Table& MembersWindowTest::members()
{
    return m_data->TableClenove();
}

QStringList MembersWindowTest::stored(const QString& table, const QString& field)
{
    Table t(*m_db, table);
    t.open();
    QStringList values;
    for (t.first(); !t.eof(); t.next())
        values << t.fieldByName(field).asString();
    return values;
}

QString MembersWindowTest::current(const QString& field)
{
    return members().fieldByName(field).asString();
}

void MembersWindowTest::select(const QString& number)
{
    ASSERT_TRUE(members().locate(QStringLiteral("CLEN_CISLO"), number));
}

QPushButton* MembersWindowTest::buttonCaptioned(const QString& caption)
{
    for (QPushButton* b : m_window->findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    ADD_FAILURE() << "no button " << caption.toStdString();
    return nullptr;
}

bool WindowHost::issueInProgress() const
{
    return window && window->permitTab().issueFlag() == 1;
}
