#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal: its device opens like a serial port, and what the test writes to the
// other side arrives there as a scanner's bytes would.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isOpen() const { return m_master >= 0; }
    // The device path, such as "/dev/pts/3".
    const QString& device() const { return m_device; }
    void send(const QByteArray& bytes);
    // The device goes away, as a scanner pulled out.
    void hangUp();

private:
    int m_master = -1;
    QString m_device;
};
