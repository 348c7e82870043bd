// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/ctl_program.h"

#include "ctl/exchange.h"
#include "ctl/logging.h"
#include "ctl/report.h"
#include "ctl/texts.h"
#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "serial/device_settings.h"

namespace tavo::ctl {

namespace {

const QString kProgram = QStringLiteral("tavo-ctl");

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
    : QObject(parent), arguments_(std::move(arguments)), out_(out), err_(err) {}

CtlProgram::~CtlProgram() = default;

void CtlProgram::start() {
    parsed_ = parseOptions(arguments_);
    switch (parsed_->outcome) {
    case ParsedOptions::Outcome::Done:
        out_ << parsed_->text;
        end(kAnswered);
        return;
    case ParsedOptions::Outcome::UsageError:
        err_ << kProgram << ": " << parsed_->text << '\n';
        end(kUsage);
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
        beginExchange();
    } else {
        qCDebug(lcCtl) << "waiting for the device to connect";
    }
}

void CtlProgram::onPortEvent(PortEvent event) {
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
        report(deviceError(port_->describe(event)));
    }
}

void CtlProgram::beginExchange() {
    const Request& request = parsed_->request;
    qCDebug(lcCtl) << "device open; sending" << request.name;
    exchange_ = std::make_unique<Exchange>(*port_, ExchangeRequest{.line = request.line,
                                                                   .replyWaitMs = request.replyWaitMs,
                                                                   .steps = request.steps,
                                                                   .periodMs = request.periodMs});
    connect(exchange_.get(), &Exchange::done, this, [this] { report(exchange_->result()); });
    exchange_->start();
}

std::string CtlProgram::replySoFar() const {
    return exchange_ ? exchange_->result().reply : std::string();
}

int CtlProgram::interrupt() {
    if (!isFinished() && !port_) {
        // Before the run began: nothing was opened.
        err_ << kProgram << ": " << Texts::tr("interrupted") << '\n';
        exitCode_ = kInterrupted;
    }
    if (!isFinished()) {
        report({.outcome = RunResult::Outcome::Interrupted,
                .reply = replySoFar(),
                .error = (exchange_ ? Texts::tr("interrupted before the reply")
                                    : Texts::tr("interrupted while opening the device"))
                             .toStdString()});
    }
    return exitCode();
}

void CtlProgram::report(RunResult result) {
    if (isFinished()) {
        return;
    }
    const QString label = port_->label();
    // The exchange stays: this may run inside its own signal.
    (void)port_->close();
    if (result.outcome == RunResult::Outcome::Interrupted && result.error.empty()) {
        result.error = Texts::tr("interrupted before the reply").toStdString();
    }
    end(reportRun(parsed_->options, parsed_->request, result, label, out_, err_));
}

void CtlProgram::end(int code) {
    exitCode_ = code;
    QMetaObject::invokeMethod(
        this, [this, code] { emit finished(code); }, Qt::QueuedConnection);
}

} // namespace tavo::ctl
