#include "ExchangeFixture.h"

#include "ControlErrors.h"
#include "DataDirectoryInitializer.h"
#include "DataModel.h"
#include "GuiTestSupport.h"
#include "ParadoxExport.h"
#include "ParadoxWriter.h"
#include "SqlStatement.h"
#include "Table.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

void ExchangeFixture::SetUp()
{
    ensureTestApplication();
    DataDirectoryInitializer::Options options;
    options.year = 2012;
    DataDirectoryInitializer::create(dataPath(), options);
    m_db = std::make_unique<Database>(dataPath());
    m_data = std::make_unique<TDataModule1>(*m_db, m_host);
    m_data->DataModuleCreate();
    // As the program's start does: the year catch tables of the summary year open.
    ASSERT_TRUE(m_data->EnsureYearTables());
    ASSERT_TRUE(m_host.errors.isEmpty()) << m_host.errors.join(u'\n').toStdString();
    m_progress = std::make_unique<QProgressBar>();
    m_panel = std::make_unique<CatchExchangePanel>(*m_data, m_progress.get());
    m_panel->show();
    m_folder = m_dir.filePath(u"import/"_s);
    QDir().mkpath(m_folder);
    // As in the program: what a guarded handler catches is shown in the error box.
    ControlErrors::setHandler([](const QString& message) { Messages::error(message); });
    startAnswering();
}

void ExchangeFixture::TearDown()
{
    stopAnswering();
    ControlErrors::setHandler({});
    m_panel.reset();
    m_progress.reset();
    m_data.reset();
    m_db.reset();
}

QString ExchangeFixture::dataPath() const
{
    return m_dir.filePath(u"data"_s);
}

QVariantMap ExchangeFixture::catchRow(const QString& number, const QString& district,
                                      QVariantMap more)
{
    const QVariantMap usual{{u"CLEN_CISLO"_s, number},
                            {u"PRIJMENI"_s, u"Člen "_s + number},
                            {u"REVIR_CISLO"_s, district},
                            {u"REVIR_NAZEV"_s, u"Revír "_s + district},
                            {u"DOCHAZKA"_s, 12}};
    for (auto it = usual.cbegin(); it != usual.cend(); ++it)
        if (!more.contains(it.key()))
            more.insert(it.key(), it.value());
    return more;
}

QString ExchangeFixture::writeForeign(const QString& fileName, const QList<QVariantMap>& rows,
                                      const QList<FieldDef>& fields)
{
    const QList<FieldDef> layout = fields.isEmpty() ? DataModel::yearCatchFields() : fields;
    QList<ParadoxField> paradoxFields;
    for (const FieldDef& f : layout)
        paradoxFields << ParadoxExport::paradoxField(f);
    QList<QVariantList> values;
    for (const QVariantMap& row : rows) {
        QVariantList v;
        for (const FieldDef& f : layout)
            v << row.value(f.name);
        values << v;
    }
    const QString path = QDir(m_folder).filePath(fileName);
    QFile::remove(path);
    ParadoxWriter::write(path, paradoxFields, values);
    return path;
}

void ExchangeFixture::addLocalRow(const QString& table, const QVariantMap& values)
{
    Table t(*m_db, table);
    t.open();
    t.append();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        t.fieldByName(it.key()).setValue(it.value());
    t.post();
}

QStringList ExchangeFixture::stored(const QString& table, const QString& field)
{
    SqlStatement select = m_db->prepare(u"SELECT %1 FROM %2 ORDER BY rowid"_s.arg(
        Database::quoteIdentifier(field), Database::quoteIdentifier(m_db->requireTable(table))));
    QStringList values;
    while (select.step())
        values << (select.isNull(0) ? u"∅"_s : select.text(0));
    return values;
}

void ExchangeFixture::click(const QString& buttonName)
{
    auto* button = m_panel->findChild<QPushButton*>(buttonName);
    ASSERT_NE(button, nullptr) << buttonName.toStdString();
    button->click();
}

void ExchangeFixture::answerFolderDialog(const QString& chosen)
{
    QTimer::singleShot(0, [chosen] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (chosen.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->setDirectory(chosen);
        // As the dialog's own "Choose" button does; accept() is not public on the file dialog.
        QMetaObject::invokeMethod(dialog, "accept");
    });
}
