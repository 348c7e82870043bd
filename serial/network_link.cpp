// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/network_link.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpSocket>
#include <QUrl>
#include <algorithm>
#include <array>
#include <libtelnet.h>
#include <utility>

namespace tavo {

namespace {

struct Scheme {
    const char* name;
    NetworkProtocol protocol;
};

// "socket://" is how other serial tools write raw TCP.
constexpr std::array<Scheme, 3> kSchemes{{
    {.name = "rfc2217", .protocol = NetworkProtocol::Rfc2217},
    {.name = "tcp", .protocol = NetworkProtocol::RawTcp},
    {.name = "socket", .protocol = NetworkProtocol::RawTcp},
}};

// The COM-PORT-OPTION of RFC 2217: the client's commands, and the server's answers 100 higher.
constexpr unsigned char kComPortOption = 44;
constexpr unsigned char kSetBaudRate = 1;
constexpr unsigned char kSetDataSize = 2;
constexpr unsigned char kSetParity = 3;
constexpr unsigned char kSetStopSize = 4;
constexpr unsigned char kSetControl = 5;
constexpr unsigned char kServerReply = 100;
constexpr unsigned char kNoFlowControl = 1;

struct ParityCode {
    Parity parity;
    unsigned char code;
};

constexpr std::array<ParityCode, 5> kParityCodes{{
    {.parity = Parity::None, .code = 1},
    {.parity = Parity::Odd, .code = 2},
    {.parity = Parity::Even, .code = 3},
    {.parity = Parity::Mark, .code = 4},
    {.parity = Parity::Space, .code = 5},
}};
static_assert(kParityCodes.front().parity == Parity::None && kParityCodes.front().code == 1);

constexpr unsigned char stopSizeCode(StopBits stopBits) {
    switch (stopBits) {
    case StopBits::One:
        return 1;
    case StopBits::Two:
        return 2;
    case StopBits::OneAndHalf:
        return 3;
    }
    return 1;
}

// Binary both ways, so that a carriage return passes alone; COM-PORT-OPTION on our side only.
constexpr std::array<telnet_telopt_t, 3> kTelnetOptions{{
    {.telopt = TELNET_TELOPT_BINARY, .us = TELNET_WILL, .him = TELNET_DO},
    {.telopt = kComPortOption, .us = TELNET_WILL, .him = TELNET_DONT},
    {.telopt = -1, .us = 0, .him = 0},
}};

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

bool isNetworkDevice(const QString& device) {
    return device.contains(QStringLiteral("://"));
}

std::optional<NetworkAddress> parseNetworkDevice(const QString& device, QString* error) {
    const auto fail = [error](QString reason) {
        if (error != nullptr) {
            *error = std::move(reason);
        }
        return std::nullopt;
    };
    const QUrl url(device, QUrl::StrictMode);
    if (!url.isValid()) {
        return fail(QStringLiteral("%1 is no network address").arg(device));
    }
    const QString scheme = url.scheme().toLower();
    const auto it = std::find_if(kSchemes.begin(), kSchemes.end(),
                                 [&scheme](const Scheme& s) { return scheme == QLatin1String(s.name); });
    if (it == kSchemes.end()) {
        return fail(QStringLiteral("%1:// is not a kind of network device the panel knows").arg(scheme));
    }
    if (url.host().isEmpty() || url.port() <= 0 || (!url.path().isEmpty() && url.path() != QStringLiteral("/")) ||
        url.hasQuery() || url.hasFragment() || !url.userInfo().isEmpty()) {
        return fail(QStringLiteral("%1 does not name a host and a port").arg(device));
    }
    return NetworkAddress{.protocol = it->protocol, .host = url.host(), .port = static_cast<quint16>(url.port())};
}

// The telnet protocol state of one connection.
struct NetworkLink::Telnet {
    explicit Telnet(NetworkLink* link) : handle(telnet_init(kTelnetOptions.data(), &Telnet::onEvent, 0, link)) {}
    ~Telnet() { telnet_free(handle); }
    Telnet(const Telnet&) = delete;
    Telnet& operator=(const Telnet&) = delete;

    static void onEvent(telnet_t* /*telnet*/, telnet_event_t* event, void* data) {
        auto* link = static_cast<NetworkLink*>(data);
        switch (event->type) {
        case TELNET_EV_SEND:
            link->sendToSocket(event->data.buffer, event->data.size);
            break;
        case TELNET_EV_DATA:
            link->received_.append(event->data.buffer, static_cast<qsizetype>(event->data.size));
            break;
        case TELNET_EV_DO:
            if (event->neg.telopt == kComPortOption && link->state_ == State::Negotiating) {
                link->comPortAccepted_ = true;
                link->sendLineSettings();
                // Some servers never answer; the line is taken as set after this grace.
                link->phaseTimer_.start(kNetworkReplyTimeoutMs);
            }
            break;
        case TELNET_EV_SUBNEGOTIATION:
            if (event->sub.telopt == kComPortOption && event->sub.size > 0) {
                link->handleComPortReply(
                    static_cast<unsigned char>(event->sub.buffer[0]),
                    QByteArray(event->sub.buffer + 1, static_cast<qsizetype>(event->sub.size - 1)));
            }
            break;
        case TELNET_EV_ERROR:
            link->fail({.kind = NetworkFailureKind::Other, .detail = QString::fromLatin1(event->error.msg)});
            break;
        default:
            break;
        }
    }

