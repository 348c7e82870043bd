// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bridge's log: one line per command and its result, per connection refused or closed, and
// per change of the device, on standard error, where journald takes it. Lines of single commands
// and connections, and events that repeat, go through a LogBudget, so that nothing a controller or
// the projector sends makes the log grow faster than a record needs.

#include "pjlink/log_budget.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>

Q_DECLARE_LOGGING_CATEGORY(lcBridge)

namespace tavo::pjlink {

// "192.0.2.7:4352" or "[2001:db8::7]:4352"; an IPv4 peer on a dual-stack socket shows as IPv4.
[[nodiscard]] QString endpointText(const QHostAddress& address, quint16 port);
// "192.0.2.7" or "2001:db8::7", the same for an IPv4 peer on a dual-stack socket.
[[nodiscard]] QString hostText(const QHostAddress& address);

// Writes the log's lines: under journald with the priority it reads, elsewhere with the level
// words in the user's language. Called once, after the translations are installed.
void installLogFormat();

class BridgeLog final : public QObject {
    Q_OBJECT

public:
    explicit BridgeLog(QObject* parent = nullptr);

    // A line of one command or connection: written unless the budget is spent, else counted.
    void line(const QString& text);

    // Events that repeat; the subject (an address, or nothing) tells them apart.
    enum class Repeat : std::uint8_t {
        DroppedBytes,
        QueueFull,
        FailedLogin,
        // A connection turned away at once.
        Refused,
        // A connection closed before it sent a valid command: one line each would let anyone who
        // can connect fill the log.
        Unearned,
        // The projector's line did not settle after a reply wait: a device that keeps sending.
        LineNotQuiet,
    };
    // Writes the text `makeText()` gives in full if it is the first of its kind and subject for a
    // while, else counts it (with `amount`, bytes for DroppedBytes) into a line written at most
    // every kLogSummaryMs; the text is only made when it is written.
    template <class MakeText>
    void repeated(Repeat kind, const QString& subject, MakeText makeText, std::uint64_t amount = 1) {
        if (firstOfItsKind(kind, subject, amount)) {
            write(kind, makeText());
        }
    }

    // Writes what is still counted, for the program's end.
    void flush();

private:
    [[nodiscard]] bool firstOfItsKind(Repeat kind, const QString& subject, std::uint64_t amount);
    static void write(Repeat kind, const QString& text);
    void writeSummary(bool all);
    void schedule();

    LogBudget budget_;
    QElapsedTimer clock_;
    QTimer timer_;
};

} // namespace tavo::pjlink
