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

ComPorts::ComPorts(QStringList devices, DeviceFactory factory, const PortAdvisor& advisor, PortNaming naming,
                   QObject* parent)
    : QObject(parent), devices_(std::move(devices)), factory_(std::move(factory)), advisor_(advisor), naming_(naming) {
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

QString ComPorts::label() const {
    // The device open names the port, whatever the port's entry became meanwhile.
    const QString name = device_ ? device_->name() : device();
    const bool simulated = !name.isEmpty() && name == simulatedDevice_;
    return portLabel(portNumber_, simulated ? simulatedProjectorName() : name, naming_);
}

QString ComPorts::text(const PortProblem& problem) const {
    return describeProblem(problem, label(), portNumber_, advisor_);
}

PortError ComPorts::setPortNumber(int number) {
    if (state_ != State::Closed) {
        return ComPorts::tr("%1 is open: close it before choosing another port.").arg(label()).toStdString();
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
            return textOf(*error);
        }
    }
    return std::nullopt;
}

PortResult<bool> ComPorts::isOpen() {
    return {.value = state_ != State::Closed, .error = std::nullopt};
}

PortResult<Opening> ComPorts::open() {
    if (state_ == State::Open || state_ == State::Opening || state_ == State::Retrying) {
        return {.value = Opening::Done, .error = ComPorts::tr("%1 is already open.").arg(label()).toStdString()};
    }
    dropDevice();
    reconnect_.stop();
    state_ = State::Closed;
    const QString name = device();
    if (name.isEmpty()) {
        // No try would mend it.
        const OpenFailure failure{
            .kind = OpenFailureKind::NoSuchDevice, .device = {}, .existingPorts = {}, .detail = {}};
        return {.value = Opening::Done, .error = textOf(failure)};
    }
    device_ = factory_(name);
    attach(*device_);
    const DeviceOpening opening = device_->open(settings_);
    if (opening.error) {
        const QString failure = text(*opening.error);
        if (keepOpening_) {
            keepTrying(failure);
        } else {
            dropDevice();
        }
        return {.value = Opening::Done, .error = failure.toStdString()};
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
    toldFailure_.clear();
    return std::nullopt;
}

PortError ComPorts::write(std::string_view text) {
    switch (state_) {
    case State::Closed:
        return textOf(NotOpen{});
    case State::Opening:
        return textOf(StillOpening{});
    case State::Lost:
        return texts_.at(indexOf(PortEvent::DeviceLost));
    case State::Retrying:
        return toldFailure_.toStdString();
    case State::Open:
        break;
    }
    if (DeviceError error = device_->write(QByteArray(text.data(), static_cast<qsizetype>(text.size())))) {
        return textOf(*error);
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
    return device_ ? device_->describeOpening(label()).toStdString() : std::string();
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
    connect(&device, &Device::openFailed, this, later([this](const PortProblem& p) { onOpenFailed(p); }), kLater);
    connect(&device, &Device::lost, this, later([this](const PortProblem& p) { onLost(p, false); }), kLater);
    connect(&device, &Device::takenOver, this, later([this](const PortProblem& p) { onLost(p, true); }), kLater);
    connect(&device, &Device::lineError, this, later([this] { onLineError(); }), kLater);
    connect(&device, &Device::settingsRefused, this, later([this](const PortProblem& p) { onSettingsRefused(p); }),
            kLater);
    connect(&device, &Device::notice, this, later([this](const PortProblem& p) { onNotice(p); }), kLater);
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

void ComPorts::onSettingsRefused(const PortProblem& problem) {
    if (state_ == State::Open) {
        raise(PortEvent::SettingsRefused, text(problem));
    }
}

void ComPorts::onNotice(const PortProblem& problem) {
    if (state_ != State::Closed) {
        raise(PortEvent::Notice, text(problem));
    }
}

void ComPorts::onOpened() {
    if (state_ == State::Opening || state_ == State::Retrying) {
        qCInfo(lcSerial) << "COM" << portNumber_ << "open on" << device();
        state_ = State::Open;
        toldFailure_.clear();
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
        raise(PortEvent::DeviceBack, describeReconnected(label()));
    }
}

void ComPorts::onOpenFailed(const PortProblem& problem) {
    const QString failure = text(problem);
    if (state_ == State::Opening) {
        qCInfo(lcSerial).noquote() << "open failed:" << failure;
        if (keepOpening_) {
            keepTrying(failure);
        } else {
            dropDevice();
            state_ = State::Closed;
        }
        raise(PortEvent::OpenFailed, failure);
    } else if (state_ == State::Retrying) {
        qCDebug(lcSerial).noquote() << "still cannot open:" << failure;
        reconnect_.tryFailed();
        // A device that stays away is told once; a new reason is told again.
        if (failure != toldFailure_) {
            toldFailure_ = failure;
            raise(PortEvent::OpenFailed, failure);
        }
    } else if (state_ == State::Lost) {
        qCDebug(lcSerial).noquote() << "still away:" << failure;
        reconnect_.tryFailed();
    }
}

void ComPorts::keepTrying(const QString& failure) {
    state_ = State::Retrying;
    toldFailure_ = failure;
    // The first try follows after the policy's first delay, and each further one later.
    reconnect_.lost(false);
}

void ComPorts::onLost(const PortProblem& problem, bool takenOver) {
    if (state_ != State::Open) {
        return;
    }
    const QString loss = text(problem);
    qCInfo(lcSerial).noquote() << (takenOver ? "taken over:" : "lost:") << loss;
    state_ = State::Lost;
    reconnect_.lost(takenOver);
    raise(PortEvent::DeviceLost, loss);
}

void ComPorts::tryAgain() {
    if ((state_ != State::Lost && state_ != State::Retrying) || !device_) {
        return;
    }
    qCDebug(lcSerial) << "trying" << device_->name() << "again";
    const DeviceOpening opening = device_->open(settings_);
    if (opening.error) {
        onOpenFailed(*opening.error);
    } else if (!opening.inProgress) {
        onOpened();
    }
}

} // namespace tavo
