#include "ProfileFile.h"
#include "SettingsLocation.h"
#include "UnicodeForm.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray codePage1250(const QString& text)
{
    return ProfileEncoding(ProfileEncoding::Kind::CodePage1250).encode(text);
}

class Profile : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("TALU.ini")); }

    void writeBytes(const QByteArray& bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray bytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ProfileFile loaded()
    {
        ProfileFile profile(path());
        EXPECT_TRUE(profile.load());
        return profile;
    }

    QTemporaryDir tmp;
    QDir dir{tmp.path()};
};

TEST_F(Profile, NamesMatchWhateverTheirCaseAndValuesReadAsTheirKind)
{
    writeBytes(
        "; nastaveni\r\n[POSUNY]\r\n  posun_prukaz_radek = 12 \r\nPosun_Obalka_Sloupec=x5\r\n"
        "Rodne_Cislo=2\r\nNula=0\r\nMinus=-3\r\n[Texty]\r\nSumare_Email=\"a@b.cz\"\r\n");
    const ProfileFile profile = loaded();
    const QString posuny = QStringLiteral("Posuny");
    EXPECT_EQ(profile.readInteger(posuny, QStringLiteral("Posun_Prukaz_Radek"), 0), 12);
    EXPECT_EQ(profile.readInteger(posuny, QStringLiteral("Posun_Obalka_Sloupec"), 7), 7);
    EXPECT_EQ(profile.readInteger(posuny, QStringLiteral("Minus"), 0), -3);
    EXPECT_EQ(profile.readInteger(posuny, QStringLiteral("Chybi"), 4), 4);
    EXPECT_TRUE(profile.readBool(posuny, QStringLiteral("RODNE_CISLO"), false));
    EXPECT_FALSE(profile.readBool(posuny, QStringLiteral("Nula"), true));
    EXPECT_TRUE(profile.readBool(posuny, QStringLiteral("Posun_Obalka_Sloupec"), true));
    EXPECT_EQ(profile.readString(QStringLiteral("texty"), QStringLiteral("Sumare_email"), {}),
              QStringLiteral("a@b.cz"));
    EXPECT_EQ(profile.readString(QStringLiteral("Jinde"), QStringLiteral("Sumare_email"),
                                 QStringLiteral("výchozí")),
              s("výchozí"));
}

TEST_F(Profile, TextIsReadInUtf8WhenValidElseInCodePage1250)
{
    const QString message = s("Přineste úlovky, žluťoučký kůň");
    for (const QByteArray& encoded : {codePage1250(message), message.toUtf8()}) {
        writeBytes("[Texty]\r\nSdeleni_Dochazka=" + encoded + "\r\n");
        EXPECT_EQ(
            loaded().readString(QStringLiteral("Texty"), QStringLiteral("Sdeleni_Dochazka"), {}),
            message);
    }
}

TEST_F(Profile, WritingKeepsEverythingElseAndWritesCodePage1250)
{
    writeBytes("; od instalace\n[Texty]\nSumare_email=stary@zeb.cz\n\n[Jine]\nKlic=1\n");
    ProfileFile profile = loaded();
    profile.writeString(QStringLiteral("Texty"), QStringLiteral("Sumare_Email"),
                        QStringLiteral("novy@zeb.cz"));
    profile.writeString(QStringLiteral("TEXTY"), QStringLiteral("Sdeleni_Dochazka"), s("Žádost"));
    profile.writeBool(QStringLiteral("BarCode"), QStringLiteral("BarTisk"), true);
    ASSERT_TRUE(profile.save());

    const QByteArray expected = "; od instalace\r\n[Texty]\r\nSumare_email=novy@zeb.cz\r\n"
                                "Sdeleni_Dochazka=\x8E\xE1\x64ost\r\n\r\n[Jine]\r\nKlic=1\r\n\r\n"
                                "[BarCode]\r\nBarTisk=1\r\n";
    EXPECT_EQ(bytes(), expected);
}

TEST_F(Profile, AUnicodeFileIsWrittenBackInItsOwnEncoding)
{
    const QString before =
        s("; nastavení pokladny\r\n[Texty]\r\nSdeleni_Dochazka=Vraťte sumář\r\n");
    const QString after = before + s("Sumare_Email=ryby@žďár.cz\r\n");
    for (const UnicodeForm& unicode : UnicodeForm::all()) {
        SCOPED_TRACE(unicode.name());
        writeBytes(unicode.encode(before));
        ProfileFile profile = loaded();
        EXPECT_EQ(
            profile.readString(QStringLiteral("TEXTY"), QStringLiteral("sdeleni_dochazka"), {}),
            s("Vraťte sumář"));
        profile.writeString(QStringLiteral("Texty"), QStringLiteral("Sumare_Email"),
                            s("ryby@žďár.cz"));
        ASSERT_TRUE(profile.save());
        EXPECT_EQ(bytes(), unicode.encode(after));
    }
}

