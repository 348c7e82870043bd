// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's serial port on the host's serial devices (built-in ports, USB adapters, pseudo-
// terminals), through Qt SerialPort, and on serial device servers on the network (a device name
// such as rfc2217://HOST:PORT or tcp://HOST:PORT, see NetworkLink). Port numbers 1 and 2 stand for
// the devices given at construction or set later. A device lost while open is tried again once a
// second, which costs nothing while it is present, and reopened at the same settings when it is
// back; a network device reconnects by itself. Everything runs on the thread that owns the object,
// which must run an event loop.

#include "core/ports/serial_port.h"
#include "serial/network_link.h"
#include "serial/port_messages.h"

#include <QObject>
#include <QSerialPort>
#include <QStringList>
#include <memory>
#include <QTimer>

namespace tavo {

// Port event codes besides kPortEventReceive. The logic ignores line errors.
inline constexpr int kPortEventLineError = 1000;
inline constexpr int kPortEventDisconnected = kPortEventDeviceLost;
inline constexpr int kPortEventReconnected = kPortEventDeviceBack;

inline constexpr qint64 kReceiveBufferSize = 1024;
inline constexpr std::size_t kSendBufferSize = 512;

// The kind of a failed opening, from Qt's error and the error number the system gives a plain
// opening of the device (0 when that opens a terminal, ENOTTY when it opens something else).
[[nodiscard]] OpenFailureKind classifyOpenFailure(QSerialPort::SerialPortError error, int systemError);

class HostSerialPort final : public QObject, public SerialPort {
    Q_OBJECT

public:
    // devices[0] is the device of port number 1, devices[1] that of port number 2.
    explicit HostSerialPort(QStringList devices, QObject* parent = nullptr);
    ~HostSerialPort() override;

    // The system's usual first two serial ports.
    [[nodiscard]] static QStringList defaultDevices();

    PortError setPortNumber(int number) override;
    PortError setLineSettings(const LineSettings& settings) override;
    [[nodiscard]] PortResult<bool> isOpen() override;
    PortError open() override;
    PortError close() override;
    PortError write(std::string_view text) override;
    [[nodiscard]] PortResult<std::string> readAll() override;
    void setEventHandler(EventHandler handler) override;
    [[nodiscard]] std::string describeEvent(int eventCode) override;

    // The devices of port numbers 1 and 2; a change applies from the next opening on.
    [[nodiscard]] QStringList devices() const { return devices_; }
    void setDevices(QStringList devices);

    [[nodiscard]] int portNumber() const { return portNumber_; }
    [[nodiscard]] QString device() const;
    // Whether the device itself is open; false after it was lost while the port stayed open.
    [[nodiscard]] bool deviceOpen() const { return link_ ? link_->isConnected() : serial_.isOpen(); }

signals:
    // Something the user should know that is no failure, for the status line.
    void notice(const QString& text);

private:
    void onReadyRead();
    void onErrorOccurred(QSerialPort::SerialPortError error);
    void onDeviceLost();
    void tryReconnect();
    void rememberDevice();
    [[nodiscard]] bool mayReconnect() const;
    [[nodiscard]] PortError openDevice();
    // Why the device at the path given could not be opened.
    [[nodiscard]] OpenFailure examineOpenFailure(const QString& opening) const;
    [[nodiscard]] PortError applySettings();
    void notify(int eventCode);

    // The device on the network, in host_serial_port_network.cpp.
    [[nodiscard]] PortError openNetworkDevice(const QString& path);
    [[nodiscard]] PortError writeNetwork(std::string_view text);
    [[nodiscard]] PortError applyNetworkSettings();
    // Closes the connection at once; the link itself goes at the next turn of the event loop, as
    // this may run inside one of its signals.
    void dropLink();

    QStringList devices_;
    QSerialPort serial_;
    int portNumber_ = 1;
    LineSettings settings_;
    EventHandler handler_;
    // Set while the open device is on the network.
    std::unique_ptr<NetworkLink> link_;
    // Open as the logic sees it. It stays set when the device goes away, so that closing and
    // opening the port again (choosing the port again) reopens the device once it is back.
    bool open_ = false;
    bool lossQueued_ = false;
    bool lost_ = false;
    QTimer reconnect_;
    // How the open device is known again after a loss: its stable name, and when the link to it
    // was made (see mayReconnect).
    QString stableName_;
    qint64 linkStamp_ = 0;
};

} // namespace tavo
