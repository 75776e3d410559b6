#include "ParadoxFixtures.h"

#include "ParadoxTable.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
struct CodePageCase {
    int codePage;
    QByteArray stored;
    const char* expectedUtf8;
};

void PrintTo(const CodePageCase& c, std::ostream* out)
{
    *out << "code page " << c.codePage;
}

const CodePageCase cases[] = {
    {1250, QByteArray("\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2 \x84x\x93 \x96 \x85"),
     "Žluťoučký kůň „x“ – …"},
    // Bytes the code page leaves undefined must not break the text.
    {1250,
     QByteArray("a\x98"
                "b"),
     "a\xEF\xBF\xBD"
     "b"},
    {852, QByteArray("P\xFD\xA1li\xE7 \xA6lu\x9Cou\x9F"), "Příliš Žluťouč"},
    {850, QByteArray("S\x9Bren"), "Søren"},
    {437,
     QByteArray("Gr\x81\xE1"
                "e"),
     "Grüße"},
    {1252, QByteArray("\x80 5"), "€ 5"},
};

class CodePageTest : public testing::TestWithParam<CodePageCase> {};

// country.db's first field is Name A24; its header names code page 850, changed here.
TEST_P(CodePageTest, alphaDecodedByTheHeadersCodePage)
{
    SKIP_WITHOUT_FIXTURES();
    QTemporaryDir dir;
    const QString path = ParadoxFixtures::copy(QStringLiteral("rparadox/country.db"), dir);
    QByteArray bytes = ParadoxFixtures::read(path);
    bytes[0x6A] = char(GetParam().codePage & 0xFF);
    bytes[0x6B] = char(GetParam().codePage >> 8);
    const int headerSize = quint8(bytes[2]) | quint8(bytes[3]) << 8;
    QByteArray name = GetParam().stored;
    name.resize(24, '\0');
    bytes.replace(headerSize + 6, 24, name);
    ParadoxFixtures::write(path, bytes);

    const ParadoxTable table(path);
    EXPECT_EQ(table.codePage(), GetParam().codePage);
    EXPECT_EQ(table.readAll()[0][0].toString().toStdString(), GetParam().expectedUtf8);
}

INSTANTIATE_TEST_SUITE_P(CodePages, CodePageTest, testing::ValuesIn(cases));
} // namespace
