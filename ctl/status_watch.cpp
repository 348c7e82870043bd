// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/status_watch.h"

#include "ctl/exchange_outcome.h"
#include "ctl/exit_code.h"
#include "ctl/logging.h"
#include "ctl/report.h"
#include "ctl/texts.h"

#include <QDateTime>
#include <QJsonDocument>

namespace tavo::ctl {

namespace {

constexpr int kMsPerSecond = 1000;

} // namespace

QString localTimestamp() {
    const QDateTime now = QDateTime::currentDateTime();
    const int offset = now.offsetFromUtc();
    const int minutes = (offset < 0 ? -offset : offset) / 60;
    return now.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

StatusWatch::StatusWatch(RunContext context)
    : RunTask(std::move(context)), next_(this->context().clock.makeTimer([this] { read(); })) {}

void StatusWatch::begin() {
    read();
}

void StatusWatch::read() {
    if (isFinished()) {
        return;
    }
    if (Submitted submitted = submit(context().request); submitted.error) {
        unreadable(QString::fromStdString(*submitted.error));
        next_->start(context().options.intervalS * kMsPerSecond);
    }
}

void StatusWatch::exchangeEnded(const ExchangeResult& result) {
    if (!isAnswerTo(result) || result.end == ExchangeEnd::Abandoned) {
        return;
    }
    const PowerReading reading = powerReadingOf(result);
    if (reading.result.outcome != RunResult::Outcome::Answered) {
        unreadable(failureText(context().request, reading.result, context().portLabel));
    } else {
        std::string code = reading.result.reply.substr(0, reading.result.reply.size() - 1);
        if (shown_ != std::optional<std::string>(code)) {
            const std::string& line = context().request.line;
            const QString decoded = QString::fromLatin1(decodedText(line, reading.result.reply).value_or(code));
            QJsonObject values = statusValues(line, reading.result.reply);
            values.insert(QStringLiteral("decoded"), decoded);
            print(decoded, std::move(values));
            shown_ = std::move(code);
        }
    }
    next_->start(context().options.intervalS * kMsPerSecond);
}

void StatusWatch::unreadable(const QString& why) {
    if (shown_ && !shown_->has_value()) {
        return;
    }
    qCDebug(lcCtl) << "the power status cannot be read:" << why;
    print(Texts::tr("cannot read the power status: %1").arg(why),
          {{QStringLiteral("decoded"), QJsonValue::Null}, {QStringLiteral("error"), why}});
    shown_ = std::optional<std::string>();
}

void StatusWatch::print(const QString& text, QJsonObject values) {
    QTextStream& out = context().out;
    const QString time = localTimestamp();
    if (context().options.json) {
        values.insert(QStringLiteral("time"), time);
        out << QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact)) << '\n';
    } else {
        out << time << ' ' << text << '\n';
    }
    // Each line is news to whoever reads the pipe: it leaves at once.
    out.flush();
}

void StatusWatch::deviceLost(const std::string& why) {
    // A read in flight has failed and said so; the port opens the device again by itself.
    unreadable(QString::fromStdString(why));
}

void StatusWatch::interrupt() {
    next_->stop();
    abandonPending();
    finish(kInterrupted);
}

} // namespace tavo::ctl
