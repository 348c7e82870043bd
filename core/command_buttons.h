// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The buttons that send: a one-shot button sends its command once per click; a hold button sends
// at the press and repeats while it is held, at the pace of its own timing or, for the cursor
// arrows, of the cursor pad's context (an on-screen menu, a zoomed picture). Every line goes out
// through the reply monitor. What is clicked is sent; a click the projector will ignore in the
// power state a recent status read told is said so in the notice.

#include "core/commands.h"
#include "core/notices.h"
#include "core/ports/controls.h"
#include "core/ports/panel.h"
#include "core/recent_power.h"
#include "core/reply_monitor.h"

namespace tavo {

class CommandButtons {
public:
    CommandButtons(Panel& panel, ReplyMonitor& monitor, const RecentPower& power, Notices& notices)
        : panel_(panel), monitor_(monitor), power_(power), notices_(notices) {}

    // Start-up: no button is held.
    void reset() { heldButton_ = HoldButton::None; }
    // A click: false when the control is no one-shot button, which then sends nothing.
    bool click(Control control);
    // Pointer press and release on a hold button; other controls ignore them.
    void press(Control control);
    void release(Control control);
    // The hold can no longer end with a release: stops exactly as its release would. Does nothing
    // when no button is held.
    void holdCancelled();
    // The tick of the hold repeat.
    void repeat();

    [[nodiscard]] HoldButton heldButton() const { return heldButton_; }
    [[nodiscard]] CursorPadContext cursorPadContext() const { return cursorPadContext_; }

private:
    void sendOneShot(const OneShotCommand& command);
    void pressHold(const HoldCommand& command);
    void releaseHold(const HoldCommand& command);

    Panel& panel_;
    ReplyMonitor& monitor_;
    const RecentPower& power_;
    Notices& notices_;
    HoldButton heldButton_ = HoldButton::None;
    CursorPadContext cursorPadContext_ = CursorPadContext::Initial;
};

} // namespace tavo
