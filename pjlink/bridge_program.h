// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-pjlink as an object: it reads its password, opens the projector's line through the one
// line queue (which keeps the device open, ERR4 at once while it is away), listens for
// controllers, and at the end closes the connections and the device and writes what the log
// still counts. Nothing in it waits; the program's one event loop runs it once it has started.

#include "pjlink/options.h"
#include "pjlink/port_advisor.h"
#include "serial/event_loop_clock.h"

#include <memory>

namespace tavo {
class ComPorts;
}

namespace tavo::pjlink {

class BridgeLog;
class LineQueue;
class Server;

enum ExitCode : int {
    // Ended by a signal, or nothing to serve (help, version).
    kStopped = 0,
    // The password file or an address to listen on cannot be used; the log says why.
    kFailed = 1,
    kUsage = 2,
};

class BridgeProgram {
public:
    explicit BridgeProgram(BridgeOptions options);
    ~BridgeProgram();
    BridgeProgram(const BridgeProgram&) = delete;
    BridgeProgram& operator=(const BridgeProgram&) = delete;

    // Begins to serve: true, or false once the log has said why it cannot. A device that cannot be
    // opened yet is no reason: it is tried until it opens.
    [[nodiscard]] bool start();
    // Closes the connections and the device, and writes what the log still counts.
    void stop();

private:
    [[nodiscard]] bool readPassword();

    BridgeOptions options_;
    std::optional<QByteArray> password_;
    // The device's texts in the log speak of the bridge, which has none of the panel's device chooser.
    BridgePortAdvisor advisor_;
    EventLoopClock clock_;
    std::unique_ptr<BridgeLog> log_;
    std::unique_ptr<ComPorts> port_;
    std::unique_ptr<LineQueue> queue_;
    std::unique_ptr<Server> server_;
};

} // namespace tavo::pjlink
