#pragma once

#include <QByteArray>
#include <QStringList>

#include <memory>

class QSerialPort;

// The barcode scanner on a serial line: the port the settings name, and the lines it sends
// assembled tick by tick. Each scan is a member number ended by a carriage return and a line
// feed; bytes of a line that stop coming are dropped after a few silent ticks.
class BarcodeScanner {
public:
    BarcodeScanner();
    ~BarcodeScanner();

    // Releases a port held, then opens the named one ("COM1" … or a device path) at the speed,
    // 8 data bits, no parity, 1 stop bit, and forgets a line begun. A port that is missing or in
    // use is no error: the scanner then simply reads nothing. Otherwise a port that fails is
    // released and the message to show is returned; empty when there is none.
    QString open(const QString& port, const QString& speed);
    bool isOpen() const;
    void release();

    // One tick of the poll timer: takes what has arrived without waiting for more, and returns
    // the lines completed since the last tick, each without its line end, in the order they
    // came. A port that vanished is released silently.
    QStringList tick();

    // The part of a line received so far, and how many more silent ticks it survives.
    QByteArray pendingLine() const { return m_line; }
    int idleTicks() const { return m_idleTicks; }

    // The ports the settings offer: COM1 … COM4 and the serial devices present, such as USB
    // scanners.
    static QStringList offeredPorts();

private:
    static QString failure(const char* what);
    QString setUp(int speed);
    QByteArray takeArrived();
    static QString withoutLineEnd(const QByteArray& line);

    std::unique_ptr<QSerialPort> m_port;
    QByteArray m_line;
    int m_idleTicks = 5;
};
