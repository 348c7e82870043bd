// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A serial line reached through a device server on the network: a TCP connection that either
// carries the bytes as they are (raw TCP, the speed fixed on the server) or speaks telnet with the
// COM-PORT-OPTION of RFC 2217, through which the panel sets the line itself. The link connects in
// the background and reconnects by itself after a loss; open() and setSpeed() wait a bounded time
// in a local event loop, so the window never freezes for long. Runs on the thread that owns it.

#include "core/ports/serial_port.h"
#include "serial/port_messages.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class QEventLoop;
class QTcpSocket;

namespace tavo {

enum class NetworkProtocol { Rfc2217, RawTcp };

struct NetworkAddress {
    NetworkProtocol protocol = NetworkProtocol::RawTcp;
    QString host;
    quint16 port = 0;
};

// Whether a device name is a network address (it has a scheme such as "rfc2217://").
[[nodiscard]] bool isNetworkDevice(const QString& device);

// "rfc2217://HOST:PORT", "tcp://HOST:PORT" or "socket://HOST:PORT", with IPv6 literals in
// brackets. Empty with the reason in *error when the name is no such address.
[[nodiscard]] std::optional<NetworkAddress> parseNetworkDevice(const QString& device, QString* error);

// How long opening waits for the connection and, over RFC 2217, for the server to take the line
// settings; and how often a lost connection is tried again.
inline constexpr int kNetworkOpenTimeoutMs = 4000;
inline constexpr int kNetworkReplyTimeoutMs = 1500;
inline constexpr int kNetworkRetryMs = 1500;

class NetworkLink final : public QObject {
    Q_OBJECT

public:
    explicit NetworkLink(NetworkAddress address, QObject* parent = nullptr);
    ~NetworkLink() override;
    NetworkLink(const NetworkLink&) = delete;
    NetworkLink& operator=(const NetworkLink&) = delete;

    // Connects and, over RFC 2217, sets the line; waits at most kNetworkOpenTimeoutMs.
    [[nodiscard]] std::optional<NetworkFailure> open(const LineSettings& settings);
    void close();
    [[nodiscard]] bool isConnected() const { return state_ == State::Ready; }
    [[nodiscard]] const NetworkAddress& address() const { return address_; }

    // False when the connection is down.
    [[nodiscard]] bool write(QByteArray bytes);
    [[nodiscard]] QByteArray readAll();

    enum class SpeedOutcome { Applied, SetOnServer, Refused };
    struct SpeedResult {
        SpeedOutcome outcome = SpeedOutcome::Applied;
        int serverBaud = 0; // the speed the server reports, for Refused
    };
    // Over RFC 2217 sends the settings and waits (bounded) for the server's answer to the speed;
    // a server that does not answer is taken to have applied it. Over raw TCP only kept.
    [[nodiscard]] SpeedResult setLineSettings(const LineSettings& settings);

signals:
    void readyRead();
    // The connection went down; the link tries again every kNetworkRetryMs.
    void lost(const tavo::NetworkFailure& failure);
    // Connected again, with the line set as before.
    void back();

private:
    enum class State { Closed, Connecting, Negotiating, Ready, Retrying };
    struct Telnet;

    void startConnecting();
    void onConnected();
    void onSocketError();
    void onReadable();
    void onPhaseTimeout();
    void sendLineSettings();
    void becomeReady();
    void fail(NetworkFailure failure);
    void handleComPortReply(unsigned char code, const QByteArray& value);
    void sendToSocket(const char* bytes, std::size_t size);
    [[nodiscard]] bool waitFor(const std::function<bool()>& done, int timeoutMs);
    void wake();

    NetworkAddress address_;
    LineSettings settings_;
    State state_ = State::Closed;
    QTcpSocket* socket_ = nullptr;
    std::unique_ptr<Telnet> telnet_;
    QTimer retryTimer_;
    // Bounds each step of connecting: the connection itself, then the server's answers.
    QTimer phaseTimer_;
    QEventLoop* waitLoop_ = nullptr;
    // Whether the link was ever ready: from then on failures are losses and retried.
    bool established_ = false;
    bool comPortAccepted_ = false;
    bool serverSpoke_ = false;
    QByteArray received_;
    std::optional<NetworkFailure> failure_;
    // The speed in the server's last answer to a speed request, 0 while none came.
    int answeredBaud_ = 0;
};

} // namespace tavo
