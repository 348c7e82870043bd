// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One device behind a COM port: a local serial device or a serial device server on the network.
// ComPorts opens the device of the port chosen, forwards to it and runs the reconnect policy; the
// device only opens, carries bytes and reports what happens to it. An open may complete at once
// or later (opened or openFailed). A signal may be emitted inside one of the device's operations
// (a write that finds the peer stuck), so ComPorts takes every signal at a later turn of the event
// loop. A failure is reported as what happened (port_messages.h); ComPorts makes the user's text of
// it, naming the port as the program does and with the program's advice. Opening a device again
// after it was lost tries to reach the same device.

#include "core/ports/serial_port.h"
#include "serial/port_messages.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

namespace tavo {

// Empty on success, else what went wrong.
using DeviceError = std::optional<PortProblem>;

struct DeviceOpening {
    DeviceError error;
    // No failure yet: opened or openFailed follows.
    bool inProgress = false;
};

class Device : public QObject {
    Q_OBJECT

public:
    explicit Device(QString name, QObject* parent = nullptr) : QObject(parent), name_(std::move(name)) {}
    ~Device() override = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    [[nodiscard]] virtual DeviceOpening open(const LineSettings& settings) = 0;
    // Also ends an open in progress, which then reports nothing.
    virtual void close() = 0;
    [[nodiscard]] virtual DeviceError write(const QByteArray& bytes) = 0;
    [[nodiscard]] virtual QByteArray readAll() = 0;
    [[nodiscard]] virtual bool hasReceived() const = 0;
    // Applies the settings if open and keeps them for later openings. An error here is a refusal
    // known at once; a later one is signalled.
    [[nodiscard]] virtual DeviceError setLineSettings(const LineSettings& settings) = 0;
    // What an open in progress is doing, `port` naming the port as the program does.
    [[nodiscard]] virtual QString describeOpening(const QString& port) const = 0;

    // The device's name; a local device found again under its stable name after a loss takes it.
    [[nodiscard]] const QString& name() const { return name_; }

signals:
    void received();
    void lineError();
    void opened();
    void openFailed(const tavo::PortProblem& problem);
    void lost(const tavo::PortProblem& problem);
    // Lost to another client of the same device server: the far end closed the line or said it is
    // in use, so trying again soon would only take it back and forth.
    void takenOver(const tavo::PortProblem& problem);
    void settingsRefused(const tavo::PortProblem& problem);
    void notice(const tavo::PortProblem& problem);

protected:
    void rename(QString name) { name_ = std::move(name); }

private:
    QString name_;
};

} // namespace tavo
