#include "ExchangeFixture.h"

#include "CatchReturnExport.h"
#include "CatchReturnImport.h"
#include "DataModel.h"
#include "EngineError.h"
#include "ParadoxExport.h"
#include "ParadoxTable.h"
#include "PxlibReader.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

class ExchangeExport : public ExchangeFixture {
protected:
    void SetUp() override
    {
        ExchangeFixture::SetUp();
        target = QDir(folder()).filePath(u"zeb"_s);
        QDir().mkpath(target);
        addLocalRow(u"CSumMP.DB"_s, catchRow(u""_s, u"411001"_s,
                                             {{u"REVIR_NAZEV"_s, u"Labe 1 Ústí"_s},
                                              {u"KAPR_KS"_s, 41},
                                              {u"KAPR_KG"_s, 93.25},
                                              {u"SUMA_KS"_s, 41},
                                              {u"SUMA_KG"_s, 93.25}}));
        addLocalRow(u"SuMP2012.DB"_s, catchRow(u"000001"_s, u"411001"_s,
                                               {{u"PRIJMENI"_s, u"Řehoř"_s},
                                                {u"PSTRUHOVA"_s, false},
                                                {u"STIKA_KS"_s, 1},
                                                {u"STIKA_KG"_s, 2.5}}));
        addLocalRow(u"SuMP2012.DB"_s, catchRow(u"000002"_s, u"411002"_s));
    }

    QStringList filesThere() const
    {
        return QDir(target).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    const QStringList tables{u"CSumMP.DB"_s, u"SuMP2012.DB"_s};
    QString target;
};

// The union's computers read the files with other Paradox readers: ours and pxlib both find
// every field of today's layout and every value stored here.
TEST_F(ExchangeExport, WrittenFilesReadBackByOurReaderAndByPxlib)
{
    const QStringList written = CatchReturnExport(db()).write(target, tables, false);
    EXPECT_EQ(written, (QStringList{QDir(target).filePath(u"CSumMP.DB"_s),
                                    QDir(target).filePath(u"SuMP2012.DB"_s)}));
    EXPECT_EQ(filesThere(), (QStringList{u"CSumMP.DB"_s, u"SuMP2012.DB"_s}));

    for (const auto& [file, fields] : {std::pair{written[0], DataModel::districtTotalsFields()},
                                       std::pair{written[1], DataModel::yearCatchFields()}}) {
        const ParadoxTable ours(file);
        QList<ParadoxField> expected;
        for (const FieldDef& f : fields)
            expected << ParadoxExport::paradoxField(f);
        EXPECT_EQ(ours.fields(), expected) << file.toStdString();
        const QList<QVariantList> ourRows = ours.readAll();
        const QList<QVariantList> theirRows = PxlibReader::readAll(file);
        ASSERT_EQ(theirRows.size(), ourRows.size()) << file.toStdString();
        for (int r = 0; r < ourRows.size(); ++r)
            for (int c = 0; c < fields.size(); ++c) {
                // pxlib reads blanks of numbers as garbage, and gives text converted only when
                // built with a converter.
                if (ourRows[r][c].isNull())
                    continue;
                if (fields[c].type == FieldType::Text &&
                    ourRows[r][c].toString().toLatin1() != ourRows[r][c].toString().toUtf8())
                    continue;
                EXPECT_EQ(theirRows[r][c].toString(), ourRows[r][c].toString())
                    << file.toStdString() << " row " << r << " " << fields[c].name.toStdString();
            }
    }
    const QList<QVariantList> totals = ParadoxTable(written[0]).readAll();
    ASSERT_EQ(totals.size(), 1);
    const int name =
        DataModel::districtTotalsFields().indexOf(FieldDef::text(u"REVIR_NAZEV"_s, 30));
    EXPECT_EQ(totals[0][name], QVariant(u"Labe 1 Ústí"_s));
    const QList<QVariantList> returns = ParadoxTable(written[1]).readAll();
    ASSERT_EQ(returns.size(), 2);
    EXPECT_EQ(returns[0][3], QVariant(u"Řehoř"_s));
}

// What "Ulož" writes on one computer is what "Připojit" takes on another.
TEST_F(ExchangeExport, TheYearCatchFileAppendsOnAnotherComputer)
{
    const QStringList written = CatchReturnExport(db()).write(target, {u"SuMP2012.DB"_s}, false);
    CatchReturnImport import(db());
    EXPECT_EQ(import.earlierBatchHolding(written[0], u"SuMP2012.DB"_s), 0);
    EXPECT_EQ(import.append(written[0], u"SuMP2012.DB"_s), 1);
    EXPECT_EQ(stored(u"SuMP2012.DB"_s, u"PRIJMENI"_s),
              (QStringList{u"Řehoř"_s, u"Člen 000002"_s, u"Řehoř"_s, u"Člen 000002"_s}));
}

// Files already there are kept unless replacing was agreed; a failing export changes none of
// them and leaves no half-written file behind.
TEST_F(ExchangeExport, ExistingFilesAreReplacedOnlyWhenAgreedAndNeverHalfWay)
{
    QFile old(QDir(target).filePath(u"SuMP2012.DB"_s));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    CatchReturnExport exporter(db());
    EXPECT_EQ(CatchReturnExport::existingFiles(target, tables),
              QStringList{QDir(target).filePath(u"SuMP2012.DB"_s)});
    EXPECT_THROW(exporter.write(target, tables, false), EngineError);
    EXPECT_EQ(filesThere(), QStringList{u"SuMP2012.DB"_s});

    // The second table is missing: the first, already written, must not land either.
    EXPECT_THROW(exporter.write(target, {u"CSumMP.DB"_s, u"SuMP1999.DB"_s}, true), EngineError);
    EXPECT_EQ(filesThere(), QStringList{u"SuMP2012.DB"_s});
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
    old.close();

    exporter.write(target, tables, true);
    EXPECT_EQ(filesThere(), (QStringList{u"CSumMP.DB"_s, u"SuMP2012.DB"_s}));
    EXPECT_EQ(ParadoxTable(QDir(target).filePath(u"SuMP2012.DB"_s)).recordCount(), 2);
}

} // namespace
