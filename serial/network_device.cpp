// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/network_device.h"

#include "core/line_settings.h"
#include "serial/logging.h"

#include <QTcpSocket>
#include <algorithm>

namespace tavo {

namespace {

NetworkFailureKind failureKindOf(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return NetworkFailureKind::HostNotFound;
    case QAbstractSocket::ConnectionRefusedError:
        return NetworkFailureKind::Refused;
    case QAbstractSocket::SocketTimeoutError:
        return NetworkFailureKind::NoAnswer;
    case QAbstractSocket::RemoteHostClosedError:
        return NetworkFailureKind::ClosedByServer;
    default:
        return NetworkFailureKind::Other;
    }
}

} // namespace

NetworkDevice::NetworkDevice(QString name, QObject* parent)
    : Device(std::move(name), parent), socket_(new QTcpSocket(this)) {
    phaseTimer_.setSingleShot(true);
    speedTimer_.setSingleShot(true);
    askAgainTimer_.setSingleShot(true);
    connect(&askAgainTimer_, &QTimer::timeout, this, &NetworkDevice::connectToServer);
    connect(&phaseTimer_, &QTimer::timeout, this, &NetworkDevice::onPhaseTimeout);
    connect(&speedTimer_, &QTimer::timeout, this, &NetworkDevice::onSpeedTimeout);
    connect(socket_, &QTcpSocket::connected, this, &NetworkDevice::onConnected);
    connect(socket_, &QTcpSocket::readyRead, this, &NetworkDevice::onReadable);
    connect(socket_, &QTcpSocket::errorOccurred, this, &NetworkDevice::onSocketError);
    connect(socket_, &QTcpSocket::disconnected, this, &NetworkDevice::onSocketError);
    socket_->setReadBufferSize(kSocketReadBufferSize);
}

NetworkDevice::~NetworkDevice() {
    socket_->disconnect(this);
    socket_->abort();
}

QString NetworkDevice::describeOpening(const QString& /*port*/) const {
    QString reason;
    const std::optional<NetworkAddress> address = parseNetworkDevice(name(), &reason);
    return NetworkDevice::tr("Connecting to %1\u2026").arg(address ? hostAndPort(*address) : name());
}

DeviceOpening NetworkDevice::open(const LineSettings& settings) {
    QString reason;
    const std::optional<NetworkAddress> address = parseNetworkDevice(name(), &reason);
    if (!address) {
        return {.error = NetworkFailure{.kind = NetworkFailureKind::BadAddress, .detail = reason}, .inProgress = false};
    }
    close();
    address_ = *address;
    settings_ = settings;
    lastLoss_.reset();
    inUseAnswers_ = 0;
    connectToServer();
    return {.error = std::nullopt, .inProgress = true};
}

void NetworkDevice::connectToServer() {
    // A connection turned away a moment ago ends here, at a turn of its own.
    socket_->abort();
    state_ = State::Connecting;
    ++connection_;
    telnet_.reset();
    comPortAccepted_ = false;
    serverSpoke_ = false;
    received_.clear();
    inUseLine_ = InUseLine();
    qCInfo(lcNetwork) << "connecting to" << hostAndPort(address_);
    phaseTimer_.start(kNetworkOpenTimeoutMs);
    socket_->connectToHost(address_.host, address_.port);
}

void NetworkDevice::close() {
    state_ = State::Closed;
    phaseTimer_.stop();
    speedTimer_.stop();
    askAgainTimer_.stop();
    requestedBaud_ = 0;
    socket_->abort();
    received_.clear();
}

