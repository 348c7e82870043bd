// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/tool.h"

#include "core/panel_logic.h"
#include "core/rendering.h"
#include "core/reply_judgement.h"
#include "core/status_decoding.h"
#include "core/wording.h"
#include "ctl/command_names.h"
#include "ctl/exchange.h"
#include "ctl/logging.h"
#include "process/bounded_number.h"
#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "serial/device_settings.h"
#include "serial/local_device.h"
#include "serial/recent_devices.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <optional>

namespace tavo::ctl {

namespace {

constexpr int kMaxTimeoutMs = 600000;
constexpr int kMaxRepeat = 10000;
// How much of an unexpected reply the error text quotes; standard output has all of it.
constexpr std::size_t kQuotedReplyBytes = 160;

const QString kProgram = QStringLiteral("tavo-ctl");

QString description() {
    return Tool::tr("Sends one of the panel's commands to an R5500 or R730 projector and prints the reply.\n"
                    "\n"
                    "Commands:\n"
                    "  list          every command with its line and what it does\n"
                    "  status        power status; input, lamp-hours, mirror, temperatures likewise\n"
                    "  power-on ...  any of the panel's buttons, by group and caption\n"
                    "  send LINE     any line (CR is added); prints the reply\n"
                    "\n"
                    "Without --device, --com1 (the default) and --com2 mean the devices the panel uses.\n"
                    "\n"
                    "Replies other than the decoded values are printed as the panel's data monitor shows them\n"
                    "(ACK CR); an unexpected one is escaped: printable ASCII as it is, other bytes as \\xNN.\n"
                    "\n"
                    "Exit status:\n"
                    "  0    acknowledged, or a well-formed status\n"
                    "  1    device error (cannot open, in use, disconnected)\n"
                    "  2    usage error, unknown command\n"
                    "  3    refused by the projector (? CR)\n"
                    "  4    no reply within the reply wait\n"
                    "  5    an unexpected reply, not one the projector gives\n"
                    "  130  interrupted\n"
                    "\n"
                    "Messages follow the desktop's language (LANG=C for English); --json output never does.");
}

// The words of the core's texts in the user's language: none is installed with --json.
class TranslatedWording final : public Wording {
public:
    [[nodiscard]] std::string wordsOf(const Phrase& phrase) const override {
        return QCoreApplication::translate(phrase.context, phrase.source).toStdString();
    }
};

struct Options {
    QString device; // empty: COM1 or COM2 as the panel resolves them
    int portNumber = 1;
    LineSettings settings = kSettings19200;
    std::optional<int> timeoutMs;
    int repeat = 1;
    bool repeatGiven = false;
    bool json = false;
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

QStringList portDevices(const Options& options, QTextStream& err) {
    if (!options.device.isEmpty()) {
        // Passed on as given: the port layer decides what a device name means.
        return {options.device, options.device};
    }
    const RunDevices run = devicesForRun({});
    if (!run.settingsProblem.isEmpty()) {
        err << kProgram << ": " << run.settingsProblem << '\n';
    }
    return {run.devices.com1, run.devices.com2};
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
            return Tool::tr("character %1 of LINE (U+%2) is not printable 7-bit ASCII; nothing was sent")
                .arg(i + 1)
                .arg(codePoint);
        }
    }
    return {};
}

void printList(QTextStream& out) {
    const auto commands = ctlCommands();
    qsizetype width = 0;
    for (const auto& c : commands) {
        width = std::max(width, static_cast<qsizetype>(c.name.size()));
    }
    for (const auto& c : commands) {
        QString what = c.summary.empty()
                           ? Tool::tr("the %1 button").arg(fromStd(c.button))
                           : QCoreApplication::translate("tavo::ctl::CommandNames", std::string(c.summary).c_str());
        if (c.repeatMs > 0) {
            what += Tool::tr(", held: every %1 ms with --repeat").arg(c.repeatMs);
        }
        out << fromStd(c.name).leftJustified(width + 2) << fromStd(c.code).leftJustified(20) << what << '\n';
    }
}

struct Request {
    QString name;
    std::string line;
    int replyWaitMs = 0;
    int periodMs = 0;
};

// Empty error: the request to make.
std::optional<Request> requestFor(const QStringList& positional, const Options& options, QString* error) {
    const QString name = positional.front();
    Request request{.name = name, .line = {}, .replyWaitMs = startInterval(TimerId::ReplyWait), .periodMs = 0};
    if (name == QStringLiteral("send")) {
        if (positional.size() != 2) {
            *error = Tool::tr("send needs one LINE, e.g.  send CR0");
            return std::nullopt;
        }
        const QString text = positional.at(1);
        if (text.isEmpty() || text.contains(QLatin1Char('\r')) ||
            text.size() >= static_cast<qsizetype>(kSendBufferSize)) {
            *error = Tool::tr("LINE must be 1 to %1 characters without CR; the CR is added").arg(kSendBufferSize - 1);
            return std::nullopt;
        }
        if (const QString refusal = unsendable(text); !refusal.isEmpty()) {
            *error = refusal;
            return std::nullopt;
        }
        request.line = text.toLatin1().toStdString();
        // A known line waits as its button does.
        for (const auto& c : ctlCommands()) {
            if (c.code == request.line) {
                request.replyWaitMs = c.replyWaitMs;
            }
        }
    } else {
        const auto command = findCtlCommand(name.toStdString());
        if (!command) {
            const auto close = closeNames(name.toStdString());
            *error = Tool::tr("unknown command '%1'.").arg(name);
            if (!close.empty()) {
                QStringList names;
                for (const auto& n : close) {
                    names << fromStd(n);
                }
                *error += Tool::tr(" Did you mean: %1?").arg(names.join(QStringLiteral(", ")));
            }
            *error += Tool::tr(" Run  tavo-ctl list  for every command.");
            return std::nullopt;
        }
        if (positional.size() != 1) {
            *error = Tool::tr("unexpected argument '%1'").arg(positional.at(1));
            return std::nullopt;
        }
        if (options.repeatGiven && command->repeatMs == 0) {
            *error = Tool::tr("--repeat is for the held buttons only; %1 is sent once").arg(name);
            return std::nullopt;
        }
        request.line = std::string(command->code);
        request.replyWaitMs = command->replyWaitMs;
        request.periodMs = command->repeatMs;
        // The panel's short waits for held buttons fit between two repeats; a single step has no
        // next repeat, so it waits as long as a button that sets no wait of its own.
        if (!options.repeatGiven && command->repeatMs > 0) {
            request.replyWaitMs = std::max(request.replyWaitMs, startInterval(TimerId::ReplyWait));
        }
    }
    request.line += kCarriageReturn;
    if (options.timeoutMs) {
        request.replyWaitMs = *options.timeoutMs;
    }
    return request;
}

const char* outcomeName(ExchangeResult::Outcome outcome) {
    switch (outcome) {
    case ExchangeResult::Outcome::Answered:
        return "answered";
    case ExchangeResult::Outcome::Refused:
        return "refused";
    case ExchangeResult::Outcome::Silent:
        return "no reply";
    case ExchangeResult::Outcome::Unexpected:
        return "unexpected reply";
    case ExchangeResult::Outcome::Interrupted:
        return "interrupted";
    case ExchangeResult::Outcome::DeviceError:
        break;
    }
    return "device error";
}

int exitCodeOf(ExchangeResult::Outcome outcome) {
    switch (outcome) {
    case ExchangeResult::Outcome::Answered:
        return kAnswered;
    case ExchangeResult::Outcome::Refused:
        return kRefused;
    case ExchangeResult::Outcome::Silent:
        return kNoReply;
    case ExchangeResult::Outcome::Unexpected:
        return kUnexpected;
    case ExchangeResult::Outcome::Interrupted:
        return kInterrupted;
    case ExchangeResult::Outcome::DeviceError:
        break;
    }
    return kDeviceError;
}

} // namespace

