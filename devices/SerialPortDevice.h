#pragma once
// The serial port behind a "COMn:" file number: a host serial device
// (QSerialPort) opened with the shared settings. What arrives is appended
// to the entry's inputBuffer as it comes (in the event pass, or while a
// reader waits in waitForInput). A port that did not open, or that
// vanishes (an adapter pulled out, closed and released at once), carries
// nothing: text sent to it is dropped with a beep, and a reader waiting on
// it gets error 21.

#include "devices/FileDevice.h"
#include "devices/SerialSettings.h"

#include <functional>
#include <memory>

class QSerialPort;

namespace korvelin {

// What the port tells the file table.
struct SerialPortHooks {
    // Bytes were appended to the receive buffer.
    std::function<void()> dataArrived;
    // Text for a port that carries nothing was dropped.
    std::function<void()> beep;
};

class SerialPortDevice : public FileDevice {
  public:
    // Opens `devicePath`. A port that does not exist, is busy or refuses
    // the settings fails (error 21); one that fails to open for another
    // reason (no access, an I/O error of the device) is made all the same
    // and says so through opened().
    SerialPortDevice(const QString& devicePath, const SerialPortSettings& settings, std::string& received,
                     SerialPortHooks hooks);
    ~SerialPortDevice() override;
    SerialPortDevice(const SerialPortDevice&) = delete;
    SerialPortDevice& operator=(const SerialPortDevice&) = delete;

    void write(std::string_view bytes) override;
    void flush() override;
    void close() override;
    std::int64_t bytesWaiting() override;
    bool waitForInput(int milliseconds) override;
    bool isLost() const override { return lost_; }
    bool opened() const { return opened_; }

  private:
    void takeArrived();

    std::unique_ptr<QSerialPort> port_;
    std::string& received_;
    SerialPortHooks hooks_;
    bool opened_ = false;
    bool lost_ = false;
};

} // namespace korvelin
