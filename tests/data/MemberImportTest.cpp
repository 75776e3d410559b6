#include "TestDataDir.h"

#include "DataModel.h"
#include "EngineError.h"
#include "MemberImport.h"
#include "ParadoxChapterWriter.h"
#include "ParadoxField.h"
#include "ParadoxWriter.h"
#include "Table.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A delivered member table in the register's layout.
class MemberImportTest : public ::testing::Test {
protected:
    MemberImportTest()
        : data({u"Clenove"_s})
        , members(data.db(), u"Clenove.DB"_s)
    {
        members.open();
        appendRow(members, member(u"1"_s, u"Adámek"_s,
                                  {{u"JMENO"_s, u"Jan"_s},
                                   {u"OBEC"_s, u"Zeleneč"_s},
                                   {u"LAST_CLENSTVI"_s, 2011}}));
        appendRow(members, member(u"2"_s, u"Bílá"_s, {{u"LAST_CLENSTVI"_s, 2011}}));
        folder = data.path() + u"/import/"_s;
        QDir().mkpath(folder);
    }

    // Writes the delivered members: each a map of field to value.
    void deliver(const QList<QVariantMap>& rows)
    {
        const QList<FieldDef> fields = DataModel::memberFields();
        QList<ParadoxField> layout;
        for (const FieldDef& f : fields)
            layout << ParadoxChapterWriter::paradoxField(f);
        QList<QVariantList> values;
        for (const QVariantMap& row : rows) {
            QVariantList v;
            for (const FieldDef& f : fields)
                v << row.value(f.name);
            values << v;
        }
        QFile::remove(MemberImport::sourcePath(folder));
        ParadoxWriter::write(MemberImport::sourcePath(folder), layout, values);
    }

    QString field(const QString& number, const QString& name)
    {
        members.refresh();
        EXPECT_TRUE(members.locate(u"CLEN_CISLO"_s, number));
        return members.fieldByName(name).asString();
    }

    MemberImport::Answer answer(const QString& text)
    {
        asked << text;
        return answers.isEmpty() ? MemberImport::Answer::Replace : answers.takeFirst();
    }

    void import(MemberImport& run)
    {
        run.run(MemberImport::sourcePath(folder),
                [this](const QString& text) { return answer(text); });
    }

    TestDataDir data;
    Table members;
    QString folder;
    QStringList asked;
    QList<MemberImport::Answer> answers;
};

