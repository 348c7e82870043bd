// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A serial line reached through a device server on the network: a TCP connection that either
// carries the bytes as they are (raw TCP, the speed fixed on the server) or speaks telnet with the
// COM-PORT-OPTION of RFC 2217, through which the panel sets the line itself. Opening connects and
// negotiates in the background, driven by the socket's signals and timers; a speed change sends
// the request and returns, and a server that refuses or replaces the speed is reported later.
//
// What the server can make the panel hold is bounded: data not yet read (the rest waits in the
// system's socket buffer), the telnet guard's bounds (telnet_framing.h), and the answers waiting
// to leave. A server past a bound is cut off with a text saying what it did.
//
// A server whose port another client has answers a new connection with a line saying so and
// closes it (in_use_line.h); one that hands the port to a newer client closes the older. Both are
// told as a takeover, never passed on as data. A raw TCP connection is ready only after a short
// wait for such a line, so that it fails the open rather than a first exchange.
//
// The telnet side of RFC 2217 is a session of its own (rfc2217_session.h); this device drives it
// and judges what it reports by the state of the connection.

#include "serial/device.h"
#include "serial/in_use_line.h"
#include "serial/network_address.h"
#include "serial/port_messages.h"
#include "serial/rfc2217_session.h"

#include <QTimer>
#include <memory>

class QTcpSocket;

namespace tavo {

// How long opening waits for the connection and the server's first answers, and then for the
// server's answer to the speed.
inline constexpr int kNetworkOpenTimeoutMs = 4000;
inline constexpr int kNetworkReplyTimeoutMs = 1500;
// Received data not yet read; past it the socket is not read until the reader catches up.
inline constexpr qsizetype kNetworkReceiveLimit = 4096;
// What Qt reads ahead of that from the system.
inline constexpr qint64 kSocketReadBufferSize = 16 * 1024;
// Bytes the panel wrote (lines, telnet answers) that the server has not taken; a stuck server.
inline constexpr qint64 kMaxUnsentBytes = 64 * 1024;
// How long a new raw TCP connection waits for a server that turns it away before it is ready.
inline constexpr int kRawGreetingMs = 150;
// A server that says its port is in use may still be closing this program's own connection of a
// moment ago (the panel closes and opens its port again at start): a first open asks again this
// often, this many times, before it fails. Tries after a loss fail at once; the reconnect policy
// paces them.
inline constexpr int kInUseAskAgainMs = 250;
inline constexpr int kInUseAnswersBeforeFailing = 8;

class NetworkDevice final : public Device, private Rfc2217Session::Listener {
    Q_OBJECT

public:
    explicit NetworkDevice(QString name, QObject* parent = nullptr);
    ~NetworkDevice() override;

    [[nodiscard]] DeviceOpening open(const LineSettings& settings) override;
    void close() override;
    [[nodiscard]] DeviceError write(const QByteArray& bytes) override;
    [[nodiscard]] QByteArray readAll() override;
    [[nodiscard]] bool hasReceived() const override { return !received_.isEmpty(); }
    [[nodiscard]] DeviceError setLineSettings(const LineSettings& settings) override;
    [[nodiscard]] QString describeOpening(const QString& port) const override;

private:
    // AskingAgain: a connection was turned away as in use, and the next one waits its turn.
    enum class State { Closed, AskingAgain, Connecting, Negotiating, Ready };

    void connectToServer();
    [[nodiscard]] bool connected() const {
        return state_ == State::Connecting || state_ == State::Negotiating || state_ == State::Ready;
    }
    void onConnected();
    void onSocketError();
    void onReadable();
    void onPhaseTimeout();
    void onSpeedTimeout();
    void onInUse();
    void sendLineSettings();
    void becomeReady();
    void fail(const NetworkFailure& failure);
    // Ends the connection: an open in progress fails with `problem`, a ready one is lost with it.
    void drop(const PortProblem& openFailure, const PortProblem& loss, bool anotherClient = false);
    void cutOff(const NetworkFailure& failure);
    void take(const QByteArray& bytes);
    [[nodiscard]] bool unsentWithinBound();

    // What the telnet session reports; the server's data over raw TCP goes to dataFromServer too.
    [[nodiscard]] bool listening() const override { return connected(); }
    void sendToServer(const char* bytes, std::size_t size) override;
    void dataFromServer(const char* bytes, std::size_t size) override;
    void comPortOptionAccepted() override;
    void speedAnswered(int baud) override;
    void telnetFailed(const QString& message) override;

    NetworkAddress address_;
    LineSettings settings_;
    State state_ = State::Closed;
    QTcpSocket* socket_ = nullptr;
    // The telnet side of a connection over RFC 2217, none over raw TCP. Freed only by a new
    // connection or the device's end, never from inside its own call to this device.
    std::unique_ptr<Rfc2217Session> telnet_;
    // Bounds the connection and the first answers, then the wait for the answer to the speed.
    QTimer phaseTimer_;
    // The wait for the server's answer to a speed change while open.
    QTimer speedTimer_;
    QTimer askAgainTimer_;
    int inUseAnswers_ = 0;
    bool wasReady_ = false;
    // Counts connections, so that a deferred abort meant for one spares the next.
    quint64 connection_ = 0;
    bool comPortAccepted_ = false;
    bool serverSpoke_ = false;
    // The speed asked for by a change while open, 0 while none waits for its answer.
    int requestedBaud_ = 0;
    QByteArray received_;
    // The connection's first data, held while it may still be the server's in-use line.
    InUseLine inUseLine_;
    // Why the connection that was ready was dropped.
    std::optional<PortProblem> lastLoss_;
};

} // namespace tavo