TEST_F(Profile, CodePage1250GivenLettersBeyondItIsWrittenInUtf8WithoutAMark)
{
    writeBytes("; nastaven\xED pokladny\r\n[Texty]\r\n");
    ProfileFile profile = loaded();
    const QString message = s("Рыбаки, vraťte sumář");
    profile.writeString(QStringLiteral("Texty"), QStringLiteral("Sdeleni_Dochazka"), message);
    ASSERT_TRUE(profile.save());
    EXPECT_EQ(
        bytes(),
        s("; nastavení pokladny\r\n[Texty]\r\nSdeleni_Dochazka=Рыбаки, vraťte sumář\r\n").toUtf8());
    EXPECT_EQ(loaded().readString(QStringLiteral("Texty"), QStringLiteral("Sdeleni_Dochazka"), {}),
              message);
}

TEST_F(Profile, AFileThatIsNoTextOrTooLargeIsNeitherReadNorEverWritten)
{
    const QByteArray entry = "[Texty]\r\nSdeleni_Dochazka=stary\r\n";
    QByteArray garbage(4096, '\0');
    QRandomGenerator random(1250);
    for (char& byte : garbage)
        byte = char(random.bounded(256));
    const QByteArray largest = entry + QByteArray(ProfileFile::MaximumSize - entry.size(), ';');
    using Status = ProfileFile::Status;
    const struct {
        const char* name;
        QByteArray bytes;
        Status status;
    } rows[] = {
        {"binary", garbage, Status::NotText},
        {"a control character", entry + "Rodne_Cislo=\x01\r\n", Status::NotText},
        {"UTF-16 cut off inside a character", QByteArray("\xFF\xFE[\0T\0]\0\r", 9),
         Status::NotText},
        {"UTF-16 with half of a surrogate pair",
         QByteArray("\xFF\xFE[\0T\0]\0\r\0\n\0\x3D\xD8\r\0\n\0", 18), Status::NotText},
        {"invalid bytes after a UTF-8 mark", "\xEF\xBB\xBF" + entry + "X=\x9A\xC0\r\n",
         Status::NotText},
        {"a byte code page 1250 has no letter for", entry + "X=\x98\r\n", Status::NotText},
        {"larger than the limit", largest + ';', Status::TooLarge},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeBytes(row.bytes);
        ProfileFile profile(path());
        EXPECT_FALSE(profile.load());
        EXPECT_EQ(profile.status(), row.status);
        EXPECT_EQ(profile.readString(QStringLiteral("Texty"), QStringLiteral("Sdeleni_Dochazka"),
                                     QStringLiteral("výchozí")),
                  QStringLiteral("výchozí"));
        profile.writeString(QStringLiteral("Texty"), QStringLiteral("Sdeleni_Dochazka"),
                            QStringLiteral("novy"));
        EXPECT_FALSE(profile.save());
        EXPECT_EQ(bytes(), row.bytes);
    }

    writeBytes(largest);
    EXPECT_EQ(loaded().readString(QStringLiteral("Texty"), QStringLiteral("Sdeleni_Dochazka"), {}),
              QStringLiteral("stary"));
}

TEST_F(Profile, AFolderThatRefusesFilesSendsTheSettingsToTheUsersFolder)
{
    const QString program = dir.filePath(QStringLiteral("program"));
    const QString user = dir.filePath(QStringLiteral("user"));
    ASSERT_TRUE(dir.mkpath(program));
    EXPECT_EQ(SettingsLocation::iniPath(program, user),
              QDir(program).filePath(QStringLiteral("TALU.ini")));

    // A program folder that cannot be written to (here: one that is not there at all).
    const QString missing = dir.filePath(QStringLiteral("nowhere"));
    EXPECT_EQ(SettingsLocation::iniPath(missing, user),
              QDir(user).filePath(QStringLiteral("TALU.ini")));
    EXPECT_FALSE(QFileInfo::exists(QDir(user).filePath(QStringLiteral("TALU.ini"))));
}

} // namespace
