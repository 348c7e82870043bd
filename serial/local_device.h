// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A serial device of this computer (a built-in port, a USB adapter, a pseudo-terminal) through Qt
// SerialPort. Opening completes at once. Writes are queued, never waited for: bytes the device
// does not take, at once (its buffer is full) or within kWriteTimeoutMs, are dropped and reported
// as not sent, and the device stays open. A hang-up is a loss; opening again after a loss finds
// an adapter that came back under another number by its stable name. The device is held with the
// lock serial terminals use (device_lock.h) as long as it is open.

#include "serial/device.h"
#include "serial/device_lock.h"

#include <QSerialPort>
#include <QTimer>

namespace tavo {

// Like the projector's own port: what arrives and is not yet read, and what one write may carry.
inline constexpr qint64 kReceiveBufferSize = 1024;
inline constexpr std::size_t kSendBufferSize = 512;
// Long enough for 512 characters at 9600 baud to reach the line.
inline constexpr int kWriteTimeoutMs = 1000;

class LocalDevice final : public Device {
    Q_OBJECT

public:
    explicit LocalDevice(QString name, QObject* parent = nullptr);
    ~LocalDevice() override;

    [[nodiscard]] DeviceOpening open(const LineSettings& settings) override;
    void close() override;
    [[nodiscard]] DeviceError write(const QByteArray& bytes) override;
    [[nodiscard]] QByteArray readAll() override;
    [[nodiscard]] bool hasReceived() const override { return serial_.bytesAvailable() > 0; }
    [[nodiscard]] DeviceError setLineSettings(const LineSettings& settings) override;
    [[nodiscard]] QString describeOpening(const QString& port) const override;

private:
    void onErrorOccurred(QSerialPort::SerialPortError error);
    void onDeviceLost();
    void onWriteTimeout();
    void onNotTaken();
    [[nodiscard]] bool gone() const;
    [[nodiscard]] DeviceError openDevice();
    [[nodiscard]] DeviceError applySettings();
    void closeDevice();
    void rememberDevice();
    [[nodiscard]] bool mayReopen() const;

    QSerialPort serial_;
    DeviceLock lock_;
    LineSettings settings_;
    QTimer writeTimer_;
    bool lossQueued_ = false;
    // The device refused bytes for want of room; told by the write or, if none runs, as a notice.
    bool notTaken_ = false;
    bool lost_ = false;
    // How the open device is known again after a loss: its stable name, and when the link to it
    // was made (see mayReopen).
    QString stableName_;
    qint64 linkStamp_ = 0;
};

} // namespace tavo
