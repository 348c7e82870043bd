// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's serial port for the programs: port numbers 1 and 2 stand for two device names, and
// opening makes the device for the current name through the factory given, which alone knows the
// kinds of device. The port forwards to that device, turns what it reports into port events and
// runs the one reconnect policy: a device lost while open is tried again, ever less often, and
// reopened at the settings last applied when it is back. Events reach the handler at a later turn
// of the event loop, never from inside an operation. Everything runs on the thread that owns the
// object, which must run an event loop. The texts it and its devices give are written for the
// program that made it.

#include "core/ports/serial_port.h"
#include "serial/device.h"
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
    using DeviceFactory =
        std::function<std::unique_ptr<Device>(int portNumber, const QString& name, Audience audience)>;

    // devices[0] is the device of port number 1, devices[1] that of port number 2.
    ComPorts(QStringList devices, DeviceFactory factory, Audience audience, QObject* parent = nullptr);
    ~ComPorts() override;
    ComPorts(const ComPorts&) = delete;
    ComPorts& operator=(const ComPorts&) = delete;

    PortError setPortNumber(int number) override;
    PortError setLineSettings(const LineSettings& settings) override;
    [[nodiscard]] PortResult<bool> isOpen() override;
    [[nodiscard]] PortResult<Opening> open() override;
    PortError close() override;
    PortError write(std::string_view text) override;
    [[nodiscard]] PortResult<std::string> readAll() override;
    void setEventHandler(EventHandler handler) override;
    [[nodiscard]] std::string describe(PortEvent event) override;
    [[nodiscard]] std::string describeOpening() override;

    // The devices of port numbers 1 and 2; a change applies from the next opening on.
    [[nodiscard]] QStringList devices() const { return devices_; }
    void setDevices(QStringList devices);

    [[nodiscard]] int portNumber() const { return portNumber_; }
    [[nodiscard]] QString device() const;
    // Whether the device itself is open: false while an open is in progress or after a loss.
    [[nodiscard]] bool deviceOpen() const { return state_ == State::Open; }

private:
    enum class State { Closed, Opening, Open, Lost };

    void attach(Device& device);
    void dropDevice();
    void raise(PortEvent event, const QString& text = {});
    void onReceived();
    void onLineError();
    void onSettingsRefused(const QString& text);
    void onNotice(const QString& text);
    void onOpened();
    void onOpenFailed(const QString& text);
    void onLost(const QString& text, bool takenOver);
    void tryAgain();

    QStringList devices_;
    DeviceFactory factory_;
    Audience audience_;
    std::unique_ptr<Device> device_;
    ReconnectPolicy reconnect_;
    int portNumber_ = 1;
    LineSettings settings_;
    State state_ = State::Closed;
    EventHandler handler_;
    // Counts the devices made and the closes, so that an event of a device since closed is dropped.
    quint64 epoch_ = 0;
    // The text of the last event of each kind.
    std::array<std::string, kPortEventCount> texts_{};
};

} // namespace tavo
