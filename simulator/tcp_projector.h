// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Serves the simulated projector on a TCP port, the way a device server in raw TCP mode passes a
// projector's line on: bytes as they are, no line speed. One client at a time; a new client takes
// over from the previous one. Runs on the thread that owns it, which must run an event loop.

#include "simulator/projector_model.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace tavo {

class TcpProjector : public QObject {
    Q_OBJECT

public:
    // Port 0 picks a free port. Empty on failure, with the reason in *error.
    [[nodiscard]] static std::unique_ptr<TcpProjector>
    create(const ProjectorModel::Options& model, const QHostAddress& address, quint16 port, QString* error);

    // Where the panel connects, e.g. tcp://127.0.0.1:3000.
    [[nodiscard]] QString url() const;
    [[nodiscard]] const ProjectorModel& model() const { return model_; }

signals:
    void received(const QByteArray& bytes);
    void sent(const QByteArray& bytes);

private:
    explicit TcpProjector(const ProjectorModel::Options& model);
    void onNewConnection();
    void onReadable();
    void pump();
    [[nodiscard]] std::int64_t nowMs() const { return clock_.elapsed(); }

    QTcpServer server_;
    QPointer<QTcpSocket> client_;
    ProjectorModel model_;
    QElapsedTimer clock_;
    QTimer timer_;
};

} // namespace tavo
