#include "PseudoTerminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        hangUp();
        return;
    }
    m_device = QString::fromLocal8Bit(ptsname(m_master));
}

PseudoTerminal::~PseudoTerminal()
{
    hangUp();
}

void PseudoTerminal::send(const QByteArray& bytes)
{
    qsizetype written = 0;
    while (m_master >= 0 && written < bytes.size()) {
        const ssize_t n =
            ::write(m_master, bytes.constData() + written, size_t(bytes.size() - written));
        if (n <= 0)
            return;
        written += n;
    }
    // The terminal's line discipline passes the bytes on at once; the reader's select sees them.
    ::tcdrain(m_master);
}

void PseudoTerminal::hangUp()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}
