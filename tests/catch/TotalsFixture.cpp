#include "TotalsFixture.h"

#include "DataModel.h"
#include "DistrictTotalsPanel.h"
#include "Messages.h"
#include "ReportRunner.h"
#include "SqlStatement.h"
#include "TDataModule1.h"

#include <QAbstractButton>
#include <QLocale>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString yearTable(const QString& kind)
{
    return DataModel::yearCatchTableName(kind == u"PS"_s, TotalsData::year);
}

} // namespace

void TotalsData::SetUp()
{
    ensureTestApplication();
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    chapter = std::make_unique<TestChapter>();
    db().execute(u"UPDATE Setup SET PRACOVNI_ROK = 2012, PRACOVNI_ROK_SUM = 2012, TISK = 0, "
                 "CISLO_ORGANIZACE = '1234', NAZEV_ORGANIZACE = 'MO Zeleneč'"_s);
    for (const QString& kind : {u"MP"_s, u"PS"_s}) {
        if (!db().fileExists(yearTable(kind)))
            db().createTable(DataModel::table(yearTable(kind)));
        db().execute(u"DELETE FROM "_s + yearTable(kind));
        db().execute(u"DELETE FROM Reviry"_s + kind);
        db().execute(u"DELETE FROM CSum"_s + kind);
    }
    db().touchAll();
}

void TotalsData::setDistricts(const QList<std::pair<QString, QString>>& districts,
                              const QString& kind)
{
    const QString table = u"Reviry"_s + kind;
    db().execute(u"DELETE FROM "_s + table);
    for (const auto& [number, name] : districts)
        db().run(u"INSERT INTO "_s + table + u" (REVIR_CISLO, REVIR_NAZEV) VALUES (?, ?)"_s,
                 {number, name});
    db().touch(table);
}

void TotalsData::addReturn(const QVariantMap& values, const QString& kind)
{
    const QString table = yearTable(kind);
    QStringList names;
    for (const QString& name : values.keys())
        names << name;
    db().run(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
                 table, names.join(u", "_s), QStringList(names.size(), u"?"_s).join(u", "_s)),
             values.values());
    db().touch(table);
}

QList<QVariantMap> TotalsData::totals(const QString& kind)
{
    const QString table = u"CSum"_s + kind;
    const QList<FieldDef> fields = db().tableDef(table).fields;
    SqlStatement rows = db().prepare(u"SELECT * FROM "_s + table + u" ORDER BY rowid"_s);
    QList<QVariantMap> result;
    while (rows.step()) {
        QVariantMap row;
        for (int i = 0; i < fields.size(); ++i)
            row.insert(fields[i].name, rows.value(i, fields[i].type));
        result << row;
    }
    return result;
}

void TotalsData::failTotalsFromRow(int row, const QString& kind)
{
    const QString table = u"CSum"_s + kind;
    db().execute(u"CREATE TRIGGER fail_totals BEFORE INSERT ON %1 WHEN "
                 "(SELECT count(*) FROM %1) >= %2 BEGIN "
                 "SELECT RAISE(ABORT, 'database or disk is full'); END"_s.arg(table)
                     .arg(row - 1));
}

TotalsPanelFixture::TotalsPanelFixture() = default;
TotalsPanelFixture::~TotalsPanelFixture() = default;

void TotalsPanelFixture::SetUp()
{
    TotalsData::SetUp();
    Messages::setResponder([this](Messages::Kind, const QString& text, Messages::Buttons) {
        messages << text;
        return Messages::Answer::Ok;
    });
    data = std::make_unique<TDataModule1>(db(), host);
    data->DataModuleCreate();
    data->TableSetup().open();
    data->switchCatchKind(TDataModule1::Water::MP);
    runner = std::make_unique<ReportRunner>();
    runner->setSink(&sink);
    window = std::make_unique<QWidget>();
    progress = new QProgressBar;
    panel = new DistrictTotalsPanel(*data, *runner, progress);
    auto* layout = new QVBoxLayout(window.get());
    layout->addWidget(panel);
    layout->addWidget(progress);
    window->show();
    ASSERT_TRUE(host.errors.isEmpty()) << host.errors.join(u'\n').toStdString();
}

void TotalsPanelFixture::TearDown()
{
    window.reset();
    data.reset();
    Messages::setResponder({});
}

void TotalsPanelFixture::click(const QString& objectName)
{
    auto* button = panel->findChild<QAbstractButton*>(objectName);
    ASSERT_NE(button, nullptr) << objectName.toStdString();
    button->click();
}

bool TotalsPanelFixture::shown(const QString& objectName)
{
    auto* widget = panel->findChild<QWidget*>(objectName);
    return widget && widget->isVisibleTo(panel);
}

bool TotalsPanelFixture::enabled(const QString& objectName)
{
    auto* widget = panel->findChild<QWidget*>(objectName);
    return widget && widget->isEnabled();
}

void TotalsPanelFixture::setPrinterAttached(bool attached)
{
    db().run(u"UPDATE Setup SET TISK = ?"_s, {attached});
    db().touch(u"Setup"_s);
}
