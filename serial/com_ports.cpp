// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/com_ports.h"

#include "serial/logging.h"
#include "serial/port_messages.h"

#include <utility>

namespace tavo {

namespace {

std::size_t indexOf(PortEvent event) {
    return static_cast<std::size_t>(event);
}

} // namespace

ComPorts::ComPorts(QStringList devices, DeviceFactory factory, Audience audience, QObject* parent)
    : QObject(parent), devices_(std::move(devices)), factory_(std::move(factory)), audience_(audience) {
    connect(&reconnect_, &ReconnectPolicy::tryAgain, this, &ComPorts::tryAgain);
}

ComPorts::~ComPorts() {
    dropDevice();
}

QString ComPorts::device() const {
    if (portNumber_ < 1 || portNumber_ > devices_.size()) {
        return {};
    }
    return devices_.at(portNumber_ - 1);
}

void ComPorts::setDevices(QStringList devices) {
    devices_ = std::move(devices);
}

PortError ComPorts::setPortNumber(int number) {
    if (state_ != State::Closed) {
        return ComPorts::tr("%1 is open: close it before choosing another port.")
            .arg(portLabel(portNumber_, device()))
            .toStdString();
    }
    if (number < 1 || number > 2) {
        return ComPorts::tr("There is no port %1: the ports are COM1 and COM2.").arg(number).toStdString();
    }
    portNumber_ = number;
    return std::nullopt;
}

PortError ComPorts::setLineSettings(const LineSettings& settings) {
    settings_ = settings;
    if (device_ && state_ != State::Closed) {
        if (DeviceError error = device_->setLineSettings(settings)) {
            return error->toStdString();
        }
    }
    return std::nullopt;
}

PortResult<bool> ComPorts::isOpen() {
    return {.value = state_ != State::Closed, .error = std::nullopt};
}

PortResult<Opening> ComPorts::open() {
    if (state_ == State::Open || state_ == State::Opening) {
        return {.value = Opening::Done,
                .error = ComPorts::tr("%1 is already open.").arg(portLabel(portNumber_, device())).toStdString()};
    }
    dropDevice();
    reconnect_.stop();
    state_ = State::Closed;
    const QString name = device();
    if (name.isEmpty()) {
        const OpenFailure failure{.kind = OpenFailureKind::NoSuchDevice,
                                  .portNumber = portNumber_,
                                  .device = {},
                                  .existingPorts = {},
                                  .detail = {}};
        return {.value = Opening::Done, .error = describeOpenFailure(failure, audience_).toStdString()};
    }
    device_ = factory_(portNumber_, name, audience_);
    attach(*device_);
    const DeviceOpening opening = device_->open(settings_);
    if (opening.error) {
        dropDevice();
        return {.value = Opening::Done, .error = opening.error->toStdString()};
    }
    if (opening.inProgress) {
        state_ = State::Opening;
        return {.value = Opening::InProgress, .error = std::nullopt};
    }
    state_ = State::Open;
    reconnect_.back();
    return {.value = Opening::Done, .error = std::nullopt};
}

PortError ComPorts::close() {
    dropDevice();
    reconnect_.stop();
    state_ = State::Closed;
    return std::nullopt;
}

PortError ComPorts::write(std::string_view text) {
    switch (state_) {
    case State::Closed:
        return describeNotOpen(portNumber_, device(), audience_).toStdString();
    case State::Opening:
        return describeStillOpening(portNumber_, device(), audience_).toStdString();
    case State::Lost:
        return texts_.at(indexOf(PortEvent::DeviceLost));
    case State::Open:
        break;
    }
    if (DeviceError error = device_->write(QByteArray(text.data(), static_cast<qsizetype>(text.size())))) {
        return error->toStdString();
    }
    return std::nullopt;
}

PortResult<std::string> ComPorts::readAll() {
    if (state_ != State::Open) {
        return {.value = {}, .error = std::nullopt};
    }
    const QByteArray bytes = device_->readAll();
    return {.value = std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), .error = std::nullopt};
}

void ComPorts::setEventHandler(EventHandler handler) {
    handler_ = std::move(handler);
}

std::string ComPorts::describe(PortEvent event) {
    return texts_.at(indexOf(event));
}

