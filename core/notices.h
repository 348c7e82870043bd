// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The notice over the window's lower edge, as the logic uses it: what the port tells of its device,
// an open in progress, and the lines the port did not take. The notice is seen in every view, also
// where the status line is out of sight, so a line not sent is told in both.

#include "core/ports/panel.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

// A repeat of a held button is told in the status line only: the press told the notice.
enum class Attempt : std::uint8_t { First, Repeat };

class Notices {
public:
    explicit Notices(Panel& panel) : panel_(panel) {}

    void show(std::string_view text, Notice kind);
    // An open in progress, which the user may cancel from the notice. Until the notice is cleared,
    // lines not sent are told in a notice of the same kind, so that the open can still be
    // cancelled there.
    void showProgress(std::string_view text);
    void clear();

    // A line the port did not take, with the port's reason. Lines not sent in a row are counted, so
    // that each click not sent changes what the notice says.
    void tellNotSent(std::string_view line, const std::string& reason, Attempt attempt);
    // A line went out: a notice telling of lines not sent no longer applies.
    void lineSent();
    // A line went out that the projector will take and ignore in the state a recent status read
    // told: `why` says so in the user's words, `ageMs` is how long ago the status was read.
    void tellIgnored(std::string_view line, std::string_view why, std::int64_t ageMs);

private:
    void reset();

    Panel& panel_;
    // Lines the port did not take since one was written or the notice last changed, and whether
    // the notice shown now tells of them.
    int notSentInARow_ = 0;
    bool tellsNotSent_ = false;
    bool progress_ = false;
};

} // namespace tavo
