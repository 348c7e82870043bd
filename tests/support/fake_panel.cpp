// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fake_panel.h"

#include "core/panel_logic.h"

#include <algorithm>
#include <limits>

namespace tavo {

void PrintTo(Notice kind, std::ostream* os) {
    switch (kind) {
    case Notice::Lasting:
        *os << "Lasting";
        return;
    case Notice::Passing:
        *os << "Passing";
        return;
    case Notice::Progress:
        *os << "Progress";
        return;
    case Notice::Calm:
        *os << "Calm";
        return;
    }
    *os << "Notice(" << static_cast<int>(kind) << ')';
}

} // namespace tavo

namespace tavo::test {

namespace {

// The option groups of the port panel: selecting one option clears its partner.
Control partner(Control option) {
    switch (option) {
    case Control::Com1Option:
        return Control::Com2Option;
    case Control::Com2Option:
        return Control::Com1Option;
    case Control::Speed19200Option:
        return Control::Speed9600Option;
    case Control::Speed9600Option:
        return Control::Speed19200Option;
    default:
        return option;
    }
}

} // namespace

// The window as it stands before start-up: full-layout height with a 375-twip title bar and
// frame, initial intervals, the port panel and the pane button hidden, "19200" selected.
FakePanel::FakePanel() : height(6615 + 375), width(9510 + 90), screen{15360, 11520} {
    for (const TimerStart& start : kTimerStarts) {
        timers_[index(start.timer)].interval = start.intervalMs;
    }
    visible_[Control::PortPanel] = false;
    visible_[Control::PaneButton] = false;
    selected_[Control::Speed19200Option] = true;
    texts_[Control::PaneButton] = kShowDataCaption;
}

void FakePanel::setLabelText(Control label, std::string_view text) {
    texts_[label] = text;
    remarks_.erase(label);
}

void FakePanel::setLabelRemark(Control label, std::string_view remark) {
    remarks_[label] = remark;
}

void FakePanel::setCaption(Control button, std::string_view caption) {
    texts_[button] = caption;
}

void FakePanel::setVisible(Control control, bool visible) {
    visible_[control] = visible;
}

void FakePanel::selectOption(Control option) {
    selected_[option] = true;
    if (partner(option) != option) {
        selected_[partner(option)] = false;
    }
}

void FakePanel::setPosition(double leftTwips, double topTwips) {
    left = leftTwips;
    top = topTwips;
}

void FakePanel::setTimerEnabled(TimerId id, bool enabled) {
    VirtualTimer& t = timers_[index(id)];
    if (enabled && !t.enabled) {
        t.due = now() + t.interval;
    }
    t.enabled = enabled;
}

void FakePanel::setTimerInterval(TimerId id, int milliseconds) {
    VirtualTimer& t = timers_[index(id)];
    t.interval = milliseconds;
    if (t.enabled) {
        t.due = now() + t.interval;
    }
}

void FakePanel::showNotice(std::string_view text, Notice kind) {
    notice.emplace(std::string(text), kind);
    ++noticesShown;
}

void FakePanel::advance(std::int64_t milliseconds) {
    const std::int64_t end = now() + milliseconds;
    for (;;) {
        // The earliest due timer; ties go to the lower timer number.
        std::size_t next = kTimerCount;
        std::int64_t due = std::numeric_limits<std::int64_t>::max();
        for (std::size_t i = 0; i < kTimerCount; ++i) {
            if (timers_[i].enabled && timers_[i].due < due) {
                due = timers_[i].due;
                next = i;
            }
        }
        const std::optional<std::int64_t> clockDue = clock_.nextDue();
        if (clockDue && *clockDue <= end && (next == kTimerCount || *clockDue <= due)) {
            clock_.advance(*clockDue - now());
            continue;
        }
        if (next == kTimerCount || due > end) {
            break;
        }
        // No timer of the clock falls due on the way.
        clock_.advance(due - now());
        // A timer with a zero interval would otherwise fire forever at one instant.
        timers_[next].due = now() + std::max(timers_[next].interval, 1);
        const auto id = static_cast<TimerId>(next);
        ticks.emplace_back(now(), id);
        if (tick_) {
            tick_(id);
        }
    }
    clock_.advance(end - now());
}

std::string FakePanel::text(Control control) const {
    const auto it = texts_.find(control);
    return it == texts_.end() ? std::string() : it->second;
}

std::string FakePanel::remark(Control label) const {
    const auto it = remarks_.find(label);
    return it == remarks_.end() ? std::string() : it->second;
}

bool FakePanel::isVisible(Control control) const {
    const auto it = visible_.find(control);
    return it == visible_.end() || it->second;
}

bool FakePanel::isSelected(Control option) const {
    const auto it = selected_.find(option);
    return it != selected_.end() && it->second;
}

const VirtualTimer& FakePanel::timer(TimerId id) const {
    return timers_[index(id)];
}

} // namespace tavo::test