std::string ComPorts::describeOpening() {
    return device_ ? device_->describeOpening().toStdString() : std::string();
}

void ComPorts::attach(Device& device) {
    // Taken at a later turn, so that no handler runs inside an operation; what a device since
    // dropped said is stale.
    const auto later = [this, epoch = epoch_](auto slot) {
        return [this, epoch, slot](auto&&... args) {
            if (epoch == epoch_) {
                slot(args...);
            }
        };
    };
    constexpr auto kLater = Qt::QueuedConnection;
    connect(&device, &Device::received, this, later([this] { onReceived(); }), kLater);
    connect(&device, &Device::opened, this, later([this] { onOpened(); }), kLater);
    connect(&device, &Device::openFailed, this, later([this](const QString& text) { onOpenFailed(text); }), kLater);
    connect(&device, &Device::lost, this, later([this](const QString& text) { onLost(text, false); }), kLater);
    connect(&device, &Device::takenOver, this, later([this](const QString& text) { onLost(text, true); }), kLater);
    connect(&device, &Device::lineError, this, later([this] { onLineError(); }), kLater);
    connect(&device, &Device::settingsRefused, this, later([this](const QString& text) { onSettingsRefused(text); }),
            kLater);
    connect(&device, &Device::notice, this, later([this](const QString& text) { onNotice(text); }), kLater);
}

void ComPorts::dropDevice() {
    ++epoch_;
    if (device_) {
        // Never inside one of the device's own signals, as they all arrive queued.
        device_->close();
        device_.reset();
    }
}

void ComPorts::raise(PortEvent event, const QString& text) {
    if (!text.isEmpty()) {
        texts_.at(indexOf(event)) = text.toStdString();
    }
    if (handler_) {
        handler_(event);
    }
}

void ComPorts::onReceived() {
    if (state_ == State::Open && device_->hasReceived()) {
        raise(PortEvent::Received);
    }
}

void ComPorts::onLineError() {
    if (state_ == State::Open) {
        raise(PortEvent::LineError);
    }
}

void ComPorts::onSettingsRefused(const QString& text) {
    if (state_ == State::Open) {
        raise(PortEvent::SettingsRefused, text);
    }
}

void ComPorts::onNotice(const QString& text) {
    if (state_ != State::Closed) {
        raise(PortEvent::Notice, text);
    }
}

void ComPorts::onOpened() {
    if (state_ == State::Opening) {
        qCInfo(lcSerial) << "COM" << portNumber_ << "open on" << device();
        state_ = State::Open;
        reconnect_.back();
        raise(PortEvent::Opened);
    } else if (state_ == State::Lost) {
        qCInfo(lcSerial) << "COM" << portNumber_ << "is back on" << device_->name();
        state_ = State::Open;
        reconnect_.back();
        // A device found again under its stable name keeps that name.
        if (portNumber_ >= 1 && portNumber_ <= devices_.size()) {
            devices_[portNumber_ - 1] = device_->name();
        }
        raise(PortEvent::DeviceBack, describeReconnected(portNumber_, device()));
    }
}

void ComPorts::onOpenFailed(const QString& text) {
    if (state_ == State::Opening) {
        qCInfo(lcSerial).noquote() << "open failed:" << text;
        dropDevice();
        state_ = State::Closed;
        raise(PortEvent::OpenFailed, text);
    } else if (state_ == State::Lost) {
        qCDebug(lcSerial).noquote() << "still away:" << text;
        reconnect_.tryFailed();
    }
}

void ComPorts::onLost(const QString& text, bool takenOver) {
    if (state_ != State::Open) {
        return;
    }
    qCInfo(lcSerial).noquote() << (takenOver ? "taken over:" : "lost:") << text;
    state_ = State::Lost;
    reconnect_.lost(takenOver);
    raise(PortEvent::DeviceLost, text);
}

void ComPorts::tryAgain() {
    if (state_ != State::Lost || !device_) {
        return;
    }
    qCDebug(lcSerial) << "trying" << device_->name() << "again";
    const DeviceOpening opening = device_->open(settings_);
    if (opening.error) {
        qCDebug(lcSerial).noquote() << "still away:" << *opening.error;
        reconnect_.tryFailed();
    } else if (!opening.inProgress) {
        onOpened();
    }
}

} // namespace tavo
