// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/request.h"

#include "core/commands.h"
#include "core/ports/controls.h"
#include "ctl/command_names.h"
#include "ctl/options.h"
#include "ctl/texts.h"
#include "serial/local_device.h"

#include <QCoreApplication>
#include <algorithm>

namespace tavo::ctl {

namespace {

QString fromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The projector's lines are printable 7-bit ASCII; anything else would have to be replaced on the
// wire by something the user did not write. Empty when the whole line may be sent.
QString unsendable(const QString& line) {
    const QList<uint> characters = line.toUcs4();
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const uint c = characters.at(i);
        if (c < ' ' || c > '~') {
            constexpr int kCodePointDigits = 4;
            const QString codePoint =
                QString::number(c, 16).toUpper().rightJustified(kCodePointDigits, QLatin1Char('0'));
            return Texts::tr("character %1 of LINE (U+%2) is not printable 7-bit ASCII; nothing was sent")
                .arg(i + 1)
                .arg(codePoint);
        }
    }
    return {};
}

// A button's line, sent as the button sends it.
Request buttonRequest(const QString& name, const CtlCommand& command, const Options& options) {
    Request request{.name = name,
                    .line = std::string(command.code),
                    .steps = options.repeat,
                    .periodMs = command.repeatMs,
                    .replyWaitMs = command.replyWaitMs};
    // The panel's short waits for held buttons fit between two repeats; a single step has no next
    // repeat, so it waits as long as a button that sets no wait of its own.
    if (!options.repeatGiven && command.repeatMs > 0) {
        request.replyWaitMs = std::max(request.replyWaitMs, startInterval(TimerId::ReplyWait));
    }
    return request;
}

std::optional<CtlCommand> commandWithLine(std::string_view line) {
    const auto commands = ctlCommands();
    const auto found = std::ranges::find(commands, line, &CtlCommand::code);
    return found == commands.end() ? std::nullopt : std::optional<CtlCommand>(*found);
}

std::optional<Request> sendRequest(const QStringList& positional, const Options& options, QString* error) {
    if (positional.size() != 2) {
        *error = Texts::tr("send needs one LINE, e.g.  send CR0");
        return std::nullopt;
    }
    const QString text = positional.at(1);
    if (text.isEmpty() || text.contains(QLatin1Char('\r')) || text.size() >= static_cast<qsizetype>(kSendBufferSize)) {
        *error = Texts::tr("LINE must be 1 to %1 characters without CR; the CR is added").arg(kSendBufferSize - 1);
        return std::nullopt;
    }
    if (const QString refusal = unsendable(text); !refusal.isEmpty()) {
        *error = refusal;
        return std::nullopt;
    }
    const std::string line = text.toLatin1().toStdString();
    // A button's line is sent as its button sends it, held ones at their rate.
    const auto command = commandWithLine(line);
    if (options.repeatGiven && (!command || command->repeatMs == 0)) {
        *error = Texts::tr("--repeat is for the lines of the held buttons only, and %1 is not one of them; nothing "
                           "was sent")
                     .arg(text);
        return std::nullopt;
    }
    if (command) {
        return buttonRequest(positional.front(), *command, options);
    }
    return Request{.name = positional.front(),
                   .line = line,
                   .steps = 1,
                   .periodMs = 0,
                   .replyWaitMs = startInterval(TimerId::ReplyWait)};
}

QString unknownCommand(const QString& name) {
    QString error = Texts::tr("unknown command '%1'.").arg(name);
    const auto close = closeNames(name.toStdString());
    if (!close.empty()) {
        QStringList names;
        for (const auto& n : close) {
            names << fromStd(n);
        }
        error += Texts::tr(" Did you mean: %1?").arg(names.join(QStringLiteral(", ")));
    }
    return error + Texts::tr(" Run  tavo-ctl list  for every command.");
}

std::optional<Request> namedRequest(const QStringList& positional, const Options& options, QString* error) {
    const QString name = positional.front();
    const auto command = findCtlCommand(name.toStdString());
    if (!command) {
        *error = unknownCommand(name);
        return std::nullopt;
    }
    if (positional.size() != 1) {
        *error = Texts::tr("unexpected argument '%1'").arg(positional.at(1));
        return std::nullopt;
    }
    if (options.repeatGiven && command->repeatMs == 0) {
        *error =
            Texts::tr("--repeat is for the held buttons only, and %1 is not one of them; nothing was sent").arg(name);
        return std::nullopt;
    }
    return buttonRequest(name, *command, options);
}

} // namespace

std::optional<Request> requestFor(const QStringList& positional, const Options& options, QString* error) {
    auto request = positional.front() == QStringLiteral("send") ? sendRequest(positional, options, error)
                                                                : namedRequest(positional, options, error);
    if (request) {
        request->line += kCarriageReturn;
        if (options.timeoutMs) {
            request->replyWaitMs = *options.timeoutMs;
        }
    }
    return request;
}

QString listText() {
    const auto commands = ctlCommands();
    qsizetype width = 0;
    for (const auto& c : commands) {
        width = std::max(width, static_cast<qsizetype>(c.name.size()));
    }
    QString text;
    for (const auto& c : commands) {
        QString what = c.summary.empty()
                           ? Texts::tr("the %1 button").arg(fromStd(c.button))
                           : QCoreApplication::translate("tavo::ctl::CommandNames", std::string(c.summary).c_str());
        if (c.repeatMs > 0) {
            what += Texts::tr(", held: every %1 ms with --repeat").arg(c.repeatMs);
        }
        text += fromStd(c.name).leftJustified(width + 2) + fromStd(c.code).leftJustified(20) + what + u'\n';
    }
    return text;
}

QString completionWords() {
    QString words = QStringLiteral("list\nsend\n");
    for (const auto& c : ctlCommands()) {
        words += fromStd(c.name) + u'\n';
    }
    return words;
}

} // namespace tavo::ctl
