// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/bridge_log.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

// Debug lines (each try of a device that stays away) only when asked for with QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcBridge, "tavo.pjlink", QtInfoMsg)

namespace tavo::pjlink {

QString endpointText(const QHostAddress& address, quint16 port) {
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    if (mapped) {
        return QStringLiteral("%1:%2").arg(QHostAddress(v4).toString()).arg(port);
    }
    return QStringLiteral("[%1]:%2").arg(address.toString()).arg(port);
}

QString hostText(const QHostAddress& address) {
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return (mapped ? QHostAddress(v4) : address).toString();
}

namespace {

// What each line starts with, fixed once the translations are in: Qt's message handler takes no
// data of its own, so the words live here for the process's life.
struct LogFormat {
    bool journal = false;
    QByteArray warning;
    QByteArray error;
};

LogFormat& logFormat() {
    static LogFormat format;
    return format;
}

void writeLogLine(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
    const LogFormat& format = logFormat();
    QByteArray line;
    if (format.journal) {
        // journald reads a "<N>" priority at the start of each line it takes from a service.
        static constexpr const char* kPriorities[] = {"<7>", "<4>", "<3>", "<2>", "<6>"};
        line = kPriorities[static_cast<int>(type)];
    } else if (type == QtWarningMsg) {
        line = format.warning;
    } else if (type == QtCriticalMsg || type == QtFatalMsg) {
        line = format.error;
    }
    line += message.toUtf8();
    line += '\n';
    // One write for the whole line, so that lines never mix.
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
    if (type == QtFatalMsg) {
        std::abort();
    }
}

std::string keyOf(BridgeLog::Repeat kind, const QString& subject) {
    return std::string(1, static_cast<char>('a' + static_cast<int>(kind))) + subject.toStdString();
}

} // namespace

void installLogFormat() {
    static_assert(QtDebugMsg == 0 && QtWarningMsg == 1 && QtCriticalMsg == 2 && QtFatalMsg == 3 && QtInfoMsg == 4,
                  "the journal's priorities are listed in the order of Qt's message types");
    LogFormat& format = logFormat();
    format.journal = qEnvironmentVariableIsSet("JOURNAL_STREAM");
    format.warning = QCoreApplication::translate("tavo-pjlink", "warning: ").toUtf8();
    format.error = QCoreApplication::translate("tavo-pjlink", "error: ").toUtf8();
    qInstallMessageHandler(writeLogLine);
}

BridgeLog::BridgeLog(QObject* parent) : QObject(parent) {
    clock_.start();
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { writeSummary(false); });
}

void BridgeLog::line(const QString& text) {
    if (budget_.takeLine(clock_.elapsed())) {
        qCInfo(lcBridge).noquote() << text;
    }
    schedule();
}

bool BridgeLog::firstOfItsKind(Repeat kind, const QString& subject, std::uint64_t amount) {
    const bool first = budget_.repeat(keyOf(kind, subject), amount, clock_.elapsed());
    schedule();
    return first;
}

void BridgeLog::write(Repeat kind, const QString& text) {
    if (kind == Repeat::DroppedBytes || kind == Repeat::Unearned) {
        qCInfo(lcBridge).noquote() << text;
    } else {
        qCWarning(lcBridge).noquote() << text;
    }
}

void BridgeLog::flush() {
    writeSummary(true);
}

void BridgeLog::schedule() {
    const auto next = budget_.nextSummaryMs();
    if (!next) {
        timer_.stop();
        return;
    }
    const qint64 wait = std::max<qint64>(0, *next - clock_.elapsed());
    if (!timer_.isActive() || timer_.remainingTime() > wait) {
        timer_.start(static_cast<int>(wait));
    }
}

void BridgeLog::writeSummary(bool all) {
    // At the end every count is due, however short its window.
    const qint64 now = clock_.elapsed() + (all ? kLogSummaryMs : 0);
    const LogBudget::Summary summary = budget_.summary(now);
    const int seconds = static_cast<int>(kLogSummaryMs / 1000);
    for (const auto& r : summary.repeats) {
        if (r.key == kOtherRepeats) {
            qCWarning(lcBridge).noquote()
                << tr("%1 more connections refused or closed, failed authentications and commands refused in the "
                      "last %2 s, from other addresses")
                       .arg(r.times)
                       .arg(seconds);
            continue;
        }
        const QString subject = QString::fromStdString(r.key.substr(1));
        switch (static_cast<Repeat>(r.key.front() - 'a')) {
        case Repeat::DroppedBytes:
            qCInfo(lcBridge).noquote() << tr("projector: %1 more bytes in %2 pieces dropped between exchanges in the "
                                             "last %3 s")
                                              .arg(r.amount)
                                              .arg(r.times)
                                              .arg(seconds);
            break;
        case Repeat::QueueFull:
            qCWarning(lcBridge).noquote() << tr("%1 more commands answered ERR4 in the last %2 s: too many were "
                                                "waiting for the projector's line")
                                                 .arg(r.times)
                                                 .arg(seconds);
            break;
        case Repeat::FailedLogin:
            qCWarning(lcBridge).noquote()
                << tr("%1: %2 more failed authentications in the last %3 s").arg(subject).arg(r.times).arg(seconds);
            break;
        case Repeat::Refused:
            qCWarning(lcBridge).noquote()
                << tr("%1: %2 more connections refused in the last %3 s").arg(subject).arg(r.times).arg(seconds);
            break;
        case Repeat::LineNotQuiet:
            qCWarning(lcBridge).noquote()
                << tr("projector: %1 more times in the last %2 s the line was not quiet after a reply wait")
                       .arg(r.times)
                       .arg(seconds);
            break;
        case Repeat::Unearned:
            qCInfo(lcBridge).noquote() << tr("%1: %2 more connections closed without a valid command in the last %3 s")
                                              .arg(subject)
                                              .arg(r.times)
                                              .arg(seconds);
            break;
        }
    }
    if (summary.linesLeftOut > 0) {
        qCInfo(lcBridge).noquote() << tr("%1 lines of commands and connections left out of the log in the last %2 s "
                                         "(at most %3 a second are written)")
                                          .arg(summary.linesLeftOut)
                                          .arg(seconds)
                                          .arg(kLogLinesPerSecond);
    }
    if (!all) {
        schedule();
    }
}

} // namespace tavo::pjlink
