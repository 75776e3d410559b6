#include "BirthNumber.h"
#include "TestDataDir.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Reading {
    const char* written;
    const char* dotted;
    QDate born; // invalid: the number stands for no date
    bool woman;
};

void PrintTo(const Reading& reading, std::ostream* os)
{
    *os << reading.written;
}

class BirthNumberReading : public ::testing::TestWithParam<Reading> {};

TEST_P(BirthNumberReading, DottedFormDateAndSex)
{
    const Reading& r = GetParam();
    const QString written = QString::fromUtf8(r.written);
    EXPECT_EQ(BirthNumber::dotted(written), QString::fromUtf8(r.dotted));
    EXPECT_EQ(BirthNumber::dotted(BirthNumber::dotted(written)), QString::fromUtf8(r.dotted))
        << "a dotted number keeps its form";
    const BirthNumber number(written);
    EXPECT_EQ(number.isDate(), r.born.isValid());
    EXPECT_EQ(number.birthDate(), r.born);
    EXPECT_EQ(number.isWoman(), r.woman);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, BirthNumberReading,
    ::testing::Values(Reading{"6107031234", "61.07.03/1234", QDate(1961, 7, 3), false},
                      Reading{"610703/1234", "61.07.03/1234", QDate(1961, 7, 3), false},
                      Reading{"61-07-03/1234", "61.07.03/1234", QDate(1961, 7, 3), false},
                      Reading{"61.57.03/1234", "61.57.03/1234", QDate(1961, 7, 3), true},
                      Reading{"615703123", "61.57.03/123", QDate(1961, 7, 3), true},
                      Reading{"61.07.03", "61.07.03/", QDate(1961, 7, 3), false},
                      Reading{"610703", "61.07.03/", QDate(1961, 7, 3), false}));

INSTANTIATE_TEST_SUITE_P(
    Centuries, BirthNumberReading,
    ::testing::Values(Reading{"050703/1234", "05.07.03/1234", QDate(2005, 7, 3), false},
                      Reading{"05.07.03/123", "05.07.03/123", QDate(1905, 7, 3), false},
                      Reading{"53.12.31/1234", "53.12.31/1234", QDate(2053, 12, 31), false},
                      Reading{"53.12.31/123", "53.12.31/123", QDate(1953, 12, 31), false},
                      Reading{"54.01.01/1234", "54.01.01/1234", QDate(1954, 1, 1), false},
                      Reading{"00.02.29/1234", "00.02.29/1234", QDate(2000, 2, 29), false},
                      Reading{"00.02.29/123", "00.02.29/123", QDate(), false}));

INSTANTIATE_TEST_SUITE_P(
    RaisedMonths, BirthNumberReading,
    ::testing::Values(Reading{"04.27.03/1234", "04.27.03/1234", QDate(2004, 7, 3), false},
                      Reading{"04.77.03/1234", "04.77.03/1234", QDate(2004, 7, 3), true},
                      Reading{"04.82.03/1234", "04.82.03/1234", QDate(2004, 12, 3), true},
                      Reading{"04.32.03/1234", "04.32.03/1234", QDate(2004, 12, 3), false},
                      Reading{"61.62.03/1234", "61.62.03/1234", QDate(1961, 12, 3), true}));

INSTANTIATE_TEST_SUITE_P(
    NoDate, BirthNumberReading,
    ::testing::Values(Reading{"61.13.03/1234", "61.13.03/1234", QDate(), false},
                      Reading{"61.00.03/1234", "61.00.03/1234", QDate(), false},
                      Reading{"61.40.03/1234", "61.40.03/1234", QDate(), false},
                      Reading{"61.63.03/1234", "61.63.03/1234", QDate(), false},
                      Reading{"61.83.03/1234", "61.83.03/1234", QDate(), false},
                      Reading{"61.52.30/1234", "61.52.30/1234", QDate(), false},
                      Reading{"6a0703/1234", "6a.07.03/1234", QDate(), false},
                      Reading{"neuvedeno", "ne.uv.ed/eno", QDate(), false},
                      Reading{"61.0703/1234", "61.0703//1234", QDate(), false},
                      Reading{"12345", "12345", QDate(), false}, Reading{"", "", QDate(), false}));

TEST(BirthNumber, TheStartWrittenFromADateReadsBack)
{
    for (const bool woman : {false, true}) {
        const BirthNumber number(BirthNumber::start(QDate(1961, 7, 3), woman));
        EXPECT_EQ(number.birthDate(), QDate(1961, 7, 3));
        EXPECT_EQ(number.isWoman(), woman);
    }
}

} // namespace
