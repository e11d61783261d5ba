#pragma once
// The serial port behind a "COMn:" file number: a host serial device
// (QSerialPort) opened with the shared settings. What arrives is appended
// to the entry's inputBuffer as it comes (in the event pass, or while a
// reader waits in waitForInput); a port that vanishes (an adapter pulled
// out) is closed and released at once, and sending to it drops the text.

#include "devices/FileDevice.h"
#include "devices/SerialSettings.h"

#include <functional>
#include <memory>

class QSerialPort;

namespace korvelin {

class SerialPortDevice : public FileDevice {
  public:
    // Opens `devicePath`; a port that does not exist, is busy or refuses
    // the settings fails (error 21).
    SerialPortDevice(const QString& devicePath, const SerialPortSettings& settings, std::string& received,
                     std::function<void()> dataArrived);
    ~SerialPortDevice() override;
    SerialPortDevice(const SerialPortDevice&) = delete;
    SerialPortDevice& operator=(const SerialPortDevice&) = delete;

    void write(std::string_view bytes) override;
    void flush() override;
    void close() override;
    std::int64_t bytesWaiting() override;
    bool waitForInput(int milliseconds) override;
    bool isLost() const override { return lost_; }

  private:
    void takeArrived();

    std::unique_ptr<QSerialPort> port_;
    std::string& received_;
    std::function<void()> dataArrived_;
    bool lost_ = false;
};

} // namespace korvelin
