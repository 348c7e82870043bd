// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/ctl_program.h"

#include "core/rendering.h"
#include "ctl/command_run.h"
#include "ctl/logging.h"
#include "ctl/power_wait.h"
#include "ctl/report.h"
#include "ctl/status_watch.h"
#include "ctl/texts.h"
#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "serial/device_settings.h"

namespace tavo::ctl {

namespace {

const QString kProgram = QStringLiteral("tavo-ctl");

// How long a run that ended on a reply wait stays to hear the line settle: the engine's quiet
// period, and as long again for a reply under way, but never longer, whatever the device sends.
constexpr int kSettleBoundMs = 2 * kQuietAfterSilenceMs;

QString fromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

RunResult deviceError(std::string text) {
    return {.outcome = RunResult::Outcome::DeviceError, .reply = {}, .error = std::move(text)};
}

} // namespace

CtlProgram::CtlProgram(QStringList arguments, QTextStream& out, QTextStream& err, QObject* parent)
    : QObject(parent), arguments_(std::move(arguments)), out_(out), err_(err),
      settling_(clock_.makeTimer([this] { closeAndFinish(); })) {}

CtlProgram::~CtlProgram() {
    // The task listens to the engine, which writes to the port.
    task_.reset();
    exchange_.reset();
}

void CtlProgram::start() {
    parsed_ = parseOptions(arguments_);
    switch (parsed_->outcome) {
    case ParsedOptions::Outcome::Done:
        out_ << parsed_->text;
        exitCode_ = kAnswered;
        closeAndFinish();
        return;
    case ParsedOptions::Outcome::UsageError:
        err_ << kProgram << ": " << parsed_->text << '\n';
        exitCode_ = kUsage;
        closeAndFinish();
        return;
    case ParsedOptions::Outcome::Run:
        break;
    }
    openPort();
}

void CtlProgram::openPort() {
    const Options& options = parsed_->options;
    // A device named with --device is named as given; COM1 and COM2 only where the user chose them.
    port_ = std::make_unique<ComPorts>(portDevices(options, err_), makeDevice, advisor_,
                                       options.device.isEmpty() ? PortNaming::ComNumber : PortNaming::Device);
    port_->setEventHandler([this](PortEvent event) { onPortEvent(event); });
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
        beginTask();
    } else {
        qCDebug(lcCtl) << "waiting for the device to connect";
    }
}

void CtlProgram::onPortEvent(PortEvent event) {
    if (closed_) {
        return;
    }
    if (event == PortEvent::Notice) {
        err_ << kProgram << ": " << fromStd(port_->describe(event)) << '\n';
    }
    if (!task_) {
        if (event == PortEvent::Opened) {
            beginTask();
        } else if (event == PortEvent::OpenFailed) {
            report(deviceError(port_->describe(event)));
        }
        return;
    }
    // Also while the line settles after the task: a late reply is heard, and not left to a later run.
    std::optional<std::string> lost;
    if (event == PortEvent::Received) {
        lost = exchange_->received();
    } else if (event == PortEvent::DeviceLost) {
        lost = port_->describe(event);
    }
    if (lost) {
        exchange_->portFailed(*lost);
        task_->deviceLost(*lost);
        if (isFinished()) {
            closeAndFinish();
        }
    }
}

void CtlProgram::beginTask() {
    exchange_ = std::make_unique<LineExchange>(*port_, clock_, Pacing::AfterReply);
    // Before the task: the run's end must know how the exchange that ended it ended.
    exchange_->addListener(*this);
    RunContext context{.options = parsed_->options,
                       .request = parsed_->request,
                       .exchange = *exchange_,
                       .clock = clock_,
                       .portLabel = port_->label(),
                       .out = out_,
                       .err = err_,
                       .finish = [this](int code) {
                           taskDone(code);
                       }};
    switch (parsed_->options.mode) {
    case RunMode::Once:
        task_ = std::make_unique<CommandRun>(std::move(context));
        break;
    case RunMode::Wait:
        task_ = std::make_unique<PowerWait>(std::move(context));
        break;
    case RunMode::Watch:
        task_ = std::make_unique<StatusWatch>(std::move(context));
        break;
    }
    qCDebug(lcCtl) << "device open; running" << parsed_->request.name;
    task_->begin();
}

void CtlProgram::exchangeEnded(const ExchangeResult& result) {
    lastEnd_ = result.end;
}

void CtlProgram::taskDone(int code) {
    exitCode_ = code;
    if (!interrupting_ && lastEnd_ == ExchangeEnd::WaitEnded && !exchange_->ready()) {
        qCDebug(lcCtl) << "waiting for the line to settle before closing it";
        settling_->start(kSettleBoundMs);
        return;
    }
    closeAndFinish();
}

void CtlProgram::lateReply(ExchangeId /*id*/, std::string_view line, std::string_view bytes) {
    if (!isFinished() || closed_) {
        qCDebug(lcCtl) << "a late reply, credited to no line:" << escapedText(bytes).c_str();
        return;
    }
    err_ << kProgram << ": "
         << Texts::tr("the reply to %1 came only after its wait had ended: %2; --timeout MS waits longer")
                .arg(QString::fromLatin1(escapedText(line)), QString::fromLatin1(escapedText(bytes)))
         << '\n';
    closeAndFinish();
}

void CtlProgram::ready() {
    if (isFinished()) {
        closeAndFinish();
    }
}

int CtlProgram::interrupt() {
    interrupting_ = true;
    if (!isFinished()) {
        if (task_) {
            task_->interrupt();
        } else if (!port_) {
            // Before the run began: nothing was opened.
            err_ << kProgram << ": " << Texts::tr("interrupted") << '\n';
            exitCode_ = kInterrupted;
        } else {
            report({.outcome = RunResult::Outcome::Interrupted,
                    .reply = {},
                    .error = Texts::tr("interrupted while opening the device").toStdString()});
        }
    }
    closeAndFinish();
    return exitCode();
}

void CtlProgram::report(RunResult result) {
    if (isFinished()) {
        return;
    }
    const QString label = port_->label();
    exitCode_ = reportRun(parsed_->options, parsed_->request, result, label, out_, err_);
    closeAndFinish();
}

void CtlProgram::closeAndFinish() {
    if (closed_) {
        return;
    }
    closed_ = true;
    settling_->stop();
    if (port_) {
        // The engine and the task stay: this may run inside their own calls.
        (void)port_->close();
    }
    const int code = exitCode();
    QMetaObject::invokeMethod(
        this, [this, code] { emit finished(code); }, Qt::QueuedConnection);
}

} // namespace tavo::ctl
