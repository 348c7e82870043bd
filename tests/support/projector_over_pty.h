// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A test fixture with the simulated projector on a pseudo-terminal of its own and the host serial
// port the panel uses on the other end of that line, for tests of the whole road of an exchange.

#include "serial/com_ports.h"
#include "simulator/projector_model.h"
#include "simulator/pty_projector.h"
#include "tests/support/fake_port_advisor.h"
#include "tests/support/pty_pair.h"

#include <gtest/gtest.h>
#include <memory>

namespace tavo::test {

class ProjectorOverPty : public ::testing::Test {
protected:
    // Starts the projector and makes the port on its line, not yet open; a fatal failure if the
    // projector could not start.
    void startProjector(ProjectorModel::Options model);

    std::unique_ptr<PtyProjector> projector;
    // The port opens the projector's line through this, for the reason PtyPair::devicePath() gives.
    std::unique_ptr<PrivateLink> link;
    FakePortAdvisor advisor;
    std::unique_ptr<ComPorts> port;
};

} // namespace tavo::test
