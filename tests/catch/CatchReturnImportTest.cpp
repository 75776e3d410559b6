#include "ExchangeFixture.h"

#include "CatchReturnImport.h"
#include "DataModel.h"
#include "EngineError.h"
#include "GuiTestSupport.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

const QString yearTable = u"SuMP2012.DB"_s;

using ExchangeImport = ExchangeFixture;

// Nothing is matched: the same file appended twice stands twice, each time under the next
// batch number, while rows typed here keep their empty batch.
TEST_F(ExchangeImport, EachImportGetsTheNextBatchAndAppendsEveryRow)
{
    addLocalRow(yearTable, catchRow(u"000009"_s, u"411001"_s));
    const QString file =
        writeForeign(u"SuMP2012.DB"_s,
                     {catchRow(u"000001"_s, u"411001"_s, {{u"KAPR_KS"_s, 3}, {u"KAPR_KG"_s, 7.5}}),
                      catchRow(u"000002"_s, u"411002"_s, {{u"PSTRUHOVA"_s, true}})});
    CatchReturnImport import(db());
    EXPECT_EQ(import.earlierBatchHolding(file, yearTable), 0);
    QList<std::pair<int, int>> reported;
    EXPECT_EQ(import.append(file, yearTable,
                            [&](int done, int total) {
                                reported.append({done, total});
                            }),
              1);
    EXPECT_EQ(reported, (QList<std::pair<int, int>>{{1, 2}, {2, 2}}));
    EXPECT_EQ(import.earlierBatchHolding(file, yearTable), 1);
    EXPECT_EQ(import.append(file, yearTable), 2);
    EXPECT_EQ(import.earlierBatchHolding(file, yearTable), 2);

    EXPECT_EQ(stored(yearTable, u"CLEN_CISLO"_s),
              (QStringList{u"000009"_s, u"000001"_s, u"000002"_s, u"000001"_s, u"000002"_s}));
    EXPECT_EQ(stored(yearTable, u"CISLO_POVOLENKY"_s),
              (QStringList{u"∅"_s, u"1"_s, u"1"_s, u"2"_s, u"2"_s}));
    EXPECT_EQ(stored(yearTable, u"KAPR_KG"_s).at(3), u"7.5"_s);
    EXPECT_EQ(stored(yearTable, u"PSTRUHOVA"_s).at(4), u"1"_s);
    EXPECT_EQ(stored(yearTable, u"REVIR_NAZEV"_s).at(2), u"Revír 411002"_s);
}

// The batch number is read as a whole number: "10" follows "9", not "1…" in text order. A
// permit number kept in the field by rows taken over from elsewhere is no batch and does not
// stop the import.
TEST_F(ExchangeImport, BatchNumbersAreReadAsNumbers)
{
    addLocalRow(yearTable, catchRow(u"1"_s, u"1"_s, {{u"CISLO_POVOLENKY"_s, u"9"_s}}));
    addLocalRow(yearTable, catchRow(u"2"_s, u"1"_s, {{u"CISLO_POVOLENKY"_s, u"10"_s}}));
    addLocalRow(yearTable, catchRow(u"3"_s, u"1"_s, {{u"CISLO_POVOLENKY"_s, u"MP 000123"_s}}));
    CatchReturnImport import(db());
    EXPECT_EQ(import.nextBatch(yearTable), 11);
    const QString file = writeForeign(u"SuMP2012.DB"_s, {catchRow(u"4"_s, u"1"_s)});
    EXPECT_EQ(import.append(file, yearTable), 11);
    EXPECT_EQ(stored(yearTable, u"CISLO_POVOLENKY"_s),
              (QStringList{u"9"_s, u"10"_s, u"MP 000123"_s, u"11"_s}));
}

// A file of a table with a field ours lacks would lose that field's values: it is refused
// whole, saying which field, and it cannot be one appended before either.
TEST_F(ExchangeImport, AFieldTheLocalTableLacksAppendsNothing)
{
    QList<FieldDef> fields = DataModel::yearCatchFields();
    fields.insert(3, FieldDef::text(u"POZNAMKA"_s, 10));
    const QString file = writeForeign(
        u"SuMP2012.DB"_s,
        {catchRow(u"1"_s, u"1"_s), catchRow(u"2"_s, u"1"_s, {{u"POZNAMKA"_s, u"x"_s}})}, fields);
    CatchReturnImport import(db());
    EXPECT_EQ(import.earlierBatchHolding(file, yearTable), 0);
    try {
        import.append(file, yearTable);
        FAIL() << "appended a file with an unknown field";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains(u"POZNAMKA"_s)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"nebylo připojeno nic"_s)) << e.message().toStdString();
    }
    EXPECT_TRUE(stored(yearTable, u"CLEN_CISLO"_s).isEmpty());
}

