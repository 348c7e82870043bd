// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/report.h"

#include "core/commands.h"
#include "core/rendering.h"
#include "core/reply_judgement.h"
#include "core/status_decoding.h"
#include "ctl/exit_code.h"
#include "ctl/texts.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <charconv>
#include <optional>

namespace tavo::ctl {

namespace {

// How much of an unexpected reply the error text quotes; standard output has all of it.
constexpr std::size_t kQuotedReplyBytes = 160;

using Outcome = RunResult::Outcome;

// The words of the core's texts in the user's language: none is installed with --json.
class TranslatedWording final : public Wording {
public:
    [[nodiscard]] std::string wordsOf(const Phrase& phrase) const override {
        return QCoreApplication::translate(phrase.context, phrase.source).toStdString();
    }
};

QString fromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What came from the device, escaped, so that no byte of it reaches the terminal as it is.
QString escaped(std::string_view bytes) {
    return QString::fromLatin1(escapedText(bytes));
}

// The data monitor's rendering holds only printable ASCII.
QString fromRendering(std::string_view rendering) {
    return QString::fromLatin1(rendering.data(), static_cast<qsizetype>(rendering.size()));
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// "0123" is 123 and "025.0" is 25.0: the projector pads its numbers with zeros.
std::string_view withoutPadding(std::string_view number) {
    while (number.size() > 1 && number.front() == '0' && number[1] >= '0' && number[1] <= '9') {
        number.remove_prefix(1);
    }
    return number;
}

std::optional<int> wholeNumber(std::string_view digits) {
    int value = 0;
    if (!allDigits(digits) ||
        std::from_chars(digits.data(), digits.data() + digits.size(), value).ptr != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

// One line for a person: the status line's values without its letter spacing.
std::optional<std::string> personText(const StatusReply& reply) {
    switch (reply.read) {
    case Control::ReadLampTime: {
        const std::string_view hours = reply.values.front();
        if (!allDigits(hours)) {
            return std::nullopt;
        }
        return std::string(withoutPadding(hours)) + " hours";
    }
    case Control::ReadTemperatures: {
        std::string line;
        for (std::size_t i = 0; i < reply.values.size(); ++i) {
            const std::string_view value = trimmed(reply.values[i]);
            if (value.empty() || value.find(kCarriageReturn) != std::string_view::npos) {
                return std::nullopt;
            }
            line += (i == 0 ? "S" : ", S") + std::to_string(i + 1) + '=';
            line += withoutPadding(value);
            line += " C";
        }
        return line;
    }
    default:
        return std::string(reply.state);
    }
}

QJsonValue phaseWord(std::optional<PowerPhase> phase) {
    if (!phase) {
        return QJsonValue::Null;
    }
    switch (*phase) {
    case PowerPhase::Standby:
        return QStringLiteral("standby");
    case PowerPhase::CountDown:
        return QStringLiteral("warming");
    case PowerPhase::On:
        return QStringLiteral("on");
    case PowerPhase::CoolingDown:
        break;
    }
    return QStringLiteral("cooling");
}

QJsonValue faultWord(PowerFault fault) {
    switch (fault) {
    case PowerFault::None:
        break;
    case PowerFault::Power:
        return QStringLiteral("power");
    case PowerFault::Temperature:
        return QStringLiteral("temperature");
    }
    return QJsonValue::Null;
}

const char* outcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Answered:
        return "answered";
    case Outcome::Refused:
        return "refused";
    case Outcome::Silent:
        return "no reply";
    case Outcome::Unexpected:
        return "unexpected reply";
    case Outcome::Interrupted:
        return "interrupted";
    case Outcome::DeviceError:
        break;
    }
    return "device error";
}

int exitCodeOf(Outcome outcome) {
    switch (outcome) {
    case Outcome::Answered:
        return kAnswered;
    case Outcome::Refused:
        return kRefused;
    case Outcome::Silent:
        return kNoReply;
    case Outcome::Unexpected:
        return kUnexpected;
    case Outcome::Interrupted:
        return kInterrupted;
    case Outcome::DeviceError:
        break;
    }
    return kDeviceError;
}

// What a run printed for a program: one JSON object.
QString jsonLine(const Request& request, const RunResult& result, const std::optional<std::string>& decoded, int code) {
    QJsonObject object{
        {QStringLiteral("command"), request.name},
        {QStringLiteral("line"), escaped(request.line)},
        {QStringLiteral("reply"), escaped(result.reply)},
        {QStringLiteral("rendering"), fromRendering(visibleRendering(result.reply))},
        {QStringLiteral("decoded"), decoded ? QJsonValue(QString::fromLatin1(*decoded)) : QJsonValue()},
        {QStringLiteral("outcome"), QString::fromLatin1(outcomeName(result.outcome))},
        {QStringLiteral("exit"), code},
    };
    if (!result.error.empty()) {
        object.insert(QStringLiteral("error"), fromStd(result.error));
    }
    if (result.outcome == Outcome::Unexpected) {
        object.insert(QStringLiteral("expected"), fromStd(result.expected));
    }
    if (result.outcome == Outcome::Answered) {
        const QJsonObject values = statusValues(request.line, result.reply);
        for (auto value = values.begin(); value != values.end(); ++value) {
            object.insert(value.key(), value.value());
        }
    }
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// What a run printed for a person: the decoded value, else what the projector may send as the data
// monitor shows it, else the reply escaped.
QString personLine(const RunResult& result, const std::optional<std::string>& decoded) {
    if (decoded) {
        return QString::fromLatin1(*decoded);
    }
    const bool fromProjector =
        result.outcome == Outcome::Answered || result.outcome == Outcome::Refused || result.outcome == Outcome::Silent;
    return fromProjector ? fromRendering(trimmed(visibleRendering(result.reply))) : escaped(result.reply);
}

QString unexpectedReply(const Request& request, const RunResult& result, const QString& portLabel,
                        const QString& expected) {
    QString quoted = escaped(std::string_view(result.reply).substr(0, kQuotedReplyBytes));
    if (result.reply.size() > kQuotedReplyBytes) {
        quoted += QStringLiteral("...");
    }
    // A telnet command (IAC) first: a device server that speaks RFC 2217 on this port.
    const bool telnet = result.reply.starts_with('\xff');
    return Texts::tr("an unexpected reply from %1 to %2 (%3): \"%4\"; expected %5. %6")
        .arg(portLabel, request.name, escaped(request.line), quoted, expected,
             telnet ? Texts::tr("The device server speaks telnet on this port: name it rfc2217://HOST:PORT.")
                    : Texts::tr("The speed may differ from the projector's (--speed), or something other than the "
                                "projector answers on this line."));
}

// What went wrong, for standard error; empty when nothing did.
QString failureText(const Request& request, const RunResult& result, const QString& portLabel) {
    const TranslatedWording wording;
    const QString expected = QString::fromStdString(expectedReply(request.line, request.steps, wording));
    switch (result.outcome) {
    case Outcome::Answered:
        return {};
    case Outcome::Refused:
        return Texts::tr("the projector refused %1").arg(escaped(request.line));
    case Outcome::Silent:
        if (result.reply.empty()) {
            return Texts::tr("no reply from %1 within %2 ms").arg(portLabel).arg(request.replyWaitMs);
        }
        return Texts::tr("not every line had its reply from %1 within %2 ms; expected %3")
            .arg(portLabel)
            .arg(request.replyWaitMs)
            .arg(expected);
    case Outcome::Unexpected:
        return unexpectedReply(request, result, portLabel, expected);
    case Outcome::DeviceError:
    case Outcome::Interrupted:
        break;
    }
    return fromStd(result.error);
}

} // namespace

QJsonObject statusValues(std::string_view line, std::string_view reply) {
    const auto read = statusReadOf(line);
    if (!read || !reply.ends_with(kCarriageReturn)) {
        return {};
    }
    const std::string_view body = reply.substr(0, reply.size() - 1);
    switch (*read) {
    case Control::ReadStatus:
        if (const auto condition = powerCondition(body)) {
            return {{QStringLiteral("power"), phaseWord(condition->phase)},
                    {QStringLiteral("status"), QString::fromLatin1(body.data(), static_cast<qsizetype>(body.size()))},
                    {QStringLiteral("fault"), faultWord(condition->fault)}};
        }
        break;
    case Control::ReadInput:
        if (const auto input = wholeNumber(body); input && isStatusKey(*read, body)) {
            return {{QStringLiteral("input"), *input}};
        }
        break;
    case Control::ReadLampTime:
        if (const auto hours = wholeNumber(body); hours && body.size() == kLampHourDigits) {
            return {{QStringLiteral("hours"), *hours}};
        }
        break;
    case Control::ReadTemperatures:
        if (const auto temperatures = temperatureValues(body)) {
            QJsonArray values;
            for (const double t : *temperatures) {
                values.append(t);
            }
            return {{QStringLiteral("temperatures"), values}};
        }
        break;
    default:
        break;
    }
    return {};
}

int reportRun(const Options& options, const Request& request, const RunResult& result, const QString& portLabel,
              QTextStream& out, QTextStream& err) {
    std::optional<std::string> decoded;
    if (result.outcome == Outcome::Answered) {
        if (const auto reply = decodeReply(request.line, result.reply)) {
            decoded = personText(*reply);
        }
    }
    const int code = exitCodeOf(result.outcome);
    if (options.json) {
        out << jsonLine(request, result, decoded, code) << '\n';
    } else if (!result.reply.empty() && !(options.quiet && code == kAnswered)) {
        out << personLine(result, decoded) << '\n';
    }
    if (const QString failure = failureText(request, result, portLabel); !failure.isEmpty()) {
        err << "tavo-ctl: " << failure << '\n';
    }
    return code;
}

} // namespace tavo::ctl
