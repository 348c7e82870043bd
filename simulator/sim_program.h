// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-projector-sim: the simulated projector served as its options say, on a pseudo-terminal, a
// serial device or a TCP port, with the link to its line and the log of its bytes. The program's
// event loop runs it once it has started.

#include "simulator/options.h"

#include <QString>
#include <memory>

namespace tavo {
class PtyProjector;
class TcpProjector;
} // namespace tavo

namespace tavo::sim {

class SimProgram {
public:
    explicit SimProgram(SimOptions options);
    // Removes the link it made, while it still leads to its line.
    ~SimProgram();
    SimProgram(const SimProgram&) = delete;
    SimProgram& operator=(const SimProgram&) = delete;

    // Begins to serve; empty, or why it cannot.
    [[nodiscard]] QString start();
    // Where it serves, for standard output: the serial line's path, or tcp://HOST:PORT.
    [[nodiscard]] QString where() const;

private:
    [[nodiscard]] QString startOnNetwork();
    [[nodiscard]] QString startOnSerialLine();
    [[nodiscard]] QString makeLink();

    SimOptions options_;
    std::unique_ptr<PtyProjector> serial_;
    std::unique_ptr<TcpProjector> network_;
    // The link made; empty while there is none.
    QString link_;
};

} // namespace tavo::sim
