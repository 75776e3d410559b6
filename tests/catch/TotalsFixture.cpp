#include "TotalsFixture.h"

#include "DataModel.h"
#include "DistrictTotalsPanel.h"
#include "Messages.h"
#include "ReportRunner.h"
#include "SqlStatement.h"
#include "TDataModule1.h"

#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TotalsFixture::TotalsFixture() = default;
TotalsFixture::~TotalsFixture() = default;

void TotalsFixture::SetUp()
{
    ensureTestApplication();
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    chapter = std::make_unique<TestChapter>();
    db().execute(u"UPDATE Setup SET PRACOVNI_ROK = 2012, PRACOVNI_ROK_SUM = 2012, TISK = 0, "
                 "CISLO_ORGANIZACE = '1234', NAZEV_ORGANIZACE = 'MO Zeleneč'"_s);
    for (const QString& kind : {u"MP"_s, u"PS"_s}) {
        db().createTable(DataModel::table(u"Su"_s + kind + u"2012"_s));
        db().execute(u"DELETE FROM Reviry"_s + kind);
        db().execute(u"DELETE FROM CSum"_s + kind);
    }
    Messages::setResponder([this](Messages::Kind, const QString& text, Messages::Buttons) {
        messages << text;
        return Messages::Answer::Ok;
    });
    data = std::make_unique<TDataModule1>(db(), host);
    data->DataModuleCreate();
    runner = std::make_unique<ReportRunner>();
    runner->setSink(&sink);
    window = std::make_unique<QWidget>();
    progress = new QProgressBar;
    panel = new DistrictTotalsPanel(*data, *runner, progress);
    auto* layout = new QVBoxLayout(window.get());
    layout->addWidget(panel);
    layout->addWidget(progress);
    window->show();
}

void TotalsFixture::TearDown()
{
    window.reset();
    data.reset();
    Messages::setResponder({});
}

void TotalsFixture::setDistricts(const QList<std::pair<QString, QString>>& districts,
                                 const QString& kind)
{
    const QString table = u"Reviry"_s + kind;
    db().execute(u"DELETE FROM "_s + table);
    for (const auto& [number, name] : districts)
        db().run(u"INSERT INTO "_s + table + u" (REVIR_CISLO, REVIR_NAZEV) VALUES (?, ?)"_s,
                 {number, name});
    db().touch(table);
}

void TotalsFixture::addReturn(const QVariantMap& values, const QString& kind)
{
    const QString table = u"Su"_s + kind + u"2012"_s;
    const QStringList names = values.keys();
    db().run(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
                 table, names.join(u", "_s), QStringList(names.size(), u"?"_s).join(u", "_s)),
             values.values());
    db().touch(table);
}

QList<QVariantMap> TotalsFixture::totals(const QString& kind)
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

QStringList TotalsFixture::totalsDistricts()
{
    QStringList numbers;
    for (const QVariantMap& row : totals())
        numbers << row.value(u"REVIR_CISLO"_s).toString();
    return numbers;
}

void TotalsFixture::failTotalsFromRow(int row)
{
    db().execute(u"CREATE TRIGGER fail_totals BEFORE INSERT ON CSumMP WHEN "
                 "(SELECT count(*) FROM CSumMP) >= %1 BEGIN "
                 "SELECT RAISE(ABORT, 'database or disk is full'); END"_s.arg(row - 1));
}

QPushButton* TotalsFixture::button(const QString& objectName)
{
    auto* found = panel->findChild<QPushButton*>(objectName);
    EXPECT_NE(found, nullptr) << objectName.toStdString();
    return found;
}

void TotalsFixture::setPrinterAttached(bool attached)
{
    db().run(u"UPDATE Setup SET TISK = ?"_s, {attached});
    db().touch(u"Setup"_s);
}
