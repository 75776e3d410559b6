#include "Platform.h"
#include "PseudoTerminal.h"
#include "StartedChapter.h"
#include "Table.h"

#include <QCoreApplication>
#include <QSerialPort>

using namespace Qt::StringLiterals;

namespace {

// The scanner on a pseudo-terminal, ticked by the test instead of the timer.
class Scanner : public StartedChapter {
protected:
    void SetUp() override
    {
        // The serial port reads through the event dispatcher of an application.
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "zeb-scanner-test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
        StartedChapter::SetUp();
        ASSERT_TRUE(terminal.isOpen());
        data().scanTimer().stop();
        for (const QString& n : {u"101"_s, u"102"_s, u"123"_s, u"ABC12"_s})
            addMember(n);
        select(u"101"_s);
        host.currentMember = [this] {
            return current();
        };
        data().OpenScanner(terminal.device(), u"9600"_s);
        ASSERT_TRUE(host.errors.isEmpty()) << host.errors.join(u'\n').toStdString();
        ASSERT_TRUE(data().scanner().isOpen());
    }
    QString current() { return members().fieldByName(u"CLEN_CISLO"_s).asString(); }
    void scan(const QByteArray& bytes)
    {
        terminal.send(bytes);
        data().ScanTick();
    }

    PseudoTerminal terminal;
};

} // namespace

// Each scan is heard and makes its member current; a number that differs only in letter case
// is the member's.
TEST_F(Scanner, ALineSelectsItsMemberWhateverTheLetterCase)
{
    scan("123\r\n");
    EXPECT_EQ(current(), u"123"_s);
    scan("abc12\r\n");
    EXPECT_EQ(current(), u"ABC12"_s);
    EXPECT_EQ(host.scansHeard, 2);
    EXPECT_EQ(host.scannedEntries, (QStringList{u"123"_s, u"ABC12"_s}));
    EXPECT_TRUE(host.errors.isEmpty());
}

TEST_F(Scanner, AnUnknownNumberIsToldAndTheMemberStays)
{
    scan("999\r\n");
    EXPECT_EQ(host.errors, QStringList{u"Člen 999 NEEXISTUJE !!!"_s});
    EXPECT_EQ(current(), u"101"_s);
    EXPECT_EQ(host.scansHeard, 1);
    EXPECT_TRUE(host.scannedEntries.isEmpty());
}

// Two scans between two ticks are two members, one after the other.
TEST_F(Scanner, TwoScansInOneTickAreTakenInTurn)
{
    scan("102\r\n123\r\n");
    EXPECT_EQ(host.scannedEntries, (QStringList{u"102"_s, u"123"_s}));
    EXPECT_EQ(host.scansHeard, 2);
    EXPECT_TRUE(host.errors.isEmpty());
}

// A line whose end does not come survives three silent ticks and is dropped at the fourth.
TEST_F(Scanner, APartLineIsDroppedAfterThreeSilentTicks)
{
    scan("12");
    data().ScanTick();
    data().ScanTick();
    scan("3\r\n");
    EXPECT_EQ(host.scannedEntries, QStringList{u"123"_s}) << "two silent ticks keep the line";

    scan("10");
    for (int i = 0; i < 3; ++i)
        data().ScanTick();
    EXPECT_EQ(data().scanner().pendingLine(), QByteArray("10"));
    scan("2\r\n");
    EXPECT_EQ(host.errors, QStringList{u"Člen 2 NEEXISTUJE !!!"_s});
    EXPECT_EQ(host.scannedEntries, QStringList{u"123"_s});
}

// A scanner pulled out while open: nothing is shown, and ticks go on doing nothing.
TEST_F(Scanner, APortThatVanishesIsLetGoSilently)
{
    terminal.hangUp();
    data().ScanTick();
    data().ScanTick();
    EXPECT_FALSE(data().scanner().isOpen());
    EXPECT_TRUE(host.errors.isEmpty());
    EXPECT_EQ(host.scansHeard, 0);
}

// A missing port and a port another program holds leave the program without a scanner,
// quietly; a device that is no serial port is told, and the program goes on.
TEST_F(Scanner, PortsThatCannotBeUsedAreSilentOrToldButNeverFatal)
{
    data().OpenScanner(u"/dev/zeb-no-such-port"_s, u"9600"_s);
    EXPECT_FALSE(data().scanner().isOpen());
    EXPECT_TRUE(host.errors.isEmpty());

    PseudoTerminal other;
    QSerialPort holder(other.device());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    data().OpenScanner(other.device(), u"9600"_s);
    EXPECT_FALSE(data().scanner().isOpen());
    EXPECT_TRUE(host.errors.isEmpty()) << host.errors.join(u'\n').toStdString();

    data().OpenScanner(u"/dev/null"_s, u"9600"_s);
    EXPECT_FALSE(data().scanner().isOpen());
    ASSERT_EQ(host.errors.size(), 1);
    EXPECT_TRUE(host.errors[0].contains(u". ErrorCode:  "_s)) << host.errors[0].toStdString();

    data().OpenScanner(terminal.device(), u"9600"_s);
    scan("102\r\n");
    EXPECT_EQ(current(), u"102"_s) << "the scanner works again once a good port is chosen";
}

TEST(ScannerPorts, ComNamesAreTheSystemsSerialPortsAndPathsStayAsTheyAre)
{
    EXPECT_EQ(Platform::serialDevice(u"COM1"_s), u"/dev/ttyS0"_s);
    EXPECT_EQ(Platform::serialDevice(u"com4"_s), u"/dev/ttyS3"_s);
    EXPECT_EQ(Platform::serialDevice(u"/dev/ttyACM0"_s), u"/dev/ttyACM0"_s);
    EXPECT_EQ(Platform::serialDevice(u"COM5"_s), u"COM5"_s);
    const QStringList offered = BarcodeScanner::offeredPorts();
    EXPECT_EQ(offered.mid(0, 4), (QStringList{u"COM1"_s, u"COM2"_s, u"COM3"_s, u"COM4"_s}));
    EXPECT_FALSE(offered.contains(u"/dev/ttyS0"_s)) << "COM1 offers it already";
}