// The returns of a computer still on the earlier layout lack the newer species; they append,
// the newer species blank, and the file is still known as appended afterwards.
TEST_F(ExchangeImport, AFileOfTheEarlierLayoutAppendsWithTheNewerSpeciesBlank)
{
    QList<FieldDef> older;
    for (const FieldDef& f : DataModel::yearCatchFields())
        if (!f.name.startsWith(u"PODOUSTEV"_s) && !f.name.startsWith(u"RYBA_"_s))
            older << f;
    const QString file =
        writeForeign(u"SuMP2012.DB"_s,
                     {catchRow(u"1"_s, u"1"_s, {{u"STIKA_KS"_s, 2}, {u"STIKA_KG"_s, 4.0}})}, older);
    CatchReturnImport import(db());
    EXPECT_EQ(import.append(file, yearTable), 1);
    EXPECT_EQ(stored(yearTable, u"STIKA_KS"_s), QStringList{u"2"_s});
    EXPECT_EQ(stored(yearTable, u"PODOUSTEV_KS"_s), QStringList{u"∅"_s});
    EXPECT_EQ(import.earlierBatchHolding(file, yearTable), 1);
}

// A row differing in one value only does not count as appended before.
TEST_F(ExchangeImport, ARowDifferingInOneValueIsNotHeldByAnEarlierBatch)
{
    const QString first = writeForeign(u"SuMP2012.DB"_s, {catchRow(u"1"_s, u"1"_s)});
    CatchReturnImport import(db());
    import.append(first, yearTable);
    const QString changed =
        writeForeign(u"SuMP2012.DB"_s, {catchRow(u"1"_s, u"1"_s, {{u"DOCHAZKA"_s, 13}})});
    EXPECT_EQ(import.earlierBatchHolding(changed, yearTable), 0);
}

// A failure of the engine half-way through leaves the table as it was.
TEST_F(ExchangeImport, AFailureHalfWayAppendsNothing)
{
    QList<QVariantMap> rows;
    for (int i = 1; i <= 6; ++i)
        rows << catchRow(QString::number(i), u"1"_s);
    const QString file = writeForeign(u"SuMP2012.DB"_s, rows);
    EngineFailure failure(db());
    try {
        CatchReturnImport(db()).append(file, yearTable, [&](int done, int) {
            if (done == 3)
                failure.arm();
        });
        FAIL() << "the interrupted import went through";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains(u"nebylo připojeno nic"_s)) << e.message().toStdString();
    }
    failure.disarm();
    EXPECT_TRUE(stored(yearTable, u"CLEN_CISLO"_s).isEmpty());
    // The table takes the next import as the first.
    EXPECT_EQ(CatchReturnImport(db()).append(file, yearTable), 1);
}

TEST_F(ExchangeImport, AMissingOrDamagedFileIsTold)
{
    CatchReturnImport import(db());
    const QString missing = QDir(folder()).filePath(u"SuMP2012.DB"_s);
    EXPECT_THROW(import.append(missing, yearTable), EngineError);
    QFile damaged(missing);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(300, 'x'));
    damaged.close();
    EXPECT_THROW(import.append(missing, yearTable), EngineError);
    EXPECT_TRUE(stored(yearTable, u"CLEN_CISLO"_s).isEmpty());
}

TEST(ExchangeImportPath, TheFileNameJoinsTheFolderOnce)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(CatchReturnImport::importPath(u"/a/import/"_s, u"SuPS2012.DB"_s),
              u"/a/import/SuPS2012.DB"_s);
    EXPECT_EQ(CatchReturnImport::importPath(u"C:\\import\\"_s, u"SuPS2012.DB"_s),
              u"C:\\import\\SuPS2012.DB"_s);
    EXPECT_EQ(CatchReturnImport::importPath(u" /a/import "_s, u"SuPS2012.DB"_s),
              u"/a/import"_s + sep + u"SuPS2012.DB"_s);
}

} // namespace
