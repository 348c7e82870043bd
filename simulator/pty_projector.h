// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Serves the simulated projector on a serial line: a new pseudo-terminal whose other end the panel
// (or any serial terminal) opens like a serial device, or a real serial device. Replies leave at
// the pace of the line speed, and come out garbled when the panel's end is set to another speed
// than the projector's. Runs on the thread that owns it, which must run an event loop.

#include "simulator/projector_model.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <deque>
#include <memory>

class QSocketNotifier;
class QTimer;

namespace tavo {

class PtyProjector : public QObject {
    Q_OBJECT

public:
    struct Options {
        ProjectorModel::Options model;
        // Empty: a new pseudo-terminal; else the serial device to serve on.
        QString device;
    };

    // Empty on failure, with the reason in *error.
    [[nodiscard]] static std::unique_ptr<PtyProjector> create(const Options& options, QString* error);
    ~PtyProjector() override;
    PtyProjector(const PtyProjector&) = delete;
    PtyProjector& operator=(const PtyProjector&) = delete;

    // The device the panel opens: the pseudo-terminal's slave side, or the device served on.
    [[nodiscard]] QString devicePath() const { return devicePath_; }
    [[nodiscard]] const ProjectorModel& model() const { return model_; }
    // The speed the panel's end is set to now, as the projector's end of the line sees it.
    [[nodiscard]] int panelBaud() const;

signals:
    void received(const QByteArray& bytes);
    void sent(const QByteArray& bytes);

private:
    PtyProjector(int fd, int slaveFd, QString devicePath, ProjectorModel::Options model);
    void onReadable();
    void onTimer();
    void pump();
    void schedule();
    [[nodiscard]] std::int64_t nowMs() const { return clock_.elapsed(); }

    struct TimedByte {
        double doneMs; // when its stop bit has left
        char byte;
    };

    int fd_;
    int slaveFd_; // kept open so that the panel closing its end does not hang up the line
    QString devicePath_;
    ProjectorModel model_;
    QElapsedTimer clock_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* timer_ = nullptr;
    std::deque<TimedByte> wire_;
    double wireFreeMs_ = 0;
};

} // namespace tavo