// What one run needs once its arguments are read.
struct Tool::Run {
    Options options;
    Request request;
};

namespace {

// Parses; a code when the run ends here, else the run to make.
std::optional<int> parse(const QStringList& arguments, QTextStream& out, QTextStream& err,
                         std::unique_ptr<Tool::Run>& run) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption deviceOption(QStringLiteral("device"),
                                          Tool::tr("The projector's serial device, e.g. /dev/ttyUSB0, or a "
                                                   "device server: rfc2217://HOST:PORT or tcp://HOST:PORT."),
                                          QStringLiteral("DEV"));
    const QCommandLineOption com1Option(QStringLiteral("com1"), Tool::tr("The panel's COM1 (the default)."));
    const QCommandLineOption com2Option(QStringLiteral("com2"), Tool::tr("The panel's COM2."));
    const QCommandLineOption speedOption(QStringLiteral("speed"), Tool::tr("Line speed: 19200 (default) or 9600."),
                                         QStringLiteral("BAUD"), QStringLiteral("19200"));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
                                           Tool::tr("Wait MS for the reply instead of the command's own wait."),
                                           QStringLiteral("MS"));
    const QCommandLineOption repeatOption(QStringLiteral("repeat"),
                                          Tool::tr("Held buttons only: send N times at the panel's rate (default 1)."),
                                          QStringLiteral("N"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        Tool::tr("Print the line, the reply, its rendering and the decoded "
                                                 "value as one JSON object."));
    QCommandLineOption completeOption(QStringLiteral("complete"));
    completeOption.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption completeDevicesOption(QStringLiteral("complete-devices"));
    completeDevicesOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({deviceOption, com1Option, com2Option, speedOption, timeoutOption, repeatOption, jsonOption,
                       completeOption, completeDevicesOption});
    parser.addPositionalArgument(QStringLiteral("COMMAND"), Tool::tr("What to send; see Commands above."));

    const auto usage = [&err](const QString& message) {
        err << kProgram << ": " << message << '\n';
        return kUsage;
    };
    if (!parser.parse(arguments)) {
        return usage(parser.errorText());
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return kAnswered;
    }
    if (parser.isSet(version)) {
        out << kProgram << ' ' << QCoreApplication::applicationVersion() << '\n';
        return kAnswered;
    }
    // The word list of the shell completion, so that it is never typed a second time.
    if (parser.isSet(completeOption)) {
        out << "list\nsend\n";
        for (const auto& c : ctlCommands()) {
            out << fromStd(c.name) << '\n';
        }
        return kAnswered;
    }
    if (parser.isSet(completeDevicesOption)) {
        for (const QString& name : offeredDeviceNames()) {
            out << name << '\n';
        }
        return kAnswered;
    }

    Options options;
    const int chosen = int{parser.isSet(deviceOption)} + int{parser.isSet(com1Option)} + int{parser.isSet(com2Option)};
    if (chosen > 1) {
        return usage(Tool::tr("give one of --device, --com1 and --com2"));
    }
    options.device = parser.value(deviceOption);
    if (parser.isSet(deviceOption) && options.device.isEmpty()) {
        return usage(Tool::tr("--device needs a device, such as /dev/ttyUSB0"));
    }
    options.portNumber = parser.isSet(com2Option) ? 2 : 1;
    const QString speed = parser.value(speedOption);
    if (speed == QStringLiteral("9600")) {
        options.settings = kSettings9600;
    } else if (speed != QStringLiteral("19200")) {
        return usage(Tool::tr("--speed must be 19200 or 9600"));
    }
    if (parser.isSet(timeoutOption)) {
        options.timeoutMs = parseBounded(parser.value(timeoutOption), 1, kMaxTimeoutMs);
        if (!options.timeoutMs) {
            return usage(Tool::tr("--timeout must lie between 1 and %1 ms").arg(kMaxTimeoutMs));
        }
    }
    if (parser.isSet(repeatOption)) {
        const auto repeat = parseBounded(parser.value(repeatOption), 1, kMaxRepeat);
        if (!repeat) {
            return usage(Tool::tr("--repeat must lie between 1 and %1").arg(kMaxRepeat));
        }
        options.repeat = *repeat;
        options.repeatGiven = true;
    }
    options.json = parser.isSet(jsonOption);

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        return usage(Tool::tr("no command given. Run  tavo-ctl --help  for the usage, tavo-ctl list for "
                              "every command."));
    }
    if (positional.front() == QStringLiteral("list")) {
        if (positional.size() != 1) {
            return usage(Tool::tr("unexpected argument '%1'").arg(positional.at(1)));
        }
        printList(out);
        return kAnswered;
    }
    QString requestError;
    auto request = requestFor(positional, options, &requestError);
    if (!request) {
        return usage(requestError);
    }
    run = std::make_unique<Tool::Run>(Tool::Run{.options = options, .request = std::move(*request)});
    return std::nullopt;
}

} // namespace

