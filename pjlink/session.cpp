// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/session.h"

#include "core/rendering.h"
#include "pjlink/authentication.h"
#include "pjlink/bridge_log.h"
#include "pjlink/line_queue.h"

#include <QTcpSocket>
#include <cerrno>
#include <memory>
#include <string_view>
#include <sys/socket.h>

namespace tavo::pjlink {

namespace {

QString printable(std::string_view bytes) {
    return QString::fromStdString(spelledOut(bytes));
}

} // namespace

Session::Session(QTcpSocket* socket, const SessionContext& context, Admission::Id id, QObject* parent)
    : QObject(parent), socket_(socket), context_(context), id_(id), address_(socket->peerAddress()),
      peer_(endpointText(socket->peerAddress(), socket->peerPort())) {
    socket_->setParent(this);
    socket_->setReadBufferSize(kReceiveBufferBytes);
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket_, &QTcpSocket::readyRead, this, &Session::processLines);
    connect(socket_, &QTcpSocket::bytesWritten, this, &Session::processLines);
    connect(socket_, &QTcpSocket::disconnected, this, &Session::onDisconnected);

    idle_.setSingleShot(true);
    idle_.setInterval(kIdleTimeoutMs);
    connect(&idle_, &QTimer::timeout, this,
            [this] { closeAfterWriting(Session::tr("no command for %1 s").arg(kIdleTimeoutMs / 1000)); });
    closeGrace_.setSingleShot(true);
    closeGrace_.setInterval(kCloseGraceMs);
    connect(&closeGrace_, &QTimer::timeout, socket_, &QTcpSocket::abort);

    std::optional<QByteArray> random;
    if (context_.password) {
        random = makeRandom();
        expectedDigest_ = digestOf(*random, *context_.password);
    }
    socket_->write(greeting(random));
    // Bytes may have come with the connection itself.
    QMetaObject::invokeMethod(this, &Session::processLines, Qt::QueuedConnection);
}

Session::~Session() = default;

void Session::closeNow() {
    if (ended_) {
        return;
    }
    closing_ = true;
    socket_->flush();
    socket_->disconnectFromHost();
}

void Session::drop() {
    if (!ended_) {
        closing_ = true;
        socket_->abort();
    }
}

