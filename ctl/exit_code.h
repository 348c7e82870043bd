// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavo::ctl {

// tavo-ctl's exit statuses, which scripts act on; the help and the man page list them.
enum ExitCode : int {
    // Acknowledged, or a well-formed status.
    kAnswered = 0,
    kDeviceError = 1,
    kUsage = 2,
    kRefused = 3,
    kNoReply = 4,
    // A reply no projector that understood the line gives.
    kUnexpected = 5,
    // As shells report a program ended by SIGINT.
    kInterrupted = 130,
};

} // namespace tavo::ctl
