#include "BarcodeScanner.h"

#include "Platform.h"

#include <QSerialPort>
#include <QSerialPortInfo>

namespace {

constexpr int ticksAfterData = 3;
constexpr qint64 queueSize = 1024;

} // namespace

BarcodeScanner::BarcodeScanner() = default;

BarcodeScanner::~BarcodeScanner() = default;

bool BarcodeScanner::isOpen() const
{
    return m_port && m_port->isOpen();
}

void BarcodeScanner::release()
{
    m_port.reset();
}

QString BarcodeScanner::failure(const char* what)
{
    return QLatin1String(what) + QStringLiteral(". ErrorCode:  ") +
           QString::number(Platform::lastSystemError());
}

QString BarcodeScanner::open(const QString& port, const QString& speed)
{
    release();
    m_line.clear();
    auto serial = std::make_unique<QSerialPort>(Platform::serialDevice(port));
    if (!serial->open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = serial->error();
        if (error == QSerialPort::DeviceNotFoundError || error == QSerialPort::PermissionError)
            return {};
        return failure("Initialization COM error!");
    }
    m_port = std::move(serial);
    const QString problem = setUp(speed.trimmed().toInt());
    // A port that cannot be set up is let go; the program goes on without a scanner.
    if (!problem.isEmpty())
        release();
    return problem;
}

QString BarcodeScanner::setUp(int speed)
{
    QSerialPort& port = *m_port;
    if (speed <= 0 || !port.setBaudRate(speed) || !port.setDataBits(QSerialPort::Data8) ||
        !port.setParity(QSerialPort::NoParity) || !port.setStopBits(QSerialPort::OneStop))
        return failure("Setting COM driver failed");
    port.setReadBufferSize(queueSize);
    if (!port.clear(QSerialPort::Input))
        return failure("COM device couldn't be cleaned");
    return {};
}

QByteArray BarcodeScanner::takeArrived()
{
    if (!isOpen())
        return {};
    // What the system holds already is read now; nothing is waited for.
    m_port->waitForReadyRead(0);
    const QByteArray arrived = m_port->readAll();
    const QSerialPort::SerialPortError error = m_port->error();
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
        // The device is gone (a USB scanner pulled out) or reads no more: that is not reported,
        // and the port is let go until the settings open one again.
        release();
    } else {
        m_port->clearError();
    }
    return arrived;
}

QString BarcodeScanner::withoutLineEnd(const QByteArray& line)
{
    QByteArray text = line;
    if (text.endsWith('\n'))
        text.chop(1);
    if (text.endsWith('\r'))
        text.chop(1);
    return QString::fromLatin1(text);
}

QStringList BarcodeScanner::tick()
{
    if (m_idleTicks > 0)
        --m_idleTicks;
    else
        m_line.clear();
    QStringList lines;
    for (const char byte : takeArrived()) {
        m_line.append(byte);
        m_idleTicks = ticksAfterData;
        // Each line is a scan of its own, however many arrive between two ticks.
        if (byte == '\n') {
            lines << withoutLineEnd(m_line);
            m_line.clear();
        }
    }
    return lines;
}

QStringList BarcodeScanner::offeredPorts()
{
    QStringList ports{QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
                      QStringLiteral("COM4")};
    QStringList named;
    for (const QString& port : std::as_const(ports))
        named << Platform::serialDevice(port);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString setting = Platform::serialPortSetting(info.portName(), info.systemLocation());
        // A device that one of the COM names stands for already is offered once.
        if (!ports.contains(setting, Qt::CaseInsensitive) && !named.contains(setting))
            ports << setting;
    }
    return ports;
}