bool asksForJson(const QStringList& arguments) {
    // Options end at "--"; the first argument is the program.
    const auto end = std::ranges::find(arguments, QStringLiteral("--"));
    return std::find(arguments.begin() + (arguments.isEmpty() ? 0 : 1), end, QStringLiteral("--json")) != end;
}

Tool::Tool(QStringList arguments, QTextStream& out, QTextStream& err, QObject* parent)
    : QObject(parent), arguments_(std::move(arguments)), out_(out), err_(err) {}

Tool::~Tool() = default;

void Tool::start() {
    if (const std::optional<int> code = parse(arguments_, out_, err_, run_)) {
        end(*code);
        return;
    }
    const Options& options = run_->options;
    // A device named with --device is named as given; COM1 and COM2 only where the user chose them.
    port_ = std::make_unique<ComPorts>(portDevices(options, err_), makeDevice, advisor_,
                                       options.device.isEmpty() ? PortNaming::ComNumber : PortNaming::Device);
    port_->setEventHandler([this](PortEvent event) { onPortEvent(event); });
    const auto deviceError = [](std::string text) {
        return ExchangeResult{.outcome = ExchangeResult::Outcome::DeviceError, .reply = {}, .error = std::move(text)};
    };
    if (auto error = port_->setPortNumber(options.portNumber)) {
        report(deviceError(*error));
        return;
    }
    if (auto error = port_->setLineSettings(options.settings)) {
        report(deviceError(*error));
        return;
    }
    const PortResult<Opening> opening = port_->open();
    if (opening.error) {
        report(deviceError(*opening.error));
    } else if (opening.value == Opening::Done) {
        beginExchange();
    } else {
        qCDebug(lcCtl) << "waiting for the device to connect";
    }
}

