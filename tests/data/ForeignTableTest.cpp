#include "TestDataDir.h"

#include "EngineError.h"
#include "ParadoxField.h"
#include "ParadoxWriter.h"
#include "Table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A table file delivered from elsewhere, opened by its full path like any table of the data.
class ForeignTable : public ::testing::Test {
protected:
    ForeignTable()
        : data({u"Clenove"_s})
        , path(disk.filePath(u"CLENOVE.DB"_s))
    {
        write({{u"7"_s, u"Šťastná"_s, QDate(1980, 5, 6), true},
               {u"8"_s, QVariant(), QVariant(), false}});
    }

    void write(const QList<QVariantList>& rows)
    {
        QFile::remove(path);
        ParadoxWriter::write(path,
                             {{u"CLEN_CISLO"_s, ParadoxField::Type::Alpha, 6},
                              {u"PRIJMENI"_s, ParadoxField::Type::Alpha, 20},
                              {u"DATUM_NAROZENI"_s, ParadoxField::Type::Date, 4},
                              {u"ZENA"_s, ParadoxField::Type::Logical, 1}},
                             rows);
    }

    TestDataDir data;
    QTemporaryDir disk;
    QString path;
};

TEST_F(ForeignTable, ReadsLikeATableOfTheDataAndIsNeverWritten)
{
    Table delivered(data.db(), path);
    delivered.open();
    EXPECT_EQ(delivered.recordCount(), 2);
    ASSERT_TRUE(delivered.locate(u"CLEN_CISLO"_s, u"7"_s));
    EXPECT_EQ(delivered.fieldByName(u"PRIJMENI"_s).asString(), u"Šťastná"_s);
    EXPECT_EQ(delivered.fieldByName(u"DATUM_NAROZENI"_s).value().toDate(), QDate(1980, 5, 6));
    EXPECT_TRUE(delivered.fieldByName(u"ZENA"_s).asBoolean());
    ASSERT_TRUE(delivered.locate(u"CLEN_CISLO"_s, u"8"_s));
    EXPECT_TRUE(delivered.fieldByName(u"PRIJMENI"_s).value().isNull()) << "blank stays blank";

    const QByteArray before = [this] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    EXPECT_THROW(delivered.edit(), EngineError);
    EXPECT_THROW(delivered.append(), EngineError);
    EXPECT_THROW(delivered.deleteRecord(), EngineError);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(data.db().rowCount(u"Clenove"_s), 0) << "the register is not touched";
}

TEST_F(ForeignTable, AChangedFileIsReadAgainAndAMissingOrDamagedOneIsTold)
{
    {
        Table delivered(data.db(), path);
        delivered.open();
        EXPECT_EQ(delivered.recordCount(), 2);
    }
    write({{u"9"_s, u"Nová"_s, QVariant(), QVariant()}});
    Table again(data.db(), path);
    again.open();
    EXPECT_EQ(again.recordCount(), 1);
    again.close();

    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.resize(100);
    damaged.close();
    try {
        again.open();
        ADD_FAILURE() << "a damaged file opened";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains(u"CLENOVE.DB"_s)) << e.message().toStdString();
    }
    Table missing(data.db(), disk.filePath(u"NENI.DB"_s));
    try {
        missing.open();
        ADD_FAILURE() << "a missing file opened";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.kind(), EngineError::Kind::Missing);
    }
}

} // namespace