    telnet_t* handle;
};

NetworkLink::NetworkLink(NetworkAddress address, QObject* parent)
    : QObject(parent), address_(std::move(address)), socket_(new QTcpSocket(this)) {
    retryTimer_.setSingleShot(true);
    phaseTimer_.setSingleShot(true);
    connect(&retryTimer_, &QTimer::timeout, this, &NetworkLink::startConnecting);
    connect(&phaseTimer_, &QTimer::timeout, this, &NetworkLink::onPhaseTimeout);
    connect(socket_, &QTcpSocket::connected, this, &NetworkLink::onConnected);
    connect(socket_, &QTcpSocket::readyRead, this, &NetworkLink::onReadable);
    connect(socket_, &QTcpSocket::errorOccurred, this, &NetworkLink::onSocketError);
    connect(socket_, &QTcpSocket::disconnected, this, &NetworkLink::onSocketError);
}

NetworkLink::~NetworkLink() {
    close();
}

std::optional<NetworkFailure> NetworkLink::open(const LineSettings& settings) {
    close();
    settings_ = settings;
    failure_.reset();
    startConnecting();
    const bool settled = waitFor([this] { return state_ == State::Ready || failure_.has_value(); },
                                 kNetworkOpenTimeoutMs + kNetworkReplyTimeoutMs);
    if (state_ == State::Ready) {
        return std::nullopt;
    }
    std::optional<NetworkFailure> failure = failure_;
    close();
    if (!settled || !failure) {
        return NetworkFailure{.kind = NetworkFailureKind::NoAnswer, .detail = {}};
    }
    return failure;
}

void NetworkLink::close() {
    state_ = State::Closed;
    established_ = false;
    retryTimer_.stop();
    phaseTimer_.stop();
    socket_->flush();
    socket_->abort();
    received_.clear();
    wake();
}

bool NetworkLink::write(QByteArray bytes) {
    if (state_ != State::Ready) {
        return false;
    }
    if (telnet_) {
        telnet_send(telnet_->handle, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    } else {
        sendToSocket(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    // Hand the bytes to the system now rather than at the next turn of the event loop.
    socket_->flush();
    return true;
}

QByteArray NetworkLink::readAll() {
    return std::exchange(received_, {});
}

NetworkLink::SpeedResult NetworkLink::setLineSettings(const LineSettings& settings) {
    settings_ = settings;
    if (address_.protocol == NetworkProtocol::RawTcp) {
        return {.outcome = SpeedOutcome::SetOnServer, .serverBaud = 0};
    }
    if (state_ != State::Ready) {
        return {}; // applied when the connection is back
    }
    answeredBaud_ = 0;
    sendLineSettings();
    socket_->flush();
    if (waitFor([this] { return answeredBaud_ != 0 || state_ != State::Ready; }, kNetworkReplyTimeoutMs) &&
        answeredBaud_ != 0 && answeredBaud_ != settings.baud) {
        return {.outcome = SpeedOutcome::Refused, .serverBaud = answeredBaud_};
    }
    return {};
}

void NetworkLink::startConnecting() {
    state_ = State::Connecting;
    comPortAccepted_ = false;
    serverSpoke_ = false;
    answeredBaud_ = 0;
    telnet_.reset();
    received_.clear();
    socket_->abort();
    phaseTimer_.start(kNetworkOpenTimeoutMs);
    socket_->connectToHost(address_.host, address_.port);
}

void NetworkLink::onConnected() {
    if (state_ != State::Connecting) {
        return;
    }
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (address_.protocol == NetworkProtocol::RawTcp) {
        becomeReady();
        return;
    }
    state_ = State::Negotiating;
    telnet_ = std::make_unique<Telnet>(this);
    telnet_negotiate(telnet_->handle, TELNET_WILL, TELNET_TELOPT_BINARY);
    telnet_negotiate(telnet_->handle, TELNET_DO, TELNET_TELOPT_BINARY);
    telnet_negotiate(telnet_->handle, TELNET_WILL, kComPortOption);
    socket_->flush();
}

void NetworkLink::onReadable() {
    const QByteArray bytes = socket_->readAll();
    if (state_ == State::Closed || state_ == State::Retrying || bytes.isEmpty()) {
        return;
    }
    const qsizetype before = received_.size();
    serverSpoke_ = true;
    if (telnet_) {
        telnet_recv(telnet_->handle, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    } else {
        received_.append(bytes);
    }
    if (state_ != State::Ready) {
        received_.clear(); // nothing the panel asked for
        return;
    }
    if (received_.size() > before) {
        emit readyRead();
    }
}

void NetworkLink::onSocketError() {
    if (state_ == State::Closed || state_ == State::Retrying) {
        return;
    }
    const QAbstractSocket::SocketError error = socket_->error();
    NetworkFailure failure{.kind = failureKindOf(error), .detail = socket_->errorString()};
    if (failure.kind == NetworkFailureKind::HostNotFound) {
        failure.detail = address_.host;
    }
    fail(failure);
}

void NetworkLink::onPhaseTimeout() {
    if (state_ == State::Connecting) {
        fail({.kind = NetworkFailureKind::NoAnswer, .detail = {}});
    } else if (state_ == State::Negotiating) {
        if (comPortAccepted_) {
            becomeReady();
        } else {
            // libtelnet settles a refusal of an option we asked for without telling; a server that
            // spoke telnet but never agreed has refused it.
            fail({.kind = serverSpoke_ ? NetworkFailureKind::NoComPortOption : NetworkFailureKind::Silent,
                  .detail = {}});
        }
    }
}

void NetworkLink::sendLineSettings() {
    if (!telnet_) {
        return;
    }
    const auto baud = static_cast<quint32>(settings_.baud);
    const std::array<char, 4> baudBytes{static_cast<char>(baud >> 24U), static_cast<char>(baud >> 16U),
                                        static_cast<char>(baud >> 8U), static_cast<char>(baud)};
    const auto parity = std::find_if(kParityCodes.begin(), kParityCodes.end(),
                                     [this](const ParityCode& p) { return p.parity == settings_.parity; });
    const auto send = [this](unsigned char command, const char* value, std::size_t size) {
        std::array<char, 5> buffer{static_cast<char>(command)};
        std::copy_n(value, size, buffer.begin() + 1);
        telnet_subnegotiation(telnet_->handle, kComPortOption, buffer.data(), size + 1);
    };
    const std::array<char, 4> bytes{
        static_cast<char>(settings_.dataBits), static_cast<char>(parity == kParityCodes.end() ? 1 : parity->code),
        static_cast<char>(stopSizeCode(settings_.stopBits)), static_cast<char>(kNoFlowControl)};
    send(kSetBaudRate, baudBytes.data(), baudBytes.size());
    send(kSetDataSize, &bytes[0], 1);
    send(kSetParity, &bytes[1], 1);
    send(kSetStopSize, &bytes[2], 1);
    send(kSetControl, &bytes[3], 1);
}

void NetworkLink::handleComPortReply(unsigned char code, const QByteArray& value) {
    if (code != kServerReply + kSetBaudRate || value.size() != 4) {
        return;
    }
    const auto byte = [&value](int i) {
        return static_cast<quint32>(static_cast<unsigned char>(value.at(i)));
    };
    answeredBaud_ = static_cast<int>((byte(0) << 24U) | (byte(1) << 16U) | (byte(2) << 8U) | byte(3));
    if (state_ == State::Negotiating) {
        becomeReady();
    }
    wake();
}

void NetworkLink::becomeReady() {
    phaseTimer_.stop();
    state_ = State::Ready;
    received_.clear();
    const bool again = established_;
    established_ = true;
    wake();
    if (again) {
        emit back();
    }
}

void NetworkLink::fail(NetworkFailure failure) {
    const bool wasReady = state_ == State::Ready;
    phaseTimer_.stop();
    if (established_) {
        state_ = State::Retrying;
        retryTimer_.start(kNetworkRetryMs);
    } else {
        state_ = State::Closed;
        failure_ = failure;
    }
    // Not from inside the socket's own signals: abort at the next turn.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (state_ == State::Closed || state_ == State::Retrying) {
                socket_->abort();
            }
        },
        Qt::QueuedConnection);
    wake();
    if (wasReady) {
        emit lost({.kind = NetworkFailureKind::Lost, .detail = failure.detail});
    }
}

void NetworkLink::sendToSocket(const char* bytes, std::size_t size) {
    socket_->write(bytes, static_cast<qint64>(size));
}

bool NetworkLink::waitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(left), &loop, &QEventLoop::quit);
        waitLoop_ = &loop;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        waitLoop_ = nullptr;
    }
    return true;
}

void NetworkLink::wake() {
    if (waitLoop_ != nullptr) {
        waitLoop_->quit();
    }
}

} // namespace tavo