void Tool::onPortEvent(PortEvent event) {
    if (isFinished()) {
        return;
    }
    if (event == PortEvent::Notice) {
        err_ << kProgram << ": " << fromStd(port_->describe(event)) << '\n';
    }
    if (exchange_) {
        exchange_->portEvent(event);
        return;
    }
    if (event == PortEvent::Opened) {
        beginExchange();
    } else if (event == PortEvent::OpenFailed) {
        report({.outcome = ExchangeResult::Outcome::DeviceError, .reply = {}, .error = port_->describe(event)});
    }
}

void Tool::beginExchange() {
    qCDebug(lcCtl) << "device open; sending" << run_->request.name;
    exchange_ = std::make_unique<Exchange>(*port_, ExchangeRequest{.line = run_->request.line,
                                                                   .replyWaitMs = run_->request.replyWaitMs,
                                                                   .steps = run_->options.repeat,
                                                                   .periodMs = run_->request.periodMs});
    connect(exchange_.get(), &Exchange::done, this, [this] { report(exchange_->result()); });
    exchange_->start();
}

int Tool::interrupt() {
    if (!isFinished() && !port_) {
        // Before the run began: nothing was opened.
        err_ << kProgram << ": " << tr("interrupted") << '\n';
        exitCode_ = kInterrupted;
    }
    if (!isFinished()) {
        ExchangeResult result{
            .outcome = ExchangeResult::Outcome::Interrupted,
            .reply = exchange_ ? exchange_->result().reply : std::string(),
            .error = (exchange_ ? tr("interrupted before the reply") : tr("interrupted while opening the device"))
                         .toStdString()};
        report(std::move(result));
    }
    return exitCode();
}

