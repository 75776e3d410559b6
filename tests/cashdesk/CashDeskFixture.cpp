#include "CashDeskFixture.h"

#include "DataModel.h"
#include "DbNavigator.h"
#include "PermitIssueTab.h"
#include "TDataModule1.h"

#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QHash<QString, qint64>& feeRow()
{
    static const QHash<QString, qint64> fees{
        {u"ZAPISNE"_s, 100},     {u"SKOLENI"_s, 110},     {u"LEGITIMACE"_s, 120},
        {u"CLEN_PRISP"_s, 300},  {u"MAN_POPLATEK"_s, 50}, {u"BRIGADA"_s, 500},
        {u"STANOVY_ZEB"_s, 20},  {u"POSTOVNE"_s, 30},     {u"MP_ROCNI"_s, 1000},
        {u"MP_MESICNI"_s, 400},  {u"MP_14_DNU"_s, 250},   {u"MP_TYDEN"_s, 150},
        {u"MP_CELOREP"_s, 2000}, {u"MP_MISTNI"_s, 600},   {u"MP_RAD"_s, 40},
        {u"PS_ROCNI"_s, 1200},   {u"PS_MESICNI"_s, 500},  {u"PS_TYDEN"_s, 200},
        {u"PS_CELOREP"_s, 2400}, {u"PS_MISTNI"_s, 700},   {u"PS_RAD"_s, 45},
        {u"MI_ROCNI"_s, 800},    {u"MI_MESICNI"_s, 300},  {u"MI_TYDEN"_s, 100},
        {u"MI_CELOREP"_s, 900},  {u"MI_MISTNI"_s, 350},   {u"MI_RAD"_s, 35}};
    return fees;
}

// Category "A" pays every item; category "C" (honorary) has free yearly permits.
QString feeRowInsert(const QString& category)
{
    QStringList values;
    for (const QString& item : DataModel::feeItems()) {
        const bool free = category == u"C"_s && item.endsWith(u"_ROCNI"_s);
        values << QString::number(free ? 0 : feeRow().value(item));
    }
    return u"INSERT INTO PovolSet (KATEGORIE, ROK, BRIG_HODIN, "_s +
           DataModel::feeItems().join(u", "_s) + u") VALUES ('"_s + category + u"', 2026, 10, "_s +
           values.join(u", "_s) + u")"_s;
}

void prepareChapter(Database& db)
{
    db.execute(u"DELETE FROM PovolSet"_s);
    db.execute(feeRowInsert(u"A"_s));
    db.execute(feeRowInsert(u"C"_s));
    db.execute(u"UPDATE Setup SET PRACOVNI_ROK = 2026, PRACOVNI_ROK_SUM = 2026, TISK = 0, "
               "DOCH_DRAD = 0, DOCH_DSLOUP = 0, NAZEV_ORGANIZACE = 'MO Zeleneč'"_s);
    db.execute(u"INSERT INTO Clenove (CLEN_CISLO, PRIJMENI, JMENO, TITUL, KATEGORIE, ULICE, "
               "PSC, OBEC, DATUM_NAROZENI, RODNE_CISLO, CISLO_LEGITIMACE, CLEN_OD_ROKU, "
               "RYB_LISTEK, LAST_CLENSTVI, ZAZNAMY) VALUES "
               "('100', 'Novák', 'Jan', 'Ing.', 'A', 'Lipová 7', '25091', 'Zeleneč', "
               "'1970-03-04', '700304/1234', 'L-4711', 1995, 'RL 123', 2020, "
               "'Převzal čl. průkaz' || char(13) || char(10) || 'Dluží brigádu'), "
               "('101', 'Dvořák', 'Petr', NULL, 'C', 'Hlavní 1', '25091', 'Zeleneč', "
               "'1950-01-02', '500102/111', 'L-0815', 1970, 'RL 7', 2020, NULL), "
               "('102', 'Šťastný', 'Ota', NULL, 'A', 'Polní 3', '25001', 'Brandýs', "
               "'1980-05-06', NULL, 'L-1', 2001, 'RL 9', 2020, NULL)"_s);
    for (const char* t : {"PovolSet", "Setup", "Clenove"})
        db.touch(QLatin1String(t));
}

} // namespace

CashDeskWindow::CashDeskWindow()
{
    setObjectName(u"TFClenove"_s);
    tabs = new QTabWidget(this);
    auto* basic = new QWidget;
    brigadeDone = new QCheckBox(basic);
    brigadeDone->setObjectName(u"CheckBoxBrig"_s);
    tabs->addTab(basic, u"Základní data"_s);
    tab = new PermitIssueTab;
    tabs->addTab(tab, u"Povolenky-výdej"_s);
    tabs->addTab(new QWidget, u"Tisk"_s);
    (new QVBoxLayout(this))->addWidget(tabs);
}

