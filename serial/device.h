// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One device behind a COM port: a local serial device or a serial device server on the network.
// ComPorts opens the device of the port chosen, forwards to it and runs the reconnect policy; the
// device only opens, carries bytes and reports what happens to it. An open may complete at once
// or later (opened or openFailed). A signal may be emitted inside one of the device's operations
// (a write that finds the peer stuck), so ComPorts takes every signal at a later turn of the event
// loop. Each carries the user's text where there is one to tell, written for the program that shows
// it. Opening a device again after it was lost tries to reach the same device.

#include "core/ports/serial_port.h"
#include "serial/port_messages.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

namespace tavo {

// Empty on success, else the user's text.
using DeviceError = std::optional<QString>;

struct DeviceOpening {
    DeviceError error;
    // No failure yet: opened or openFailed follows.
    bool inProgress = false;
};

class Device : public QObject {
    Q_OBJECT

public:
    // The device named `name` for COM`portNumber`; the two make the texts, for `audience`.
    Device(int portNumber, QString name, Audience audience, QObject* parent = nullptr)
        : QObject(parent), portNumber_(portNumber), name_(std::move(name)), audience_(audience) {}
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
    // What an open in progress is doing.
    [[nodiscard]] virtual QString describeOpening() const = 0;

    [[nodiscard]] int portNumber() const { return portNumber_; }
    // The device's name; a local device found again under its stable name after a loss takes it.
    [[nodiscard]] const QString& name() const { return name_; }
    [[nodiscard]] Audience audience() const { return audience_; }

signals:
    void received();
    void lineError();
    void opened();
    void openFailed(const QString& text);
    void lost(const QString& text);
    // Lost to another client of the same device server: the far end closed the line or said it is
    // in use, so trying again soon would only take it back and forth.
    void takenOver(const QString& text);
    void settingsRefused(const QString& text);
    void notice(const QString& text);

protected:
    void rename(QString name) { name_ = std::move(name); }

private:
    int portNumber_;
    QString name_;
    Audience audience_;
};

} // namespace tavo
