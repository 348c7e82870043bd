// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// When to try a lost device again: soon after a loss, then ever less often while it stays away or
// keeps dropping soon after each return (a device server that cuts the panel off, or another
// client taking the line), so that trying costs nothing. A device that stayed for a while starts
// from the short delay again.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace tavo {

inline constexpr int kFirstRetryMs = 1000;
inline constexpr int kLongestRetryMs = 8000;
// A device back for this long counts as steady: its next loss is tried again soon.
inline constexpr int kSteadyMs = 30000;

class ReconnectPolicy final : public QObject {
    Q_OBJECT

public:
    explicit ReconnectPolicy(QObject* parent = nullptr);

    // The device went away: the first try follows after the current delay. A device taken over
    // by another client is tried ever less often, however long it was back.
    void lost(bool takenOver);
    // A try failed: the next follows after a longer delay.
    void tryFailed();
    // The device is back.
    void back();
    // The port was closed: no more tries, and the next loss starts afresh.
    void stop();

    [[nodiscard]] int currentDelayMs() const { return delayMs_; }

signals:
    void tryAgain();

private:
    void schedule();

    QTimer timer_;
    QElapsedTimer backSince_;
    int delayMs_ = kFirstRetryMs;
};

} // namespace tavo
