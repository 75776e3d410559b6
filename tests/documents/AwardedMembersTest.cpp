#include "DocumentsFixture.h"

#include "Query.h"
#include "TFormVyznam.h"

using namespace Qt::StringLiterals;

namespace {

class AwardedMembersTest : public DocumentsFixture {
protected:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        addMember(u"100"_s, u"Adam"_s, {{u"JMENO"_s, u"Karel"_s}});
        addMember(u"200"_s, u"Bílý"_s, {{u"JMENO"_s, u"Jan"_s}});
        addMember(u"300"_s, u"Černý"_s);
        award(u"100"_s, u"Zlatý odznak"_s, u"2015-06-01"_s);
        award(u"100"_s, u"Čestné uznání"_s, u"2010-05-01"_s);
        award(u"200"_s, u"Stříbrný odznak"_s, u"2012-03-04"_s);
        // The selection "Vyznamenaní členové" as the members window makes it: one row per
        // member and kind of award.
        selection.setSql(
            {u"select CLEN_CISLO,PRIJMENI,JMENO,ULICE,PSC,OBEC,ZENA,TITUL,DRUH_VYZNAMENANI  from CLENOVE,VYZNAM"_s,
             u"where (CLENOVE.CLEN_CISLO=VYZNAM.CLEN_CISLO) and (VYZNAM.DRUH_VYZNAMENANI<>'') GROUP BY CLEN_CISLO, PRIJMENI ,JMENO,ULICE,PSC,OBEC,ZENA,TITUL,DRUH_VYZNAMENANI"_s,
             u" ORDER BY PRIJMENI,CLEN_CISLO "_s});
        selection.open();
    }

    void award(const QString& number, const QString& kind, const QString& day)
    {
        addRow(
            u"Vyznam"_s,
            {{u"CLEN_CISLO"_s, number}, {u"DRUH_VYZNAMENANI"_s, kind}, {u"DATUM_UDELENI"_s, day}});
    }

    QStringList named(const QString& item) const
    {
        return sink.last(u"TFormVyznam"_s).textsNamed(item);
    }

    Query selection{chapter.db()};
    TFormVyznam report{selection, chapter.db()};
};

TEST_F(AwardedMembersTest, EachMemberOnceWithAllTheMembersAwards)
{
    ASSERT_EQ(selection.recordCount(), 3);
    report.run(runner, false);
    EXPECT_EQ(named(u"CLEN_CISLO"_s), QStringList({u"100"_s, u"200"_s}));
    EXPECT_EQ(named(u"DRUH_VYZNAMENANI"_s),
              QStringList({u"Čestné uznání"_s, u"Zlatý odznak"_s, u"Stříbrný odznak"_s}));
    const QStringList words = printedWords(u"TFormVyznam"_s);
    EXPECT_EQ(words.count(u"Adam"_s), 1);
    for (const QString& expected : {u"Vyznamenaní"_s, u"členské"_s, u"adresa"_s, u"01.05.2010"_s,
                                    u"04.03.2012"_s, u"Karel"_s})
        EXPECT_TRUE(words.contains(expected)) << expected.toStdString();
    EXPECT_FALSE(words.contains(u"Černý"_s));

    // A second run lists the members again.
    report.run(runner, false);
    EXPECT_EQ(named(u"CLEN_CISLO"_s), QStringList({u"100"_s, u"200"_s}));
}

} // namespace
