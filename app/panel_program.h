// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-panel: the window on the panel's logic and its COM ports, with the devices of the settings
// or the command line, and the simulated projector behind COM1 when asked for. start() returns at
// once; the program's event loop then runs the start-up (its questions are answered there) and
// shows the window once the port has been opened.

#include "app/options.h"
#include "app/program_devices.h"
#include "core/panel_logic.h"
#include "serial/com_ports.h"
#include "serial/device_settings.h"
#include "ui/main_window.h"
#include "ui/panel_port_advisor.h"

namespace tavo::panel {

class PanelProgram {
public:
    explicit PanelProgram(PanelOptions options);
    // No event reaches the logic once it is gone; the window outlives it.
    ~PanelProgram();
    PanelProgram(const PanelProgram&) = delete;
    PanelProgram& operator=(const PanelProgram&) = delete;

    void start();
    // The program's exit code, once its event loop ended with `loopCode`: a start-up the user gave
    // up on ends it as one whose port failed.
    [[nodiscard]] int exitCode(int loopCode) const;

private:
    // With --simulate the simulated projector comes first; while it cannot be started, the
    // start-up error offers to try again or to quit.
    void startUp();

    PanelOptions options_;
    // Declared first: it outlives the logic.
    MainWindow window_;
    RunDevices run_;
    PanelPortAdvisor advisor_;
    ComPorts port_;
    ProgramDevices devices_;
    PanelLogic logic_;
    bool gaveUp_ = false;
};

} // namespace tavo::panel
