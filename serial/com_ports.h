// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's serial port for the programs: port numbers 1 and 2 stand for two device names, and
// opening makes the device for the current name through the factory given, which alone knows the
// kinds of device. The port forwards to that device, turns what it reports into port events and
// runs the one reconnect policy: a device lost while open is tried again, ever less often, and
// reopened at the settings last applied when it is back; a program that asks for it (the bridge)
// has a device that cannot be opened yet tried again the same way. Events reach the handler at a
// later turn of the event loop, never from inside an operation. Everything runs on the thread that
// owns the object, which must run an event loop.
//
// The texts name the port as the program says (port_label.h) and end with the advice of the
// program's advisor (port_advisor.h), which must outlive the port.

#include "core/ports/serial_port.h"
#include "serial/device.h"
#include "serial/port_advisor.h"
#include "serial/port_label.h"
#include "serial/reconnect_policy.h"

#include <QObject>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

namespace tavo {

class ComPorts final : public QObject, public SerialPort {
    Q_OBJECT

public:
    using DeviceFactory = std::function<std::unique_ptr<Device>(const QString& name)>;

    // devices[0] is the device of port number 1, devices[1] that of port number 2.
    ComPorts(QStringList devices, DeviceFactory factory, const PortAdvisor& advisor,
             PortNaming naming = PortNaming::ComNumber, QObject* parent = nullptr);
    ~ComPorts() override;
    ComPorts(const ComPorts&) = delete;
    ComPorts& operator=(const ComPorts&) = delete;

    PortError setPortNumber(int number) override;
    PortError setLineSettings(const LineSettings& settings) override;
    [[nodiscard]] PortResult<bool> isOpen() override;
    // With keepOpening, a failure (the error here or OpenFailed) leaves the port trying again.
    [[nodiscard]] PortResult<Opening> open() override;
    PortError close() override;
    PortError write(std::string_view text) override;
    [[nodiscard]] PortResult<std::string> readAll() override;
    void setEventHandler(EventHandler handler) override;
    [[nodiscard]] std::string describe(PortEvent event) override;
    [[nodiscard]] std::string describeOpening() override;
    [[nodiscard]] std::string describePort() override { return label().toStdString(); }

    // From the next open on, a device that cannot be opened is tried again with the reconnect
    // policy until it opens or the port is closed. Its failure is told once, as the open's error or
    // OpenFailed (and again only when the text changes), and its success as Opened.
    void setKeepOpening(bool keep) { keepOpening_ = keep; }

    // The devices of port numbers 1 and 2; a change applies from the next opening on.
    [[nodiscard]] QStringList devices() const { return devices_; }
    void setDevices(QStringList devices);
    // The device the built-in simulated projector is served on, which the texts call by that
    // name; empty for none.
    void setSimulatedDevice(const QString& device) { simulatedDevice_ = device; }

    [[nodiscard]] int portNumber() const { return portNumber_; }
    [[nodiscard]] QString device() const;
    // The port as the texts name it: "COM1 (/dev/ttyS0)", the device as given, or
    // "COM1 (simulated projector)".
    [[nodiscard]] QString label() const;
    // Whether the device itself is open: false while an open is in progress or after a loss.
    [[nodiscard]] bool deviceOpen() const { return state_ == State::Open; }

private:
    // Retrying: with keepOpening, the device could not be opened and is tried again.
    enum class State { Closed, Opening, Open, Lost, Retrying };

    void attach(Device& device);
    void dropDevice();
    [[nodiscard]] QString text(const PortProblem& problem) const;
    [[nodiscard]] std::string textOf(const PortProblem& problem) const { return text(problem).toStdString(); }
    void raise(PortEvent event, const QString& text = {});
    void onReceived();
    void onLineError();
    void onSettingsRefused(const PortProblem& problem);
    void onNotice(const PortProblem& problem);
    void onOpened();
    void onOpenFailed(const PortProblem& problem);
    void keepTrying(const QString& failure);
    void onLost(const PortProblem& problem, bool takenOver);
    void tryAgain();

    QStringList devices_;
    DeviceFactory factory_;
    const PortAdvisor& advisor_;
    PortNaming naming_;
    QString simulatedDevice_;
    std::unique_ptr<Device> device_;
    ReconnectPolicy reconnect_;
    int portNumber_ = 1;
    LineSettings settings_;
    State state_ = State::Closed;
    bool keepOpening_ = false;
    // The failure last told while the port keeps opening.
    QString toldFailure_;
    EventHandler handler_;
    // Counts the devices made and the closes, so that an event of a device since closed is dropped.
    quint64 epoch_ = 0;
    // The text of the last event of each kind.
    std::array<std::string, kPortEventCount> texts_{};
};

} // namespace tavo