DeviceError NetworkDevice::write(const QByteArray& bytes) {
    if (state_ != State::Ready) {
        // Dropped a moment ago, before the port has heard of it: say why.
        if (lastLoss_) {
            return lastLoss_;
        }
        return NetworkLoss{.failure = {.kind = NetworkFailureKind::Lost, .detail = {}}};
    }
    if (telnet_) {
        telnet_->sendData(bytes);
    } else {
        sendToServer(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    // Hand the bytes to the system now rather than at the next turn of the event loop.
    socket_->flush();
    if (!unsentWithinBound()) {
        return lastLoss_;
    }
    return std::nullopt;
}

QByteArray NetworkDevice::readAll() {
    QByteArray bytes = std::exchange(received_, {});
    // What waited in the socket for room is read at the next turn.
    if (state_ == State::Ready && socket_->bytesAvailable() > 0) {
        QMetaObject::invokeMethod(this, &NetworkDevice::onReadable, Qt::QueuedConnection);
    }
    return bytes;
}

DeviceError NetworkDevice::setLineSettings(const LineSettings& settings) {
    settings_ = settings;
    if (state_ != State::Ready) {
        // Applied when the connection is made; a negotiation under way takes the new settings.
        if (state_ == State::Negotiating && comPortAccepted_) {
            sendLineSettings();
            socket_->flush();
        }
        return std::nullopt;
    }
    if (address_.protocol == NetworkProtocol::RawTcp) {
        emit notice(SpeedSetOnServer{});
        return std::nullopt;
    }
    qCDebug(lcNetwork) << "asking the server for" << QString::fromStdString(toText(settings));
    requestedBaud_ = settings.baud;
    sendLineSettings();
    socket_->flush();
    // A server that never answers is taken to have applied the speed.
    speedTimer_.start(kNetworkReplyTimeoutMs);
    return std::nullopt;
}

void NetworkDevice::onConnected() {
    if (state_ != State::Connecting) {
        return;
    }
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (address_.protocol == NetworkProtocol::RawTcp) {
        state_ = State::Negotiating;
        phaseTimer_.start(kRawGreetingMs);
        return;
    }
    qCDebug(lcNetwork) << "connected; offering binary mode and the COM-PORT-OPTION";
    state_ = State::Negotiating;
    telnet_ = std::make_unique<Rfc2217Session>(static_cast<Listener&>(*this));
    telnet_->offerOptions();
    socket_->flush();
}

void NetworkDevice::onReadable() {
    // Each pass reads what the socket buffer holds and no more, so that a flood is taken in
    // bounded portions between other events.
    qint64 budget = kSocketReadBufferSize;
    while (connected() && budget > 0 && socket_->bytesAvailable() > 0) {
        const qsizetype before = received_.size();
        const qsizetype room = kNetworkReceiveLimit - received_.size();
        if (state_ == State::Ready && room <= 0) {
            return; // the rest waits until the reader has taken what it has
        }
        const QByteArray bytes = socket_->read(state_ == State::Ready ? std::min<qint64>(room, budget) : budget);
        if (bytes.isEmpty()) {
            return;
        }
        budget -= bytes.size();
        serverSpoke_ = true;
        if (!telnet_) {
            dataFromServer(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        } else {
            const TelnetFraming::Verdict verdict =
                telnet_->receive(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            if (verdict == TelnetFraming::Verdict::EndlessNegotiation) {
                cutOff({.kind = NetworkFailureKind::CutOff,
                        .detail = NetworkDevice::tr("the device server sent endless telnet negotiation")});
                return;
            }
            if (verdict == TelnetFraming::Verdict::EndlessSubnegotiation) {
                cutOff({.kind = NetworkFailureKind::CutOff,
                        .detail = NetworkDevice::tr("the device server sent a telnet subnegotiation that never ends")});
                return;
            }
            // Answers leave as they arise, never queued behind or ahead of anything.
            socket_->flush();
            if (!unsentWithinBound()) {
                return;
            }
        }
        if (state_ == State::Ready && received_.size() > before) {
            emit received();
        }
    }
}

void NetworkDevice::dataFromServer(const char* bytes, std::size_t size) {
    QByteArray passed;
    switch (inUseLine_.take(bytes, size, passed)) {
    case InUseLine::Verdict::InUse:
        onInUse();
        return;
    case InUseLine::Verdict::Held:
        return;
    case InUseLine::Verdict::Passed:
        take(passed);
        return;
    }
}

void NetworkDevice::onInUse() {
    qCInfo(lcNetwork) << hostAndPort(address_) << "says its port is in use";
    if (state_ != State::Ready && !wasReady_ && inUseAnswers_ < kInUseAnswersBeforeFailing) {
        // Perhaps still busy closing this program's own connection of a moment ago.
        ++inUseAnswers_;
        state_ = State::AskingAgain;
        phaseTimer_.stop();
        askAgainTimer_.start(kInUseAskAgainMs);
        return;
    }
    fail({.kind = NetworkFailureKind::InUse, .detail = {}});
}

void NetworkDevice::take(const QByteArray& bytes) {
    // Nothing before the line is set answers anything the panel asked.
    if (state_ != State::Ready) {
        return;
    }
    received_.append(bytes);
}

void NetworkDevice::onSocketError() {
    if (!connected()) {
        return;
    }
    const QAbstractSocket::SocketError error = socket_->error();
    NetworkFailure failure{.kind = failureKindOf(error), .detail = socket_->errorString()};
    if (failure.kind == NetworkFailureKind::HostNotFound) {
        failure.detail = address_.host;
    }
    qCInfo(lcNetwork) << hostAndPort(address_) << "socket error:" << socket_->errorString();
    fail(failure);
}

void NetworkDevice::onPhaseTimeout() {
    if (state_ == State::Connecting) {
        qCInfo(lcNetwork) << hostAndPort(address_) << "did not accept the connection in time";
        fail({.kind = NetworkFailureKind::NoAnswer, .detail = {}});
    } else if (state_ == State::Negotiating) {
        if (address_.protocol == NetworkProtocol::RawTcp) {
            becomeReady(); // no server turned it away
        } else if (comPortAccepted_) {
            qCDebug(lcNetwork) << "the server did not answer the speed; taking it as set";
            becomeReady();
        } else {
            // libtelnet settles a refusal of an option we asked for without telling; a server that
            // spoke telnet but never agreed has refused it.
            qCInfo(lcNetwork) << hostAndPort(address_) << (serverSpoke_ ? "refused" : "never answered")
                              << "the COM-PORT-OPTION";
            fail({.kind = serverSpoke_ ? NetworkFailureKind::NoComPortOption : NetworkFailureKind::Silent,
                  .detail = {}});
        }
    }
}

void NetworkDevice::onSpeedTimeout() {
    if (requestedBaud_ != 0) {
        qCDebug(lcNetwork) << "no answer to the speed" << requestedBaud_ << "; taking it as set";
    }
    requestedBaud_ = 0;
}

void NetworkDevice::comPortOptionAccepted() {
    if (state_ != State::Negotiating || comPortAccepted_) {
        return;
    }
    qCDebug(lcNetwork) << "the server takes the COM-PORT-OPTION; setting" << QString::fromStdString(toText(settings_));
    comPortAccepted_ = true;
    sendLineSettings();
    // Some servers never answer; the line is taken as set after this grace.
    phaseTimer_.start(kNetworkReplyTimeoutMs);
}

void NetworkDevice::sendLineSettings() {
    if (telnet_) {
        telnet_->sendLineSettings(settings_);
    }
}

void NetworkDevice::speedAnswered(int answered) {
    qCDebug(lcNetwork) << "the server answers the speed with" << answered;
    const PortProblem refusal = SettingsRefused{.settings = QString::fromStdString(toText(settings_)),
                                                .reason = NetworkDevice::tr("the device server set %1 baud").arg(answered)};
    if (state_ == State::Negotiating) {
        if (answered != settings_.baud) {
            qCInfo(lcNetwork) << "the server set" << answered << "baud instead of" << settings_.baud;
            drop(refusal, refusal);
            return;
        }
        becomeReady();
        return;
    }
    if (state_ == State::Ready && requestedBaud_ != 0) {
        const bool refused = answered != requestedBaud_;
        requestedBaud_ = 0;
        speedTimer_.stop();
        if (refused) {
            qCInfo(lcNetwork) << "the server set" << answered << "baud instead of" << settings_.baud;
            emit settingsRefused(refusal);
        }
    }
}

void NetworkDevice::telnetFailed(const QString& message) {
    qCInfo(lcNetwork).noquote() << "telnet error:" << message;
    fail({.kind = NetworkFailureKind::Other, .detail = message});
}

void NetworkDevice::becomeReady() {
    phaseTimer_.stop();
    state_ = State::Ready;
    wasReady_ = true;
    received_.clear();
    qCInfo(lcNetwork) << "ready:" << hostAndPort(address_) << "after" << (telnet_ ? telnet_->optionCommands() : 0)
                      << "option commands";
    emit opened();
}

void NetworkDevice::fail(const NetworkFailure& failure) {
    const bool anotherClient =
        failure.kind == NetworkFailureKind::InUse || failure.kind == NetworkFailureKind::ClosedByServer;
    drop(failure, NetworkLoss{.failure = failure}, anotherClient);
}

void NetworkDevice::drop(const PortProblem& openFailure, const PortProblem& loss, bool anotherClient) {
    if (!connected()) {
        return;
    }
    const bool wasReady = state_ == State::Ready;
    state_ = State::Closed;
    phaseTimer_.stop();
    speedTimer_.stop();
    requestedBaud_ = 0;
    received_.clear();
    // Not from inside the socket's own signals: abort at the next turn, unless a new connection
    // was begun meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this, connection = connection_] {
            if (connection == connection_ && state_ == State::Closed) {
                socket_->abort();
            }
        },
        Qt::QueuedConnection);
    if (wasReady && anotherClient) {
        lastLoss_ = loss;
        emit takenOver(loss);
    } else if (wasReady) {
        lastLoss_ = loss;
        emit lost(loss);
    } else {
        emit openFailed(openFailure);
    }
}

void NetworkDevice::cutOff(const NetworkFailure& failure) {
    qCInfo(lcNetwork).noquote() << "cutting off" << hostAndPort(address_) << "-"
                                << (failure.detail.isEmpty() ? QStringLiteral("it does not take the data") : failure.detail);
    fail(failure);
}

bool NetworkDevice::unsentWithinBound() {
    if (socket_->bytesToWrite() <= kMaxUnsentBytes) {
        return true;
    }
    cutOff({.kind = NetworkFailureKind::NotTaking, .detail = {}});
    return false;
}

void NetworkDevice::sendToServer(const char* bytes, std::size_t size) {
    socket_->write(bytes, static_cast<qint64>(size));
}

} // namespace tavo
