// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command-line tool's command names, made from the panel's own tables: each command button's
// line and periods from the command table, its name from its caption and group in the control
// catalog, as the window shows them, so that a technician who knows the panel knows the names.

#include "core/ports/controls.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::ctl {

struct CtlCommand {
    // Lower case words joined by '-', e.g. "power-on", "input3-svideo", "vol-up".
    std::string name;
    Control control{};
    // Without the CR.
    std::string_view code;
    // The panel's group and caption, e.g. "POWER ON", "VOL +".
    std::string button;
    // What the tool says the command does, where the button does not say it well enough.
    std::string_view summary;
    // How long a reply is awaited after the line is sent.
    int replyWaitMs = 0;
    // The hold buttons' repeat period; zero for the one-shot buttons.
    int repeatMs = 0;
};

// Every one-shot button, then every hold button, in the command tables' order.
[[nodiscard]] std::vector<CtlCommand> ctlCommands();

[[nodiscard]] std::optional<CtlCommand> findCtlCommand(std::string_view name);

// Names the user may have meant: those within two edits of `name`, and those it begins or that
// begin with it; the closest first.
[[nodiscard]] std::vector<std::string> closeNames(std::string_view name);

} // namespace tavo::ctl
