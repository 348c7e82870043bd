// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/bridge_program.h"

#include "pjlink/bridge_log.h"
#include "pjlink/line_queue.h"
#include "pjlink/password_file.h"
#include "pjlink/server.h"
#include "serial/com_ports.h"
#include "serial/device_factory.h"

#include <QCoreApplication>

namespace tavo::pjlink {

BridgeProgram::BridgeProgram(BridgeOptions options)
    : options_(std::move(options)), log_(std::make_unique<BridgeLog>()) {}

BridgeProgram::~BridgeProgram() {
    // The server's sessions submit to the queue, which talks to the port.
    server_.reset();
    queue_.reset();
}

bool BridgeProgram::readPassword() {
    if (!options_.passwordFile.isEmpty()) {
        const PasswordRead read = readPasswordFile(options_.passwordFile);
        if (!read.error.isEmpty()) {
            qCCritical(lcBridge).noquote() << read.error;
            return false;
        }
        password_ = read.password;
    } else if (options_.noPassword) {
        qCWarning(lcBridge).noquote() << QCoreApplication::translate(
            "tavo-pjlink", "no password: anyone who reaches the bridge can control the projector");
    }
    return true;
}

bool BridgeProgram::start() {
    if (!readPassword()) {
        return false;
    }
    const PortChoice choice = portChoice(options_.device);
    if (!choice.settingsProblem.isEmpty()) {
        qCWarning(lcBridge).noquote() << choice.settingsProblem;
    }
    port_ = std::make_unique<ComPorts>(choice.devices, makeDevice, advisor_, choice.naming);
    // A device that cannot be opened yet is tried until it opens; meanwhile every command gets ERR4.
    port_->setKeepOpening(true);
    queue_ = std::make_unique<LineQueue>(*port_, clock_, choice.devices.value(choice.portNumber - 1), *log_);
    // The device opens in the background; until it is open every command gets ERR4 at once.
    if (auto error = queue_->start(choice.portNumber, options_.settings)) {
        qCCritical(lcBridge).noquote() << QString::fromStdString(*error);
        return false;
    }
    server_ = std::make_unique<Server>(*queue_, *log_, options_.identity, password_, options_.maxConnections);
    for (const auto& listen : options_.listen) {
        if (const auto error = server_->listen(listen.address, listen.port)) {
            qCCritical(lcBridge).noquote() << *error;
            queue_->close();
            return false;
        }
    }
    const QString addresses = server_->addresses().join(QStringLiteral(", "));
    qCInfo(lcBridge).noquote() << (password_ ? QCoreApplication::translate("tavo-pjlink",
                                                                           "serving PJLink on %1 with a password")
                                             : QCoreApplication::translate("tavo-pjlink",
                                                                           "serving PJLink on %1 without a password"))
                                      .arg(addresses);
    return true;
}

void BridgeProgram::stop() {
    if (server_) {
        server_->closeAll();
    }
    if (queue_) {
        queue_->close();
    }
    log_->flush();
    qCInfo(lcBridge).noquote() << QCoreApplication::translate("tavo-pjlink", "stopped");
}

} // namespace tavo::pjlink