void CashDeskHost::showMemberFigures(const MemberFigures& figures)
{
    if (!window)
        return;
    if (figures.brigadeKnown) {
        window->brigadeDone->setChecked(figures.brigadeDone);
        window->tab->setBrigadeDone(figures.brigadeDone);
    }
    if (figures.notesKnown)
        window->tab->disableRepeatPrint();
}

void CashDeskHost::setHonoraryPermitShown(bool shown)
{
    if (window)
        window->tab->setHonoraryPermitShown(shown);
}

bool CashDeskHost::issueInProgress() const
{
    return window && window->tab->issueFlag() == 1;
}

void CashDeskHost::printStornoReceipt()
{
    if (window)
        window->tab->PrintStornoReceipt();
}

void CashDesk::SetUp()
{
    ensureTestApplication();
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    chapter = std::make_unique<TestChapter>();
    prepareChapter(chapter->db());
    Messages::setResponder([this](Messages::Kind, const QString& text, Messages::Buttons) {
        questions << text;
        return answers.isEmpty() ? Messages::Answer::Yes : answers.takeFirst();
    });
    window = std::make_unique<CashDeskWindow>();
    host.window = window.get();
    runner = std::make_unique<ReportRunner>();
    runner->setSink(&sink);
    data = std::make_unique<TDataModule1>(chapter->db(), host);
    window->tab->attach(*data, *runner);
    window->tab->setPrintSettings(&settings);
    data->DataModuleCreate();
    data->TableSetup().open();
    window->show();
    window->tabs->setCurrentWidget(window->tab);
    selectMember(u"100"_s);
    questions.clear();
}

void CashDesk::TearDown()
{
    host.window = nullptr;
    window.reset();
    data.reset();
    Messages::setResponder({});
}

qint64 CashDesk::fee(const QString& field)
{
    return feeRow().value(field);
}

void CashDesk::selectMember(const QString& number)
{
    ASSERT_TRUE(members().locate(u"CLEN_CISLO"_s, number));
}

QCheckBox* CashDesk::box(const QString& objectName)
{
    auto* found = window->findChild<QCheckBox*>(objectName);
    EXPECT_NE(found, nullptr) << objectName.toStdString();
    return found;
}

void CashDesk::click(const QString& objectName)
{
    auto* button = window->findChild<QAbstractButton*>(objectName);
    ASSERT_NE(button, nullptr) << objectName.toStdString();
    button->click();
}

void CashDesk::clickNavigator(int button)
{
    auto* navigator = window->findChild<DbNavigator*>(u"DBNavigatorPovol"_s);
    QToolButton* b = navigator->button(DbNavigator::Button(button));
    ASSERT_TRUE(b->isVisibleTo(navigator)) << "navigator button " << button << " is hidden";
    b->click();
}

void CashDesk::issueCard()
{
    if (!box(u"CheckBoxMasterMP"_s)->isChecked())
        click(u"CheckBoxMasterMP"_s);
    insert();
    save();
}

void CashDesk::insert()
{
    clickNavigator(int(DbNavigator::Button::Insert));
}

void CashDesk::save()
{
    clickNavigator(int(DbNavigator::Button::Post));
}

void CashDesk::remove()
{
    clickNavigator(int(DbNavigator::Button::Delete));
}

Table& CashDesk::payment()
{
    return data->TablePovol();
}

Table& CashDesk::members()
{
    return data->TableClenove();
}

QString CashDesk::paymentField(const char* field)
{
    return payment().fieldByName(QLatin1String(field)).asString();
}

QString CashDesk::memberField(const char* field)
{
    return members().fieldByName(QLatin1String(field)).asString();
}

int CashDesk::paymentCount()
{
    return chapter->db().rowCount(u"Povol"_s);
}

bool CashDesk::honoraryShown()
{
    return !window->findChild<QLabel*>(u"LabelCestna"_s)->isHidden();
}

void CashDesk::typeAmount(const char* field, const QString& text)
{
    auto* edit = window->findChild<QLineEdit*>(u"DBEdit"_s + QLatin1String(field));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    typeText(edit, text);
    edit->clearFocus();
}

QPointF positionOf(const RenderedDocument& document, const QString& name)
{
    const QList<const RenderedDocument::Item*> items = document.itemsNamed(name);
    if (items.isEmpty()) {
        ADD_FAILURE() << "no item " << name.toStdString();
        return {};
    }
    return items.first()->rect.topLeft();
}

QString textOf(const RenderedDocument& document, const QString& name)
{
    const QStringList texts = document.textsNamed(name);
    return texts.isEmpty() ? QString() : texts.first();
}