bool Session::peerHasClosed() const {
    if (ended_) {
        return true;
    }
    const auto fd = socket_->socketDescriptor();
    if (fd < 0) {
        return true;
    }
    char byte = 0;
    const auto n = ::recv(static_cast<int>(fd), &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

void Session::processLines() {
    while (!running_ && !closing_ && !penalised_ && !pending_) {
        if (socket_->bytesToWrite() > kMaxUnsentBytes) {
            return; // bytesWritten brings us back
        }
        if (auto line = splitter_.take()) {
            handleLine(std::move(*line));
            continue;
        }
        const QByteArray bytes = socket_->peek(static_cast<qint64>(kMaxLineBytes));
        if (bytes.isEmpty()) {
            return;
        }
        const std::size_t used =
            splitter_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        socket_->skip(static_cast<qint64>(used));
    }
}

void Session::handleLine(LineSplitter::Line line) {
    if (context_.password && !earned_) {
        if (!context_.keeper.mayJudge(*this)) {
            // Judged once a failed login may be held for it; until then it tells the sender nothing.
            pending_ = std::move(line);
            return;
        }
        judge(std::move(line));
        return;
    }
    if (expectedDigest_ && line.text.size() > static_cast<std::size_t>(kDigestLength)) {
        const QByteArrayView given(line.text.data(), static_cast<qsizetype>(line.text.size()));
        if (digestMatches(*expectedDigest_, given)) {
            line.text.erase(0, static_cast<std::size_t>(kDigestLength));
        }
    }
    carryOut(std::move(line));
}

void Session::judgePending() {
    if (!pending_ || closing_) {
        return;
    }
    LineSplitter::Line line = std::move(*pending_);
    pending_.reset();
    judge(std::move(line));
    processLines();
}

void Session::judge(LineSplitter::Line line) {
    const QByteArrayView given(line.text.data(), static_cast<qsizetype>(line.text.size()));
    if (!digestMatches(*expectedDigest_, given)) {
        penalised_ = true;
        context_.log.repeated(BridgeLog::Repeat::FailedLogin, hostText(address_),
                              [this] { return tr("%1 authentication failed").arg(peer_); });
        context_.keeper.failed(*this);
        return;
    }
    line.text.erase(0, static_cast<std::size_t>(kDigestLength));
    earn();
    carryOut(std::move(line));
}

void Session::earn() {
    if (!earned_) {
        earned_ = true;
        idle_.start();
        // Connections are told from here on: before, anyone who can connect could fill the log.
        context_.log.line(tr("%1 connected").arg(peer_));
        context_.keeper.earned(*this);
    }
}

void Session::carryOut(LineSplitter::Line line) {
    if (line.text.empty() && !line.overlong) {
        return; // an empty line asks nothing
    }
    const ParsedLine parsed = parseLine(line.text);
    if (line.overlong || !parsed.request) {
        if (parsed.namedHeader.empty()) {
            // No response could tell the controller which of its commands it answers, and a
            // controller waiting for one would wait until its own time-out: the close tells it now.
            closeAfterWriting(tr("%1 names no command").arg(printable(line.text)));
        } else {
            respond(line.text, responseLine(parsed.namedHeader, errorText(Error::UndefinedCommand)),
                    line.overlong ? "longer than the longest line" : "");
        }
        return;
    }
    earn();
    idle_.start();
    auto run = std::make_unique<CommandRun>(*parsed.request, context_.identity, context_.memory);
    if (run->finished()) {
        respond(line.text, run->response(), run->trace());
        return;
    }
    running_ = true;
    idle_.stop();
    context_.queue.submit(std::move(run), this, [this, text = std::move(line.text)](std::unique_ptr<LineJob> job) {
        running_ = false;
        // The session submits nothing but command runs.
        const auto& finished = static_cast<const CommandRun&>(*job);
        respond(text, finished.response(), finished.trace());
        if (!closing_) {
            idle_.start();
        }
        processLines();
    });
}

void Session::respond(const std::string& requestLine, const std::string& response, const std::string& trace) {
    if (!closing_ && socket_->state() == QAbstractSocket::ConnectedState) {
        socket_->write(response.data(), static_cast<qint64>(response.size()));
    }
    const std::string_view shown(response.data(), response.size() - 1);
    QString line = peer_ + u' ' + printable(requestLine) + QStringLiteral(" -> ") + printable(shown);
    if (!trace.empty()) {
        line += QStringLiteral(" [%1]").arg(QString::fromStdString(trace));
    }
    context_.log.line(line);
}

void Session::refuse() {
    if (closing_) {
        return;
    }
    socket_->write(kAuthenticationFailure);
    closeAfterWriting(Session::tr("after a failed authentication"));
}

void Session::expire() {
    if (closing_) {
        return;
    }
    if (context_.password && !earned_) {
        socket_->write(kAuthenticationFailure);
    }
    closeAfterWriting(Session::tr("no valid command within %1 s").arg(kEarnDeadlineMs / 1000));
}

void Session::closeAfterWriting(const QString& why) {
    if (closing_) {
        return;
    }
    closing_ = true;
    idle_.stop();
    if (earned_) {
        context_.log.line(tr("%1 closing: %2").arg(peer_, why));
    } else {
        context_.log.repeated(BridgeLog::Repeat::Unearned, hostText(address_),
                              [&] { return tr("%1 closing: %2").arg(peer_, why); });
    }
    closeGrace_.start();
    socket_->disconnectFromHost();
}

void Session::onDisconnected() {
    if (ended_) {
        return;
    }
    ended_ = true;
    closing_ = true;
    idle_.stop();
    closeGrace_.stop();
    if (earned_) {
        context_.log.line(tr("%1 disconnected").arg(peer_));
    }
    emit finished();
    deleteLater();
}

} // namespace tavo::pjlink