void Tool::report(ExchangeResult result) {
    if (isFinished()) {
        return;
    }
    const Options& options = run_->options;
    const Request* request = &run_->request;
    const QString label = port_->label();
    // The exchange stays: this may run inside its own signal.
    (void)port_->close();
    if (result.outcome == ExchangeResult::Outcome::Interrupted && result.error.empty()) {
        result.error = tr("interrupted before the reply").toStdString();
    }

    const std::string rendering = visibleRendering(result.reply);
    std::optional<std::string> decoded;
    if (result.outcome == ExchangeResult::Outcome::Answered) {
        if (const auto reply = decodeReply(request->line, result.reply)) {
            decoded = personText(*reply);
        }
    }
    // What the projector may send shows as the data monitor shows it; anything else escaped.
    const bool fromProjector = result.outcome == ExchangeResult::Outcome::Answered ||
                               result.outcome == ExchangeResult::Outcome::Refused ||
                               result.outcome == ExchangeResult::Outcome::Silent;
    const int code = exitCodeOf(result.outcome);

    if (options.json) {
        QJsonObject object{
            {QStringLiteral("command"), request->name},
            {QStringLiteral("line"), escaped(request->line)},
            {QStringLiteral("reply"), escaped(result.reply)},
            {QStringLiteral("rendering"), fromRendering(rendering)},
            {QStringLiteral("decoded"), decoded ? QJsonValue(QString::fromLatin1(*decoded)) : QJsonValue()},
            {QStringLiteral("outcome"), QString::fromLatin1(outcomeName(result.outcome))},
            {QStringLiteral("exit"), code},
        };
        if (!result.error.empty()) {
            object.insert(QStringLiteral("error"), fromStd(result.error));
        }
        if (result.outcome == ExchangeResult::Outcome::Unexpected) {
            object.insert(QStringLiteral("expected"), fromStd(result.expected));
        }
        out_ << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << '\n';
    } else if (!result.reply.empty()) {
        out_ << (decoded         ? QString::fromLatin1(*decoded)
                 : fromProjector ? fromRendering(trimmed(rendering))
                                 : escaped(result.reply))
             << '\n';
    }

    const TranslatedWording wording;
    const auto expected = [&] {
        return QString::fromStdString(expectedReply(request->line, options.repeat, wording));
    };
    switch (result.outcome) {
    case ExchangeResult::Outcome::Answered:
        break;
    case ExchangeResult::Outcome::Refused:
        err_ << kProgram << ": " << tr("the projector refused %1").arg(escaped(request->line)) << '\n';
        break;
    case ExchangeResult::Outcome::Silent:
        if (result.reply.empty()) {
            err_ << kProgram << ": " << tr("no reply from %1 within %2 ms").arg(label).arg(request->replyWaitMs)
                 << '\n';
        } else {
            err_ << kProgram << ": "
                 << tr("not every line had its reply from %1 within %2 ms; expected %3")
                        .arg(label)
                        .arg(request->replyWaitMs)
                        .arg(expected())
                 << '\n';
        }
        break;
    case ExchangeResult::Outcome::Unexpected: {
        QString quoted = escaped(std::string_view(result.reply).substr(0, kQuotedReplyBytes));
        if (result.reply.size() > kQuotedReplyBytes) {
            quoted += QStringLiteral("...");
        }
        // A telnet command (IAC) first: a device server that speaks RFC 2217 on this port.
        const bool telnet = result.reply.starts_with('\xff');
        err_ << kProgram << ": "
             << tr("an unexpected reply from %1 to %2 (%3): \"%4\"; expected %5. %6")
                    .arg(label, request->name, escaped(request->line), quoted, expected(),
                         telnet ? tr("The device server speaks telnet on this port: name it rfc2217://HOST:PORT.")
                                : tr("The speed may differ from the projector's (--speed), or something other "
                                     "than the projector answers on this line."))
             << '\n';
        break;
    }
    case ExchangeResult::Outcome::DeviceError:
    case ExchangeResult::Outcome::Interrupted:
        err_ << kProgram << ": " << fromStd(result.error) << '\n';
        break;
    }
    end(code);
}

void Tool::end(int code) {
    exitCode_ = code;
    QMetaObject::invokeMethod(
        this, [this, code] { emit finished(code); }, Qt::QueuedConnection);
}

} // namespace tavo::ctl
