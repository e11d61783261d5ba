#include "devices/SerialPortDevice.h"

#include <QFile>
#include <QSerialPort>

#include <unistd.h>

namespace korvelin {

namespace {

QSerialPort::Parity parityOf(int parity) {
    switch (parity) {
    case 1: return QSerialPort::EvenParity;
    case 2: return QSerialPort::OddParity;
    default: return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits stopBitsOf(int stopBits) {
    switch (stopBits) {
    case 1: return QSerialPort::OneAndHalfStop;
    case 2: return QSerialPort::TwoStop;
    default: return QSerialPort::OneStop;
    }
}

QSerialPort::FlowControl flowOf(int flow) {
    // The port offers one kind at a time; both asked for means the lines.
    if (flow & 2) return QSerialPort::HardwareControl;
    if (flow & 1) return QSerialPort::SoftwareControl;
    return QSerialPort::NoFlowControl;
}

constexpr int WriteWaitMs = 2000;

// The failures the port layer itself raises (error 21): no such device,
// a port another program (or file number) holds, settings the device
// refuses. The port layer reports "in use" and "no access" alike; a device
// the user may open and read is in use.
bool portLayerRefused(const QSerialPort& port, const QString& devicePath) {
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::UnsupportedOperationError: return true;
    case QSerialPort::PermissionError:
        return ::access(QFile::encodeName(devicePath).constData(), R_OK | W_OK) == 0;
    default: return false;
    }
}

} // namespace

SerialPortDevice::SerialPortDevice(const QString& devicePath, const SerialPortSettings& settings,
                                   std::string& received, SerialPortHooks hooks)
    : port_(std::make_unique<QSerialPort>()), received_(received), hooks_(std::move(hooks)) {
    port_->setPortName(devicePath);
    if (!port_->open(QIODevice::ReadWrite)) {
        if (portLayerRefused(*port_, devicePath)) failHost(HostFailureKind::Other);
        lost_ = true;
        return;
    }
    opened_ = true;
    // Some settings a pseudo-terminal does not take (1.5 stop bits); the
    // port stays usable with what it took.
    port_->setBaudRate(settings.bitsPerSecond());
    port_->setParity(parityOf(settings.parity));
    port_->setDataBits(settings.dataBits == 0 ? QSerialPort::Data7 : QSerialPort::Data8);
    port_->setStopBits(stopBitsOf(settings.stopBits));
    port_->setFlowControl(flowOf(settings.flowControl));
    QObject::connect(port_.get(), &QSerialPort::readyRead, port_.get(), [this] { takeArrived(); });
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                     [this](QSerialPort::SerialPortError e) {
                         if (e == QSerialPort::ResourceError || e == QSerialPort::DeviceNotFoundError) {
                             lost_ = true;
                             if (port_->isOpen()) port_->close();
                         }
                     });
}

SerialPortDevice::~SerialPortDevice() {
    if (port_ && port_->isOpen()) port_->close();
}

void SerialPortDevice::takeArrived() {
    const QByteArray bytes = port_->readAll();
    if (bytes.isEmpty()) return;
    received_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (hooks_.dataArrived) hooks_.dataArrived();
}

void SerialPortDevice::write(std::string_view bytes) {
    // Text for a port that is not open is dropped, with a beep.
    if (lost_ || !port_->isOpen()) {
        if (hooks_.beep && !bytes.empty()) hooks_.beep();
        return;
    }
    port_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Out now, whether or not an event loop runs (batch mode).
    port_->flush();
}

void SerialPortDevice::flush() {
    if (lost_ || !port_->isOpen()) return;
    while (port_->bytesToWrite() > 0 && port_->waitForBytesWritten(WriteWaitMs)) {
    }
}

void SerialPortDevice::close() {
    flush();
    if (port_->isOpen()) port_->close();
}

std::int64_t SerialPortDevice::bytesWaiting() {
    return lost_ || !port_->isOpen() ? 0 : port_->bytesAvailable();
}

bool SerialPortDevice::waitForInput(int milliseconds) {
    if (lost_ || !port_->isOpen()) return false;
    const std::size_t before = received_.size();
    if (port_->bytesAvailable() > 0)
        takeArrived();
    else if (port_->waitForReadyRead(milliseconds))
        takeArrived();
    return received_.size() > before;
}

} // namespace korvelin