TEST_F(MemberImportTest, TheRegisterItselfChangesNothing)
{
    deliver({{{u"CLEN_CISLO"_s, u"1"_s},
              {u"PRIJMENI"_s, u"Adámek"_s},
              {u"JMENO"_s, u"Jan"_s},
              {u"OBEC"_s, u"Zeleneč"_s},
              {u"LAST_CLENSTVI"_s, 2011}},
             {{u"CLEN_CISLO"_s, u"2"_s}, {u"PRIJMENI"_s, u"Bílá"_s}, {u"LAST_CLENSTVI"_s, 2011}}});
    MemberImport run(data.db());
    import(run);
    EXPECT_EQ(run.updated(), 0);
    EXPECT_EQ(run.inserted(), 0);
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(MemberImportTest, NewMembersComeInAndEmptyValuesNeverClearOnes)
{
    deliver(
        {{{u"CLEN_CISLO"_s, u"3"_s},
          {u"PRIJMENI"_s, u"Černý"_s},
          {u"DATUM_NAROZENI"_s, QDate(1970, 3, 4)},
          {u"ZENA"_s, false}},
         {{u"CLEN_CISLO"_s, u"1"_s}, {u"PRIJMENI"_s, u"Adámek"_s}, {u"ULICE"_s, u"Lipová 7"_s}}});
    MemberImport run(data.db());
    import(run);
    EXPECT_EQ(run.inserted(), 1);
    EXPECT_EQ(run.updated(), 1);
    EXPECT_TRUE(asked.isEmpty()) << "only empty fields were filled";
    EXPECT_EQ(field(u"3"_s, u"PRIJMENI"_s), u"Černý"_s);
    EXPECT_EQ(field(u"3"_s, u"DATUM_NAROZENI"_s), u"4.3.1970"_s);
    EXPECT_EQ(field(u"1"_s, u"ULICE"_s), u"Lipová 7"_s);
    EXPECT_EQ(field(u"1"_s, u"OBEC"_s), u"Zeleneč"_s) << "a blank delivered town clears nothing";
}

TEST_F(MemberImportTest, ALaterPaidYearReplacesWithoutAskingAnEarlierOneAsks)
{
    deliver({{{u"CLEN_CISLO"_s, u"1"_s}, {u"LAST_CLENSTVI"_s, 2012}},
             {{u"CLEN_CISLO"_s, u"2"_s}, {u"LAST_CLENSTVI"_s, 2010}}});
    answers << MemberImport::Answer::Keep;
    MemberImport run(data.db());
    import(run);
    EXPECT_EQ(field(u"1"_s, u"LAST_CLENSTVI"_s), u"2012"_s);
    EXPECT_EQ(field(u"2"_s, u"LAST_CLENSTVI"_s), u"2011"_s);
    EXPECT_EQ(asked, QStringList{u"Opravdu nahradit u člena 2 -  Bílá\r\n ve sloupci "
                                 u"LAST_CLENSTVI    2010  ---> 2011"_s});
    EXPECT_EQ(run.updated(), 1);
}

TEST_F(MemberImportTest, StopKeepsWhatWasMergedBeforeAndAnErrorKeepsNothing)
{
    deliver({{{u"CLEN_CISLO"_s, u"4"_s}, {u"PRIJMENI"_s, u"Dvořák"_s}},
             {{u"CLEN_CISLO"_s, u"1"_s}, {u"JMENO"_s, u"Josef"_s}},
             {{u"CLEN_CISLO"_s, u"5"_s}, {u"PRIJMENI"_s, u"Erben"_s}}});
    answers << MemberImport::Answer::Stop;
    MemberImport run(data.db());
    import(run);
    EXPECT_TRUE(run.stopped());
    EXPECT_EQ(run.inserted(), 1);
    EXPECT_EQ(field(u"4"_s, u"PRIJMENI"_s), u"Dvořák"_s);
    EXPECT_EQ(field(u"1"_s, u"JMENO"_s), u"Jan"_s);
    members.refresh();
    EXPECT_FALSE(members.locate(u"CLEN_CISLO"_s, u"5"_s)) << "nothing after the stop";

    // A value the register cannot take stops the import with nothing of it kept.
    deliver({{{u"CLEN_CISLO"_s, u"6"_s}, {u"PRIJMENI"_s, u"Fiala"_s}},
             {{u"CLEN_CISLO"_s, u"7"_s}, {u"PRIJMENI"_s, u"Gregor\tová"_s}}});
    MemberImport failing(data.db());
    EXPECT_THROW(import(failing), EngineError);
    members.refresh();
    EXPECT_FALSE(members.locate(u"CLEN_CISLO"_s, u"6"_s));
}

TEST_F(MemberImportTest, MissingFileAndForeignLayoutAreRefused)
{
    MemberImport run(data.db());
    try {
        import(run);
        ADD_FAILURE() << "no file, yet imported";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.message(),
                  u"Neni soubor "_s + QDir::toNativeSeparators(MemberImport::sourcePath(folder)));
    }
    ParadoxWriter::write(MemberImport::sourcePath(folder),
                         {{u"PRIJMENI"_s, ParadoxField::Type::Alpha, 20}}, {{u"Adámek"_s}});
    EXPECT_THROW(import(run), EngineError);
}

TEST(MemberImportPath, TheFolderIsJoinedWithOrWithoutItsSeparator)
{
    EXPECT_EQ(MemberImport::sourcePath(u"/home/jan/import/"_s), u"/home/jan/import/CLENOVE.DB"_s);
    EXPECT_EQ(MemberImport::sourcePath(u"/home/jan/import"_s), u"/home/jan/import/CLENOVE.DB"_s);
}

} // namespace
